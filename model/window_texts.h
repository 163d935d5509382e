#pragma once
// The texts of the window that belong to no key of the key table: its title, the
// menu of complex words, the output box's copy entries and the shortcut list.
// Standard C++ only; texts are UTF-8.

#include <array>
#include <string_view>

namespace kalvox {

inline constexpr std::string_view kWindowTitle = "Kalvox";
// The title of every message box the window shows.
inline constexpr std::string_view kMessageTitle = "Kalvox";
// The menu of the complex words (conj ... 对称分量) in the menu bar.
inline constexpr std::string_view kComplexMenuCaption = "复数";
inline constexpr std::string_view kComplexMenuName = "complexMenu";

// The shortcut list (F1): its window, its two columns, its close button.
inline constexpr std::string_view kShortcutListTitle = "Kalvox 快捷键";
inline constexpr std::string_view kShortcutKeysHeader = "按键";
inline constexpr std::string_view kShortcutMeaningHeader = "作用";
inline constexpr std::string_view kShortcutListClose = "关闭";

// What needs no shortcut, under the shortcut list, one paragraph a row: what typing
// enters, how the value keys fit in, the words of the complex menu, and the keys of
// the input box.
inline constexpr std::array<std::string_view, 7> kTypingNote = {
    "直接键入:每个可打印字符都照样输入,包括数字、. + - * / ^ ( ) !、空格和字母"
    "(sin30、2^3;E 和 J 输入为 e 和 j)。计算器不认识的词或符号在按 = 时报错并选中。",
    "π、a、a^2 和 MR1…MR9 各输入一个完整的值:前面或后面紧挨数值时自动加 *"
    "(2 后按 π 为 2*3.14159265358979;a 单独为 ej120,即 1ej120);"
    "代数形式或带符号的存储值加括号输入,如 3*(6348+j8464)。",
    "复数菜单的词也可直接键入:conj abs arg re im sqrt exp(如 conj(3+j4)、√3 读作 sqrt3),"
    "并联 ||(与 * / 同级),ans 为按 = 时输出框中的值。",
    "函数也可作用于复数,得主值:sin、cos、tan、ctn 及其反函数仍以度为单位,"
    "exp 和复数次方以弧度为单位(如 ln(3+j4)、2^j4)。上标数字是指数:110² 即 110^2,"
    "10⁻³ 即 10^-3;上标后紧跟的数相乘,2²3 即 2^2*3。",
    "数后紧跟的 SI 词头按倍数读:p n u(µ) m k M G T,如 4.7k、100µ、2kej30;"
    "区分大小写(m 为毫,M 为兆)。"
    "显示菜单:常规、工程(4.7k、22µ)和有效数字 15/12/10/6,只改变输出框的显示;"
    "存储、保存、ans 和 ej-j 用完整的值。",
    "单独的小写 e 是自然常数 2.71828182845905(e^-1、12*(1-e^(-5m/(1k*10µ))));"
    "∠ 和 ej 后面也可以是括号或函数,作为以度计的相角(100∠-arccos(0.9)、1ej(90+30))。"
    "exp、e^ 和各次方的指数以弧度计,其中紧跟数字的 ° 报错并选中;别处的 ° 照旧略去(sin30°)。",
    "回车:= (计算)。上、下箭头:在输入框中翻看本次运行输入过的表达式。",
};

}  // namespace kalvox
