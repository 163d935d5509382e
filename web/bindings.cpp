// The page's one way into C++: the panel model and its key table, bound with embind.
// The script forwards every event here and draws what state() returns, as the Qt
// window does with the same model; no rule of the calculator lives in the script.
// Every call into the model is in this file.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#ifdef KALVOX_WEB_RESULT_FILES
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "model/save_name.h"
#endif

#include "engine/value_forms.h"
#include "model/panel_keys.h"
#include "model/panel_model.h"
#include "model/window_texts.h"

namespace kalvox {
namespace {

using emscripten::val;

KeyId keyId(int group, int index) { return {static_cast<KeyGroup>(group), index}; }

val keyObject(const PanelKey& key) {
    val row = val::object();
    row.set("group", static_cast<int>(key.id.group));
    row.set("index", key.id.index);
    row.set("name", key.name);
    row.set("caption", key.caption);
    row.set("tooltip", key.tooltip);
    row.set("inserts", key.inserts);
    row.set("shortcut", key.shortcut);
    row.set("helpLine", key.helpLine());
    return row;
}

int editKind(InputEdit::Kind kind) {
    switch (kind) {
        case InputEdit::Kind::None:
            return 0;
        case InputEdit::Kind::Replace:
            return 1;
        case InputEdit::Kind::SetText:
            return 2;
        case InputEdit::Kind::Caret:
            return 3;
    }
    return 0;
}

// The panel as the page sees it: the model and the texts the window adds around it.
class WebPanel {
public:
    // Every key of the table, in the order of the shortcut list.
    static val keys() {
        val rows = val::array();
        for (const PanelKey& key : panelKeys()) rows.call<void>("push", keyObject(key));
        return rows;
    }

    // The numbers of the key groups and of the function modes, by name.
    static val groups() {
        val g = val::object();
        const std::pair<const char*, KeyGroup> names[] = {
            {"ShortcutList", KeyGroup::ShortcutList},
            {"Save", KeyGroup::Save},
            {"Open", KeyGroup::Open},
            {"Clear", KeyGroup::Clear},
            {"Backspace", KeyGroup::Backspace},
            {"About", KeyGroup::About},
            {"Mode", KeyGroup::Mode},
            {"Inverse", KeyGroup::Inverse},
            {"Function", KeyGroup::Function},
            {"Pi", KeyGroup::Pi},
            {"Complex", KeyGroup::Complex},
            {"Store", KeyGroup::Store},
            {"Recall", KeyGroup::Recall},
            {"Digit", KeyGroup::Digit},
            {"Operator", KeyGroup::Operator},
            {"Equals", KeyGroup::Equals},
            {"Calculate", KeyGroup::Calculate},
            {"ComplexMenu", KeyGroup::ComplexMenu},
        };
        for (const auto& [name, group] : names) g.set(name, static_cast<int>(group));
        return g;
    }

    static val modes() {
        val m = val::object();
        m.set("Symbol", static_cast<int>(FunctionMode::Symbol));
        m.set("WholeInput", static_cast<int>(FunctionMode::WholeInput));
        m.set("Output", static_cast<int>(FunctionMode::Output));
        return m;
    }

    static val presetTags() {
        val tags = val::array();
        for (std::string_view tag : kalvox::presetTags()) tags.call<void>("push", std::string(tag));
        return tags;
    }

    // The help's note on typing, one paragraph a row, as the window's F1 list shows it.
    static val typingNote() {
        val rows = val::array();
        for (std::string_view row : kalvox::kTypingNote) rows.call<void>("push", std::string(row));
        return rows;
    }

    static std::string tagTooltip(int k, const std::string& tag) {
        return kalvox::tagTooltip(k, tag);
    }

    static int filterKey(int code) { return kalvox::filterKey(static_cast<std::int16_t>(code)); }

    void syncInput(const std::u16string& text, int caret, int selectionStart, int selectionLength,
                   bool edited) {
        model_.syncInput(text, caret, selectionStart, selectionLength, edited);
    }
    void press(int group, int index) { model_.press(keyId(group, index)); }
    void selectMode(int mode) { model_.selectMode(static_cast<FunctionMode>(mode)); }
    void toggleInverse() { model_.toggleInverse(); }
    void walkHistory(bool older) { model_.walkHistory(older); }
    void editOutput(const std::string& text) { model_.editOutput(text); }
    void editTag(int index, const std::string& text) { model_.editTag(index, text); }

    // Registers kept by the browser, put back at start as the user once stored them:
    // each one's input and output into the boxes and its store key, then its tag.
    // The boxes end as they start, empty and "0"; nothing is evaluated.
    void restoreRegisters(val saved) {
        const int count = saved["length"].as<int>();
        for (int i = 0; i < count && i < kRegisterCount; ++i) {
            const val row = saved[i];
            const std::u16string input = row["storedExpression"].as<std::u16string>();
            const int end = static_cast<int>(input.size());
            model_.syncInput(input, end, end, 0, false);
            model_.editOutput(row["content"].as<std::string>());
            model_.press({KeyGroup::Store, i});
            model_.editTag(i, row["tag"].as<std::string>());
        }
        model_.syncInput(u"", 0, 0, 0, false);
        model_.editOutput("0");
    }

    // The copy entries of the output box's menu: the value on show in exponential and
    // in algebraic form; their texts are empty when the output is no complex value.
    val copyForms() const {
        const std::optional<ValueForms> forms = valueForms(model_.output());
        val entries = val::array();
        const auto add = [&entries](const char* name, const char* caption, std::string text) {
            val entry = val::object();
            entry.set("name", std::string(name));
            entry.set("caption", std::string(caption));
            entry.set("text", std::move(text));
            entries.call<void>("push", entry);
        };
        add("copyExponential", "复制指数形式", forms ? forms->exponential : std::string());
        add("copyAlgebraic", "复制代数形式", forms ? forms->algebraic : std::string());
        return entries;
    }

    // --- Result files --------------------------------------------------------------
    // The model reads and writes them by name; here the names are files of the page's
    // own file system in memory, in a folder of their own. The bytes of a saved file
    // go to the browser's download; an opened one's come from the file chosen.
    static bool hasResultFiles() {
#ifdef KALVOX_WEB_RESULT_FILES
        return true;
#else
        return false;
#endif
    }

#ifdef KALVOX_WEB_RESULT_FILES
    static val saveFilters() { return texts(PanelModel::saveFilters()); }

    // The save dialog's answer (after press(Save) evaluated): {fileName, bytes}, with
    // bytes null when nothing was written (a blank name, or a failure: the model's
    // message says which).
    val saveFile(const std::string& name, const std::string& filter) {
        enterFileFolder();
        val saved = val::object();
        const std::string fileName = savedFileName(name, filter);
        saved.set("fileName", fileName);
        saved.set("bytes", val::null());
        model_.saveFile(name, filter);
        std::ifstream file(fileName, std::ios::binary);
        if (model_.message().empty() && file) {
            const std::string bytes((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
            saved.set("bytes",
                      val::global("Uint8Array")
                          .new_(emscripten::typed_memory_view(bytes.size(), bytes.data())));
        }
        std::remove(fileName.c_str());
        return saved;
    }

    // A chosen file: its name and its bytes (a Uint8Array). Whether it was loaded; if
    // not, the model's message says why and nothing changed.
    bool openFile(const std::string& name, val bytes) {
        enterFileFolder();
        std::string content(bytes["length"].as<std::size_t>(), '\0');
        val(emscripten::typed_memory_view(content.size(), content.data())).call<void>("set", bytes);
        {
            std::ofstream file(name, std::ios::binary | std::ios::trunc);
            file.write(content.data(), static_cast<std::streamsize>(content.size()));
        }
        const bool loaded = model_.openFile(name);
        std::remove(name.c_str());
        return loaded;
    }
#endif

    // Everything the page draws after a command.
    val state() const {
        val s = val::object();
        s.set("input", model_.input());
        s.set("caret", model_.caret());
        s.set("selectionStart", model_.selectionStart());
        s.set("selectionLength", model_.selectionLength());
        s.set("output", model_.output());
        s.set("outputTooltip", model_.outputTooltip(kOutputBoxTooltip));
        s.set("mode", static_cast<int>(model_.mode()));
        s.set("inverse", model_.inverse());

        const InputEdit& edit = model_.lastEdit();
        val e = val::object();
        e.set("kind", editKind(edit.kind));
        e.set("from", edit.from);
        e.set("length", edit.length);
        e.set("text", edit.text);
        s.set("edit", e);
        s.set("focus", model_.focus() == Focus::Input    ? std::string("input")
                       : model_.focus() == Focus::Output ? std::string("output")
                                                         : std::string());
        s.set("message", model_.message());
        s.set("registersReplaced", model_.registersReplaced());

        // Per key, in the order of keys(): enabled and the tooltip it shows now.
        val enabled = val::array();
        val tooltips = val::array();
        for (const PanelKey& key : panelKeys()) {
            enabled.call<void>("push", model_.enabled(key.id));
            tooltips.call<void>("push", model_.tooltip(key.id));
        }
        s.set("enabled", enabled);
        s.set("tooltips", tooltips);

        val registers = val::array();
        for (int i = 0; i < kRegisterCount; ++i) {
            const MemoryRegister& reg = model_.registers()[static_cast<std::size_t>(i)];
            val r = val::object();
            r.set("tag", reg.tag);
            r.set("content", reg.content);
            r.set("storedExpression", reg.storedExpression);
            r.set("contentTooltip", model_.contentTooltip(i));
            r.set("tagTooltip", kalvox::tagTooltip(i + 1, reg.tag));
            registers.call<void>("push", r);
        }
        s.set("registers", registers);
        return s;
    }

private:
#ifdef KALVOX_WEB_RESULT_FILES
    static val texts(const std::vector<std::string>& list) {
        val out = val::array();
        for (const std::string& text : list) out.call<void>("push", text);
        return out;
    }

    // The folder the names of result files are read and written in.
    static void enterFileFolder() {
        constexpr const char* kFolder = "/results";
        mkdir(kFolder, 0700);             // already there after the first time
        if (chdir(kFolder) != 0) return;  // the names then stand in the root folder
    }
#endif

    static constexpr const char* kOutputBoxTooltip = "计算结果输出框";
    PanelModel model_;
};

}  // namespace
}  // namespace kalvox

EMSCRIPTEN_BINDINGS(kalvox) {
    using kalvox::WebPanel;
    emscripten::class_<WebPanel>("Panel")
        .constructor<>()
        .class_function("keys", &WebPanel::keys)
        .class_function("groups", &WebPanel::groups)
        .class_function("modes", &WebPanel::modes)
        .class_function("presetTags", &WebPanel::presetTags)
        .class_function("tagTooltip", &WebPanel::tagTooltip)
        .class_function("typingNote", &WebPanel::typingNote)
        .class_function("filterKey", &WebPanel::filterKey)
        .function("syncInput", &WebPanel::syncInput)
        .function("press", &WebPanel::press)
        .function("selectMode", &WebPanel::selectMode)
        .function("toggleInverse", &WebPanel::toggleInverse)
        .function("walkHistory", &WebPanel::walkHistory)
        .function("editOutput", &WebPanel::editOutput)
        .function("editTag", &WebPanel::editTag)
        .function("restoreRegisters", &WebPanel::restoreRegisters)
        .class_function("hasResultFiles", &WebPanel::hasResultFiles)
#ifdef KALVOX_WEB_RESULT_FILES
        .class_function("saveFilters", &WebPanel::saveFilters)
        .function("saveFile", &WebPanel::saveFile)
        .function("openFile", &WebPanel::openFile)
#endif
        .function("state", &WebPanel::state)
        .function("copyForms", &WebPanel::copyForms);
}
