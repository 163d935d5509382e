#pragma once
// Where the controls of the main window stand. Keys are named by their id in the key
// table (model/panel_keys.h), which gives their names, captions and tooltips; the
// other controls (the boxes, labels and the frame) carry their texts here. The
// window builds each table in one loop.

#include <span>

#include "model/panel_keys.h"
#include "ui/twips.h"

namespace kalvox {

// Every key of the key pad measures 500 x 330 twips.
inline constexpr int kKeyWidth = 500;
inline constexpr int kKeyHeight = 330;

// Kinds of the controls.
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
    KeyId key;            // for a key, option or check box: its row in the key table
    const char* name;     // object name of any other control
    const char* caption;  // UTF-8, "" for none (other controls)
    const char* tooltip;  // UTF-8, "" for none (other controls)
    TwipRect place;
};

// The top area in creation (and so tab) order: inputBox, outputBox, inputLabel, outputLabel,
// calculateKey, clearKey, backspaceKey, saveKey, modeFrame with wholeInputOption, symbolOption,
// outputOption, and inverseBox.
std::span<const ControlRow> topAreaControls();
// The key pad in creation order: the digit, operator, complex-entry and function
// key arrays, then π and "=".
std::span<const ControlRow> keyPadControls();

// The memory block: register k (1 to 9) is the row at top 1320 + 360 * (k - 1).
inline constexpr int kRegisterRowTop = 1320;
inline constexpr int kRegisterRowPitch = 360;
inline constexpr TwipRect kStoreKey{4680, 0, 400, 300};     // storeKey, top relative to the row
inline constexpr TwipRect kTagBox{5160, 0, 855, 315};       // tagBox
inline constexpr TwipRect kContentBox{6120, 0, 2175, 300};  // contentBox
inline constexpr TwipRect kRecallKey{8400, 0, 400, 300};    // recallKey

}  // namespace kalvox
