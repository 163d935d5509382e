#include "model/panel_keys.h"

#include <array>
#include <vector>

#include "engine/constants.h"
#include "memory/registers.h"

namespace kalvox {
namespace {

using enum KeyGroup;

struct FunctionRow {
    FunctionKey key;
    const char* caption;
    const char* tooltip;
    const char* inverseTooltip;
    const char* shortcut;  // a letter of the name with Alt; ej-j on F9
};

// In key order: row i is the key with keyIndex i.
constexpr std::array<FunctionRow, kFunctionKeyCount> kFunctionRows{{
    {FunctionKey::Sin, "sin", "正弦函数", "反正弦函数", "Alt+S"},
    {FunctionKey::Cos, "cos", "余弦函数", "反余弦函数", "Alt+C"},
    {FunctionKey::Tan, "tan", "正切函数", "反正切函数", "Alt+T"},
    {FunctionKey::Ctn, "ctn", "余切函数", "反余切函数", "Alt+N"},
    {FunctionKey::Square, "x^2", "平方", "平方根", "Alt+Q"},
    {FunctionKey::Cube, "x^3", "立方", "立方根", "Alt+U"},
    {FunctionKey::Power, "^", "X的Y次幂", "X的Y次幂", "Alt+P"},
    {FunctionKey::Ln, "ln", "自然对数", "e次幂", "Alt+L"},
    {FunctionKey::Log, "log", "常用对数", "10次幂", "Alt+G"},
    {FunctionKey::Reciprocal, "1/x", "倒数", "倒数", "Alt+R"},
    {FunctionKey::Factorial, "n!", "阶乘", "阶乘", "Alt+F"},
    {FunctionKey::EjJ, "ej-j", "复数的指数形式、代数形式转换", "复数的指数形式、代数形式转换",
     "F9"},
}};

// The options in the order of their shortcuts F2, F3, F4.
constexpr std::array<FunctionMode, 3> kModes = {FunctionMode::WholeInput, FunctionMode::Symbol,
                                                FunctionMode::Output};

struct ComplexRow {
    const char* caption;
    const char* inserts;
    const char* tooltip;
};

// complexKey: the complex-entry keys in array order.
constexpr std::array<ComplexRow, 7> kComplexRows{{
    {"ej", "ej", "复数计算指数形式的输入"},
    {"j", "j", "复数计算代数形式虚部的输入"},
    {"(", "(", ""},
    {")", ")", ""},
    {"a", "ej120", "旋转因子:逆时针旋转120度"},
    {"a^2", "ej-120", "旋转因子:顺时针旋转120度"},
    {"E", "E", "科学计数法符号"},
}};
constexpr int kRotation = 4;  // "a"; "a^2" follows it

struct ComplexMenuRow {
    ComplexEntry entry;
    const char* name;     // object name of the menu entry
    const char* caption;  // the word or symbol after the Chinese name
    const char* inserts;  // what the entry inserts at the caret ("" for 对称分量, 相量图)
    const char* shortcut;
    const char* help;
};

// The 复数 menu in menu order: row i is the entry with index i. The object names
// say what the entry gives, followed by "Entry".
constexpr std::array<ComplexMenuRow, kComplexEntryCount> kComplexMenuRows{{
    {ComplexEntry::Conj, "conjugateEntry", "共轭 conj", "conj", "Alt+Shift+C",
     "共轭复数(模不变,辐角取反),如 conj(3+j4)"},
    {ComplexEntry::Abs, "magnitudeEntry", "模 abs", "abs", "Alt+M", "复数的模(实数的绝对值)"},
    {ComplexEntry::Arg, "angleEntry", "辐角 arg", "arg", "Alt+D",
     "复数的辐角,单位为度,在 -180 到 180 之间"},
    {ComplexEntry::Re, "realPartEntry", "实部 re", "re", "Alt+Shift+E", "复数的实部"},
    {ComplexEntry::Im, "imaginaryPartEntry", "虚部 im", "im", "Alt+I", "复数的虚部"},
    {ComplexEntry::Sqrt, "squareRootEntry", "平方根 √", "sqrt", "Alt+Shift+Q",
     "平方根(输入 sqrt;粘贴的 √ 也读作 sqrt)"},
    {ComplexEntry::Exp, "exponentialEntry", "指数 exp", "exp", "Alt+X", "e 的 x 次幂(x 为实数)"},
    {ComplexEntry::Parallel, "parallelEntry", "并联 ||", "||", "Alt+B",
     "并联运算 a||b = a*b/(a+b),与乘除同级(粘贴的 ∥ 也读作 ||)"},
    {ComplexEntry::Ans, "lastResultEntry", "上次结果 ans", "ans", "Alt+Shift+N",
     "上次结果:按 = 时输出框中的值"},
    {ComplexEntry::Symmetrical, "symmetricalComponentsEntry", "对称分量", "", "Alt+Shift+S",
     "由第1、2、3个存储结果(a、b、c 相)求零序、正序、负序分量,存入第4、5、6个存储结果"},
    {ComplexEntry::Phasors, "phasorDiagramEntry", "相量图", "", "Alt+Shift+P",
     "打开相量图窗口,把存有数值的存储结果画成箭头,存储结果改变时随之重画"},
}};

constexpr std::array<const char*, 4> kOperators = {"+", "-", "*", "/"};

// What the shortcut list adds for a key that enters a whole value.
constexpr const char* kStandsAloneHelp = ",紧挨数值时自动加 *";

std::string member(const char* array, int index) {
    return std::string(array) + "_" + std::to_string(index);
}

// The shortcut list's text of a function key: its tooltip and, where the inverse
// differs, the inverse's.
std::string functionHelp(const FunctionRow& f) {
    std::string help = f.tooltip;
    if (std::string_view(f.inverseTooltip) != f.tooltip) {
        help += std::string("(反函数:") + f.inverseTooltip + ")";
    }
    return help;
}

std::vector<PanelKey> buildKeys() {
    std::vector<PanelKey> keys;
    auto add = [&keys](PanelKey key) {
        if (key.inverseTooltip.empty()) key.inverseTooltip = key.tooltip;
        if (key.help.empty() && !key.shortcut.empty()) key.help = key.tooltip;
        keys.push_back(std::move(key));
    };
    add({{ShortcutList}, "", "", "", "", "", "F1", "快捷键一览(本窗口)"});
    add({{Save}, "saveKey", "保存", "将计算结果保存至文件", "", "", "Ctrl+S", ""});
    add({{Open}, "openCommand", "打开", "", "", "", "Ctrl+O", "打开保存的计算结果文件"});
    add({{Clear}, "clearKey", "清零", "", "", "", "Ctrl+L", "清空输入框和输出框"});
    add({{Backspace}, "backspaceKey", "退格", "", "", "", "Ctrl+B", "删除光标前的一个字符"});
    add({{About}, "aboutCommand", "关于", "", "", "", "Ctrl+F1", ""});

    struct ModeRow {
        const char* name;
        const char* caption;
        const char* tooltip;
        const char* shortcut;
    };
    constexpr ModeRow kModeRows[] = {
        {"wholeInputOption", "整式输入", "对整个输入表达式输入函数符号 ", "F2"},
        {"symbolOption", "函数符号", "在输入框输入函数符号", "F3"},
        {"outputOption", "输出求值", "计算输出值的函数", "F4"},
    };
    for (std::size_t i = 0; i < kModes.size(); ++i) {
        const ModeRow& m = kModeRows[i];
        std::string help = m.tooltip;
        while (!help.empty() && help.back() == ' ') help.pop_back();
        add({{Mode, static_cast<int>(kModes[i])},
             m.name,
             m.caption,
             m.tooltip,
             "",
             "",
             m.shortcut,
             help});
    }
    add({{Inverse}, "inverseBox", "反函数", "", "", "", "F5", "选中或取消"});

    for (std::size_t i = 0; i < kFunctionRows.size(); ++i) {
        const FunctionRow& f = kFunctionRows[i];
        const int index = static_cast<int>(keyIndex(f.key));
        add({{Function, index},
             member("functionKey", index),
             f.caption,
             f.tooltip,
             f.inverseTooltip,
             "",
             f.shortcut,
             functionHelp(f)});
    }

    add({{Pi},
         "piKey",
         "π",
         "圆周率:" + std::string(kPiText),
         "",
         std::string(kPiText),
         "Ctrl+P",
         "圆周率(输入 " + std::string(kPiText) + ")" + kStandsAloneHelp,
         true});
    // The rotation factors: the list says what they insert.
    for (int i = kRotation; i <= kRotation + 1; ++i) {
        const ComplexRow& c = kComplexRows[static_cast<std::size_t>(i)];
        // "旋转因子:..." reads "旋转因子,..." in the list.
        const std::string_view tip = c.tooltip;
        const std::size_t colon = tip.find(':');
        std::string help(tip.substr(0, colon));
        help.append(",").append(tip.substr(colon + 1));
        add({{Complex, i},
             member("complexKey", i),
             c.caption,
             c.tooltip,
             "",
             c.inserts,
             i == kRotation ? "Alt+A" : "Alt+Shift+A",
             help + "(输入 " + c.inserts + ")" + kStandsAloneHelp,
             true});
    }

    // The store keys MW1 ... MW9 on Ctrl and a digit, the recall keys MR1 ... MR9 on Alt.
    struct RegisterKeys {
        KeyGroup group;
        const char* array;
        const char* caption;
        const char* verb;
        const char* modifier;
    };
    constexpr RegisterKeys kRegisterKeys[] = {{Store, "storeKey", "MW", "存储", "Ctrl+"},
                                              {Recall, "recallKey", "MR", "提取", "Alt+"}};
    for (const RegisterKeys& r : kRegisterKeys) {
        for (int k = 1; k <= kRegisterCount; ++k) {
            const std::string n = std::to_string(k);
            add({{r.group, k - 1},
                 member(r.array, k - 1),
                 r.caption + n,
                 r.verb + ("第" + n) + "个计算结果",
                 "",
                 "",
                 r.modifier + n,
                 ""});
        }
    }

    // The 复数 menu: the function words follow the function mode.
    for (const ComplexMenuRow& c : kComplexMenuRows) {
        add({{ComplexMenu, static_cast<int>(c.entry)},
             c.name,
             c.caption,
             c.help,
             "",
             c.inserts,
             c.shortcut,
             ""});
    }

    // The keys without a shortcut.
    for (int i = 0; i < static_cast<int>(kComplexRows.size()); ++i) {
        if (i == kRotation || i == kRotation + 1) continue;
        const ComplexRow& c = kComplexRows[static_cast<std::size_t>(i)];
        add({{Complex, i}, member("complexKey", i), c.caption, c.tooltip, "", c.inserts, "", ""});
    }
    for (int d = 0; d <= 10; ++d) {
        const std::string text = d == 10 ? "." : std::to_string(d);
        add({{Digit, d}, member("digitKey", d), text, "", "", text, "", ""});
    }
    for (int i = 0; i < static_cast<int>(kOperators.size()); ++i) {
        const char* op = kOperators[static_cast<std::size_t>(i)];
        add({{Operator, i}, member("operatorKey", i), op, "", "", op, "", ""});
    }
    add({{Equals}, "equalsKey", "=", "", "", "", "", ""});
    add({{Calculate}, "calculateKey", "计算", "", "", "", "", ""});
    return keys;
}

const std::vector<PanelKey>& keyTable() {
    static const std::vector<PanelKey> keys = buildKeys();
    return keys;
}

constexpr std::array<std::string_view, 14> kPresetTags = {
    "Ia", "Ib", "Ic", "Ua", "Ub", "Uc", "I", "U", "P", "Q", "S", "cosφ", "CT变比", "PT变比",
};

}  // namespace

std::string PanelKey::helpLine() const {
    if (caption.empty()) return help;
    if (help.empty()) return caption;
    return caption + ":" + help;
}

std::span<const PanelKey> panelKeys() { return keyTable(); }

const PanelKey& panelKey(KeyId id) {
    for (const PanelKey& key : keyTable()) {
        if (key.id == id) return key;
    }
    return keyTable().front();  // unreachable for the panel's ids
}

std::span<const std::string_view> presetTags() { return kPresetTags; }

std::string tagTooltip(int k) { return "选择或输入第" + std::to_string(k) + "个存储标志"; }

std::string tagTooltip(int k, std::string_view tag) {
    int characters = 0;  // code points: every byte but a UTF-8 continuation byte
    for (char c : tag) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
    }
    if (characters <= kTagShownWhole) return tagTooltip(k);
    return std::string(tag) + "\n" + tagTooltip(k);
}

}  // namespace kalvox
