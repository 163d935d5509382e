#pragma once
// Every key and command of the calculator panel in one table: its id, the object
// name of its control, caption, tooltip, what a click inserts, its keyboard
// shortcut and its line in the shortcut list (F1). The panel model reads what a
// key does from it, the window builds its buttons and shortcuts from it and the
// shortcut list shows its rows. Where every control of the window stands, the
// boxes and labels among them, is the table's second half (panel_layout.cpp).
// Standard C++ only; texts are UTF-8.

#include <span>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "model/twip_rect.h"

namespace kalvox {

// The kinds of key; the keys of one kind form one control array, counted from 0.
enum class KeyGroup {
    ShortcutList,  // F1: the list of shortcuts (no control)
    Save,          // saveKey (保存)
    Open,          // openCommand (打开), a menu command
    Clear,         // clearKey (清零)
    Backspace,     // backspaceKey (退格)
    About,         // aboutCommand (关于), a menu command
    Mode,          // the options 整式输入, 函数符号, 输出求值 (index: FunctionMode)
    Inverse,       // inverseBox (反函数)
    Function,      // functionKey: index keyIndex(FunctionKey)
    Pi,            // piKey (π)
    Complex,       // complexKey (复数符号): ej, j, (, ), a, a^2, E
    Store,         // storeKey (存储): MW1 ... MW9
    Recall,        // recallKey (提取): MR1 ... MR9
    Digit,         // digitKey (数字输入符号): 0 ... 9, point at 10
    Operator,      // operatorKey (运算符号输入): + - * /
    Equals,        // equalsKey ("=")
    Calculate,     // calculateKey (计算)
    ComplexMenu,   // the 复数 menu of the menu bar (index: ComplexEntry)
};

// The entries of the 复数 menu, in menu order. The first seven are function words
// that follow the function mode like the function keys; || and ans insert at the
// caret in every mode; 对称分量 works on the registers; 相量图 opens a window.
enum class ComplexEntry {
    Conj,         // 共轭: the conjugate
    Abs,          // 模: the magnitude
    Arg,          // 辐角: the angle in degrees
    Re,           // 实部: the real part
    Im,           // 虚部: the imaginary part
    Sqrt,         // 平方根: the square root
    Exp,          // 指数: e to the power
    Parallel,     // 并联: the parallel operator "||"
    Ans,          // 上次结果: the last result
    Symmetrical,  // 对称分量: symmetrical components of registers 1-3 into 4-6
    Phasors,      // 相量图: the window that draws the registers as arrows
};
inline constexpr int kComplexEntryCount = 11;

// Whether a 复数 menu entry is a function word (conj ... exp).
constexpr bool isComplexFunction(ComplexEntry entry) {
    return static_cast<int>(entry) <= static_cast<int>(ComplexEntry::Exp);
}

struct KeyId {
    KeyGroup group;
    int index = 0;  // the member of its control array; 0 for a single control

    friend bool operator==(const KeyId&, const KeyId&) = default;
};

struct PanelKey {
    KeyId id;
    std::string name;            // object name of its control ("" for none)
    std::string caption;         // "" for none
    std::string tooltip;         // the tooltip shown from start-up ("" for none)
    std::string inverseTooltip;  // the tooltip while 反函数 is checked (function keys)
    std::string inserts;         // what a click inserts at the caret ("" for nothing)
    std::string shortcut;        // keys in portable form ("Ctrl+S"), "" for none
    std::string help;            // what the shortcut list says after the caption
    // The key enters a whole value (π, a, a^2): a "*" joins it to a value beside it
    // rather than its digits running into the neighbour's.
    bool standsAlone = false;

    // The shortcut list's line: caption, ":" and help, or either alone.
    std::string helpLine() const;
};

// Every key, in the order of the shortcut list; keys without a shortcut come last.
std::span<const PanelKey> panelKeys();

// The row of a key. Every KeyId of the panel has one.
const PanelKey& panelKey(KeyId id);

// The preset tags every tag box offers, in display order.
std::span<const std::string_view> presetTags();

// The tooltip of register k's tag box (1 to 9).
std::string tagTooltip(int k);

// A tag box shows a tag of up to this many characters whole; a longer one shows its
// start, and its tooltip shows the whole tag.
inline constexpr int kTagShownWhole = 4;

// The tooltip of register k's tag box while it holds tag: for a tag longer than
// kTagShownWhole characters, the whole tag on a line before the box's own tooltip.
std::string tagTooltip(int k, std::string_view tag);

// --- Where the controls stand ----------------------------------------------------

// Every key of the key pad measures 500 x 330 twips.
inline constexpr int kKeyWidth = 500;
inline constexpr int kKeyHeight = 330;

// Kinds of the controls.
enum class ControlKind {
    InputBox,    // the input box: an InputBox on the input colour, no length limit
    OutputBox,   // the output box: a line box on the output colour, no length limit
    Label,       // a caption in the larger window font
    Key,         // a command key with the window's face
    PadKey,      // a key of the key pad, white
    Frame,       // a frame of options
    Option,      // an option of the frame built last; the place is relative to the frame
    CheckBox,    // the inverse box
    TagBox,      // a register's tag box: an editable list of the preset tags
    ContentBox,  // a register's content box: the stored output, read-only
};

// One control of the window. A key's name, caption and tooltip are its row's in the
// key table; every other control has its own.
struct ControlRow {
    ControlKind kind;
    KeyId key;               // a key, option or check box: its id; otherwise {ShortcutList}
    int registerIndex = -1;  // a tag or content box: register k - 1
    std::string name;        // object name
    std::string caption;     // "" for none
    std::string tooltip;     // the tooltip from start-up; "" for none
    TwipRect place;          // in twips, within the client area (an option: its frame)
};

// The top area in creation (and so tab) order: inputBox, outputBox, inputLabel,
// outputLabel, calculateKey, clearKey, backspaceKey, saveKey, modeFrame with
// wholeInputOption, symbolOption, outputOption, and inverseBox.
std::span<const ControlRow> topAreaControls();
// The key pad in creation order: the digit, operator, complex-entry and function
// key arrays, then π and "=".
std::span<const ControlRow> keyPadControls();
// The memory block, register 1 first, each row left to right: storeKey, tagBox,
// contentBox and recallKey. Register k is the row at top 1320 + 360 * (k - 1).
std::span<const ControlRow> memoryBlockControls();

}  // namespace kalvox
