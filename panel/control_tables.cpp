#include "panel/control_tables.h"

#include <array>

namespace kalvox {
namespace {

// Columns and rows of the key pad, in twips.
constexpr int kCol[] = {840, 1440, 2040, 2640, 3240, 3840};
constexpr int kRowFunctions = 2160;
constexpr int kRowFunctions2 = 2520;
constexpr int kRow7 = 3120;
constexpr int kRow4 = 3480;
constexpr int kRow1 = 3840;
constexpr int kRow0 = 4200;

constexpr std::array<KeyRow, 11> kDigitKeys{{
    {0, "0", "", kCol[0], kRow0},
    {1, "1", "", kCol[0], kRow1},
    {2, "2", "", kCol[1], kRow1},
    {3, "3", "", kCol[2], kRow1},
    {4, "4", "", kCol[0], kRow4},
    {5, "5", "", kCol[1], kRow4},
    {6, "6", "", kCol[2], kRow4},
    {7, "7", "", kCol[0], kRow7},
    {8, "8", "", kCol[1], kRow7},
    {9, "9", "", kCol[2], kRow7},
    {10, ".", "", kCol[1], kRow0},
}};

constexpr std::array<KeyRow, 4> kOperatorKeys{{
    {0, "+", "", kCol[5], kRow7},
    {1, "-", "", kCol[5], kRow4},
    {2, "*", "", kCol[5], kRow1},
    {3, "/", "", kCol[5], kRow0},
}};

constexpr std::array<KeyRow, 7> kComplexKeys{{
    {0, "ej", "复数计算指数形式的输入", kCol[3], kRow7},
    {1, "j", "复数计算代数形式虚部的输入", kCol[3], kRow4},
    {2, "(", "", kCol[4], kRow7},
    {3, ")", "", kCol[4], kRow4},
    {4, "a", "旋转因子:逆时针旋转120度", kCol[3], kRow0},
    {5, "a^2", "旋转因子:顺时针旋转120度", kCol[4], kRow0},
    {6, "E", "科学计数法符号", kCol[3], kRow1},
}};

// The designed tooltips of keys 0 to 9 are replaced at start-up by functionTooltip().
constexpr std::array<KeyRow, 12> kFunctionKeys{{
    {0, "sin", "", kCol[0], kRowFunctions},
    {1, "cos", "", kCol[1], kRowFunctions},
    {2, "tan", "", kCol[2], kRowFunctions},
    {3, "ctn", "", kCol[3], kRowFunctions},
    {4, "x^2", "", kCol[0], kRowFunctions2},
    {5, "x^3", "", kCol[1], kRowFunctions2},
    {6, "^", "幂函数符号", kCol[2], kRowFunctions2},
    {7, "ln", "自然对数", kCol[4], kRowFunctions},
    {8, "log", "常用对数", kCol[5], kRowFunctions},
    {9, "1/x", "", kCol[3], kRowFunctions2},
    {10, "n!", "阶乘", kCol[4], kRowFunctions2},
    {11, "ej-j", "复数的指数形式、代数形式转换", kCol[5], kRowFunctions2},
}};

constexpr std::array<ControlRow, 13> kTopArea{{
    {ControlKind::InputBox, "Text1", "", "表达式输入框", {840, 240, 7815, 375}},
    {ControlKind::OutputBox, "Text2", "", "计算结果输出框", {840, 720, 3615, 375}},
    {ControlKind::Label, "Label1", "输入", "", {360, 300, 420, 210}},
    {ControlKind::Label, "Label2", "输出", "", {360, 800, 420, 210}},
    {ControlKind::Key, "comjs", "计算", "", {4920, 720, 735, 375}},
    {ControlKind::Key, "command3", "清零", "", {5760, 720, 735, 375}},
    {ControlKind::Key, "comtuige", "退格", "", {6600, 720, 735, 375}},
    {ControlKind::Key, "commsave", "保存", "将计算结果保存至文件", {7440, 720, 735, 375}},
    {ControlKind::Frame, "Frame1", "", "", {840, 1200, 3615, 495}},
    {ControlKind::Option,
     "qbshuruxz",
     "整式输入",
     "对整个输入表达式输入函数符号 ",
     {200, 200, 1215, 260}},
    {ControlKind::Option, "hsfhxz", "函数符号", "在输入框输入函数符号", {1320, 200, 1095, 260}},
    {ControlKind::Option, "shuchuxz", "输出求值", "计算输出值的函数", {2400, 200, 1095, 260}},
    {ControlKind::CheckBox, "Check1", "反函数", "", {1030, 1800, 1095, 255}},
}};

constexpr std::array<ControlRow, 2> kPadSingleKeys{{
    {ControlKind::PadKey,
     "pifh",
     "π",
     "圆周率:3.14159265358979",
     {kCol[2], kRow0, kKeyWidth, kKeyHeight}},
    {ControlKind::PadKey, "Command2", "=", "", {kCol[4], kRow1, kKeyWidth, kKeyHeight}},
}};

struct TooltipPair {
    const char* plain;
    const char* inverse;
};

constexpr std::array<TooltipPair, 10> kFunctionTooltips{{
    {"正弦函数", "反正弦函数"},
    {"余弦函数", "反余弦函数"},
    {"正切函数", "反正切函数"},
    {"余切函数", "反余切函数"},
    {"平方", "平方根"},
    {"立方", "立方根"},
    {"X的Y次幂", "X的Y次幂"},
    {"自然对数", "e次幂"},
    {"常用对数", "10次幂"},
    {"倒数", "倒数"},
}};

}  // namespace

std::span<const KeyRow> digitKeys() { return kDigitKeys; }
std::span<const KeyRow> operatorKeys() { return kOperatorKeys; }
std::span<const KeyRow> complexKeys() { return kComplexKeys; }
std::span<const KeyRow> functionKeys() { return kFunctionKeys; }
std::span<const ControlRow> topAreaControls() { return kTopArea; }
std::span<const ControlRow> padSingleKeys() { return kPadSingleKeys; }

int functionTooltipCount() { return static_cast<int>(kFunctionTooltips.size()); }

const char* functionTooltip(int index, bool inverse) {
    if (index < 0 || index >= static_cast<int>(kFunctionTooltips.size())) return "";
    const TooltipPair& pair = kFunctionTooltips[static_cast<std::size_t>(index)];
    return inverse ? pair.inverse : pair.plain;
}

}  // namespace kalvox
