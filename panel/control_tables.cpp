#include "panel/control_tables.h"

#include <array>

namespace kalvox {
namespace {

using enum KeyGroup;

// Columns and rows of the key pad, in twips.
constexpr int kCol[] = {840, 1440, 2040, 2640, 3240, 3840};
constexpr int kRowFunctions = 2160;
constexpr int kRowFunctions2 = 2520;
constexpr int kRow7 = 3120;
constexpr int kRow4 = 3480;
constexpr int kRow1 = 3840;
constexpr int kRow0 = 4200;

constexpr ControlRow pad(KeyGroup group, int index, int left, int top) {
    return {ControlKind::PadKey, {group, index}, "", "", "", {left, top, kKeyWidth, kKeyHeight}};
}

constexpr ControlRow other(ControlKind kind, const char* name, const char* caption,
                           const char* tooltip, TwipRect place) {
    return {kind, {ShortcutList}, name, caption, tooltip, place};
}

constexpr ControlRow key(ControlKind kind, KeyId id, TwipRect place) {
    return {kind, id, "", "", "", place};
}

constexpr std::array<ControlRow, 13> kTopArea{{
    other(ControlKind::InputBox, "inputBox", "", "表达式输入框", {840, 240, 7815, 375}),
    other(ControlKind::OutputBox, "outputBox", "", "计算结果输出框", {840, 720, 3615, 375}),
    other(ControlKind::Label, "inputLabel", "输入", "", {360, 300, 420, 210}),
    other(ControlKind::Label, "outputLabel", "输出", "", {360, 800, 420, 210}),
    key(ControlKind::Key, {Calculate}, {4920, 720, 735, 375}),
    key(ControlKind::Key, {Clear}, {5760, 720, 735, 375}),
    key(ControlKind::Key, {Backspace}, {6600, 720, 735, 375}),
    key(ControlKind::Key, {Save}, {7440, 720, 735, 375}),
    other(ControlKind::Frame, "modeFrame", "", "", {840, 1200, 3615, 495}),
    key(ControlKind::Option, {Mode, static_cast<int>(FunctionMode::WholeInput)},
        {200, 200, 1215, 260}),
    key(ControlKind::Option, {Mode, static_cast<int>(FunctionMode::Symbol)},
        {1320, 200, 1095, 260}),
    key(ControlKind::Option, {Mode, static_cast<int>(FunctionMode::Output)},
        {2400, 200, 1095, 260}),
    key(ControlKind::CheckBox, {Inverse}, {1030, 1800, 1095, 255}),
}};

constexpr std::array<ControlRow, 36> kKeyPad{{
    pad(Digit, 0, kCol[0], kRow0),
    pad(Digit, 1, kCol[0], kRow1),
    pad(Digit, 2, kCol[1], kRow1),
    pad(Digit, 3, kCol[2], kRow1),
    pad(Digit, 4, kCol[0], kRow4),
    pad(Digit, 5, kCol[1], kRow4),
    pad(Digit, 6, kCol[2], kRow4),
    pad(Digit, 7, kCol[0], kRow7),
    pad(Digit, 8, kCol[1], kRow7),
    pad(Digit, 9, kCol[2], kRow7),
    pad(Digit, 10, kCol[1], kRow0),  // the point
    pad(Operator, 0, kCol[5], kRow7),
    pad(Operator, 1, kCol[5], kRow4),
    pad(Operator, 2, kCol[5], kRow1),
    pad(Operator, 3, kCol[5], kRow0),
    pad(Complex, 0, kCol[3], kRow7),             // ej
    pad(Complex, 1, kCol[3], kRow4),             // j
    pad(Complex, 2, kCol[4], kRow7),             // (
    pad(Complex, 3, kCol[4], kRow4),             // )
    pad(Complex, 4, kCol[3], kRow0),             // a
    pad(Complex, 5, kCol[4], kRow0),             // a^2
    pad(Complex, 6, kCol[3], kRow1),             // E
    pad(Function, 0, kCol[0], kRowFunctions),    // sin
    pad(Function, 1, kCol[1], kRowFunctions),    // cos
    pad(Function, 2, kCol[2], kRowFunctions),    // tan
    pad(Function, 3, kCol[3], kRowFunctions),    // ctn
    pad(Function, 4, kCol[0], kRowFunctions2),   // x^2
    pad(Function, 5, kCol[1], kRowFunctions2),   // x^3
    pad(Function, 6, kCol[2], kRowFunctions2),   // ^
    pad(Function, 7, kCol[4], kRowFunctions),    // ln
    pad(Function, 8, kCol[5], kRowFunctions),    // log
    pad(Function, 9, kCol[3], kRowFunctions2),   // 1/x
    pad(Function, 10, kCol[4], kRowFunctions2),  // n!
    pad(Function, 11, kCol[5], kRowFunctions2),  // ej-j
    pad(Pi, 0, kCol[2], kRow0),
    pad(Equals, 0, kCol[4], kRow1),
}};

}  // namespace

std::span<const ControlRow> topAreaControls() { return kTopArea; }
std::span<const ControlRow> keyPadControls() { return kKeyPad; }

}  // namespace kalvox
