#pragma once
// The controls of the main window as tables. The key arrays: one row a key, with its
// index in the array, its caption, its designed tooltip and its place in twips. The
// single controls (the top area, π and "="): one row a control, with its kind and name
// as well. The window builds each table in one loop.

#include <span>

#include "ui/twips.h"

namespace kalvox {

struct KeyRow {
    int index;            // index in its control array
    const char* caption;  // UTF-8
    const char* tooltip;  // UTF-8, "" for none
    int left;             // twips
    int top;              // twips
};

// Every key of the key pad measures 500 x 330 twips.
inline constexpr int kKeyWidth = 500;
inline constexpr int kKeyHeight = 330;

// szsrfh (数字输入符号): the digit keys 0 to 9 and the point key (index 10).
std::span<const KeyRow> digitKeys();
// ysfhsr (运算符号输入): the operator keys + - * /.
std::span<const KeyRow> operatorKeys();
// fushufh (复数符号): the complex-entry keys ej, j, (, ), a, a^2, E.
std::span<const KeyRow> complexKeys();
// comfunction: the twelve function keys sin ... ej-j.
std::span<const KeyRow> functionKeys();

// Tooltips of the function keys sin ... 1/x for the inverse box unchecked and checked.
const char* functionTooltip(int index, bool inverse);
// How many keys, from sin on, have a tooltip that follows the inverse box.
int functionTooltipCount();

// Kinds of the single controls.
enum class ControlKind {
    InputBox,   // the input box: an InputBox on the input colour, no length limit
    OutputBox,  // the output box: a line box on the output colour, no length limit
    Label,      // a caption in the larger window font
    Key,        // a command key with the window's face
    PadKey,     // a key of the key pad, white
    Frame,      // a frame of options
    Option,     // an option of the frame built last; the place is relative to the frame
    CheckBox,
};

struct ControlRow {
    ControlKind kind;
    const char* name;     // object name
    const char* caption;  // UTF-8, "" for none
    const char* tooltip;  // UTF-8, "" for none
    TwipRect place;
};

// The top area in creation (and so tab) order: Text1, Text2, Label1, Label2, comjs,
// command3, comtuige, commsave, Frame1 with qbshuruxz, hsfhxz, shuchuxz, and Check1.
std::span<const ControlRow> topAreaControls();
// The single keys of the key pad, built after its arrays: pifh (π) and Command2 ("=").
std::span<const ControlRow> padSingleKeys();

// The memory block: register k (1 to 9) is the row at top 1320 + 360 * (k - 1).
inline constexpr int kRegisterRowTop = 1320;
inline constexpr int kRegisterRowPitch = 360;
inline constexpr TwipRect kStoreKey{4680, 0, 400, 300};     // congchu, top relative to the row
inline constexpr TwipRect kTagBox{5160, 0, 855, 315};       // ccjgbz
inline constexpr TwipRect kContentBox{6120, 0, 2175, 300};  // tiqushuju
inline constexpr TwipRect kRecallKey{8400, 0, 400, 300};    // tiqu

}  // namespace kalvox
