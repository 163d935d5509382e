// The key table against the engine and against itself: what a key inserts is
// something the engine reads, every control and shortcut is named once, and the
// shortcut list says what each key is.
#include "model/panel_keys.h"

#include <gtest/gtest.h>

#include <set>

#include "engine/constants.h"
#include "engine/notation.h"
#include "model/panel_model.h"

namespace kalvox {
namespace {

using enum KeyGroup;

TEST(PanelKeys, NamesIdsAndShortcutsAreUnique) {
    std::set<std::pair<int, int>> ids;
    std::set<std::string> names;
    std::set<std::string> shortcuts;
    for (const PanelKey& key : panelKeys()) {
        EXPECT_TRUE(ids.insert({static_cast<int>(key.id.group), key.id.index}).second) << key.name;
        if (!key.name.empty()) {
            EXPECT_TRUE(names.insert(key.name).second) << key.name;
        }
        if (!key.shortcut.empty()) {
            EXPECT_TRUE(shortcuts.insert(key.shortcut).second) << key.name;
        }
    }
    // 11 digits, 4 operators, 7 complex keys, 12 function keys, 9 + 9 register keys, 3
    // modes, 10 single commands and the entries of the 复数 menu.
    EXPECT_EQ(panelKeys().size(),
              11u + 4 + 7 + kFunctionKeyCount + 18 + 3 + 10 + kComplexEntryCount);
}

TEST(PanelKeys, EveryInsertedTextIsReadByTheEngine) {
    for (const PanelKey& key : panelKeys()) {
        if (key.inserts.empty()) continue;
        const UnknownItem unknown = findUnknownItem(key.inserts);
        EXPECT_EQ(unknown.length, 0u) << key.name << " inserts " << key.inserts;
    }
    for (std::size_t i = 0; i < kFunctionKeyCount; ++i) {
        for (bool inverse : {false, true}) {
            const std::string symbol = functionSymbol(static_cast<FunctionKey>(i), inverse);
            EXPECT_EQ(findUnknownItem(symbol).length, 0u) << symbol;
        }
    }
}

TEST(PanelKeys, PiKeyInsertsWhatATypedPiBecomes) {
    EXPECT_EQ(panelKey({Pi}).inserts, translateNotation("\u03C0"));
    EXPECT_EQ(panelKey({Pi}).inserts, kPiText);
}

TEST(PanelKeys, NamedFunctionKeysInsertTheirCaption) {
    // The captions of the keys that insert a name are that name, in enum order.
    for (FunctionKey key : {FunctionKey::Sin, FunctionKey::Cos, FunctionKey::Tan, FunctionKey::Ctn,
                            FunctionKey::Ln, FunctionKey::Log}) {
        const PanelKey& row = panelKey({Function, static_cast<int>(keyIndex(key))});
        EXPECT_EQ(functionSymbol(key, false), row.caption);
        EXPECT_EQ(row.name, "functionKey_" + std::to_string(keyIndex(key)));
    }
}

TEST(PanelKeys, ComplexMenuEntriesHaveShortcutsAndWords) {
    for (int i = 0; i < kComplexEntryCount; ++i) {
        const PanelKey& row = panelKey({ComplexMenu, i});
        EXPECT_EQ(row.id.index, i);
        EXPECT_FALSE(row.shortcut.empty()) << row.caption;
        EXPECT_FALSE(row.help.empty()) << row.caption;
        // The caption ends in the word it inserts (√ stands for sqrt).
        if (!row.inserts.empty() && row.inserts != "sqrt") {
            EXPECT_TRUE(row.caption.ends_with(row.inserts)) << row.caption;
        }
        EXPECT_EQ(row.inserts.empty(), i == static_cast<int>(ComplexEntry::Symmetrical) ||
                                           i == static_cast<int>(ComplexEntry::Phasors));
    }
    EXPECT_EQ(translateNotation("\u221A"), panelKey({ComplexMenu, 5}).inserts);  // √
    EXPECT_EQ(translateNotation("\u2225"), panelKey({ComplexMenu, 7}).inserts);  // ∥
}

TEST(PanelKeys, RegisterKeysCountFromOne) {
    for (int k = 1; k <= kRegisterCount; ++k) {
        const PanelKey& store = panelKey({Store, k - 1});
        const PanelKey& recall = panelKey({Recall, k - 1});
        const std::string n = std::to_string(k);
        EXPECT_EQ(store.caption, "MW" + n);
        EXPECT_EQ(recall.caption, "MR" + n);
        EXPECT_EQ(store.shortcut, "Ctrl+" + n);
        EXPECT_EQ(recall.shortcut, "Alt+" + n);
        EXPECT_NE(store.tooltip.find("第" + n + "个"), std::string::npos) << store.tooltip;
        EXPECT_NE(recall.tooltip.find("第" + n + "个"), std::string::npos) << recall.tooltip;
        EXPECT_NE(tagTooltip(k).find("第" + n + "个"), std::string::npos);
    }
}

TEST(PanelKeys, ShortcutListLinesNameTheKey) {
    for (const PanelKey& key : panelKeys()) {
        if (key.shortcut.empty()) {
            EXPECT_TRUE(key.help.empty()) << key.name << ": a list line without a shortcut";
            continue;
        }
        const std::string line = key.helpLine();
        EXPECT_FALSE(line.empty()) << key.shortcut;
        EXPECT_TRUE(line.starts_with(key.caption)) << line;
    }
    // The keys that enter a whole value say what they insert and that a "*" joins them.
    for (KeyId id : {KeyId{Pi}, KeyId{Complex, 4}, KeyId{Complex, 5}}) {
        const PanelKey& key = panelKey(id);
        EXPECT_TRUE(key.standsAlone) << key.name;
        EXPECT_NE(key.helpLine().find("(输入 " + key.inserts), std::string::npos) << key.helpLine();
        EXPECT_NE(key.helpLine().find("自动加 *"), std::string::npos) << key.helpLine();
    }
}

TEST(PanelKeys, EveryPrintableCharacterPassesTheFilter) {
    for (int code = 32; code < 127; ++code) {
        const int expected = code == 'E' ? 'e' : code == 'J' ? 'j' : code;
        EXPECT_EQ(filterKey(static_cast<std::int16_t>(code)), expected) << static_cast<char>(code);
    }
}

// The window's controls: one name each, every key of the table placed once with the
// table's texts, and every control inside the client area (9285 x 4980 twips).
TEST(PanelLayout, EveryControlPlacedOnceInsideTheWindow) {
    std::set<std::string> names;
    std::set<std::pair<int, int>> keys;
    int rows = 0;
    for (const auto& area : {topAreaControls(), keyPadControls(), memoryBlockControls()}) {
        for (const ControlRow& row : area) {
            ++rows;
            SCOPED_TRACE(row.name);
            EXPECT_TRUE(names.insert(row.name).second) << "name used twice";
            EXPECT_GT(row.place.width, 0);
            EXPECT_GT(row.place.height, 0);
            EXPECT_LE(row.place.left + row.place.width, 9285);
            EXPECT_LE(row.place.top + row.place.height, 4980);
            const bool isKey = row.kind == ControlKind::Key || row.kind == ControlKind::PadKey ||
                               row.kind == ControlKind::Option || row.kind == ControlKind::CheckBox;
            if (!isKey) continue;
            EXPECT_TRUE(keys.insert({static_cast<int>(row.key.group), row.key.index}).second);
            const PanelKey& key = panelKey(row.key);
            EXPECT_EQ(row.name, key.name);
            EXPECT_EQ(row.caption, key.caption);
            EXPECT_EQ(row.tooltip, key.tooltip);
        }
    }
    // 13 in the top area, 36 on the key pad, 4 a register.
    EXPECT_EQ(rows, 13 + 36 + 4 * kRegisterCount);
    EXPECT_TRUE(names.count("tagBox_8") && names.count("contentBox_0"));
}

}  // namespace
}  // namespace kalvox
