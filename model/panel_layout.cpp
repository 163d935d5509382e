// Where every control of the main window stands, in twips, in the order the window
// creates them (and so the tab order). Keys take their names, captions and
// tooltips from the key table.
#include <array>
#include <vector>

#include "memory/registers.h"
#include "model/panel_keys.h"

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

// The memory block: one row a register.
constexpr int kRegisterRowTop = 1320;
constexpr int kRegisterRowPitch = 360;
constexpr TwipRect kStoreKey{4680, 0, 400, 300};  // tops relative to the row
constexpr TwipRect kTagBox{5160, 0, 855, 315};
constexpr TwipRect kContentBox{6120, 0, 2175, 300};
constexpr TwipRect kRecallKey{8400, 0, 400, 300};

ControlRow key(ControlKind kind, KeyId id, TwipRect place) {
    const PanelKey& row = panelKey(id);
    return {kind, id, -1, row.name, row.caption, row.tooltip, place};
}

ControlRow pad(KeyGroup group, int index, int left, int top) {
    return key(ControlKind::PadKey, {group, index}, {left, top, kKeyWidth, kKeyHeight});
}

ControlRow other(ControlKind kind, const char* name, const char* caption, const char* tooltip,
                 TwipRect place) {
    return {kind, {ShortcutList}, -1, name, caption, tooltip, place};
}

std::vector<ControlRow> topArea() {
    return {
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
    };
}

std::vector<ControlRow> keyPad() {
    return {
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
    };
}

TwipRect inRow(const TwipRect& r, int index) {
    return {r.left, kRegisterRowTop + kRegisterRowPitch * index, r.width, r.height};
}

std::vector<ControlRow> memoryBlock() {
    std::vector<ControlRow> rows;
    for (int i = 0; i < kRegisterCount; ++i) {
        const std::string n = std::to_string(i);
        rows.push_back(key(ControlKind::Key, {Store, i}, inRow(kStoreKey, i)));
        rows.push_back({ControlKind::TagBox,
                        {ShortcutList},
                        i,
                        "tagBox_" + n,
                        "",
                        tagTooltip(i + 1),
                        inRow(kTagBox, i)});
        rows.push_back({ControlKind::ContentBox,
                        {ShortcutList},
                        i,
                        "contentBox_" + n,
                        "",
                        "",
                        inRow(kContentBox, i)});
        rows.push_back(key(ControlKind::Key, {Recall, i}, inRow(kRecallKey, i)));
    }
    return rows;
}

}  // namespace

std::span<const ControlRow> topAreaControls() {
    static const std::vector<ControlRow> rows = topArea();
    return rows;
}

std::span<const ControlRow> keyPadControls() {
    static const std::vector<ControlRow> rows = keyPad();
    return rows;
}

std::span<const ControlRow> memoryBlockControls() {
    static const std::vector<ControlRow> rows = memoryBlock();
    return rows;
}

}  // namespace kalvox
