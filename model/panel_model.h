#pragma once
// PanelModel: everything the calculator panel holds between two user actions, and
// every rule of what a key, a typed character, a mode option or the inverse box does
// to it. The window draws this state and forwards every event here; the model calls
// the engine and nothing else. Standard C++ only.
//
// The input box is held in UTF-16 code units, as the window's text box counts its
// caret; the output and the registers are UTF-8, as the engine writes them.
//
// Every command first clears the record of what it changes (lastEdit, focus,
// message), so after it the window redraws what the record names.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "memory/registers.h"
#include "model/input_history.h"
#include "model/panel_keys.h"
#include "model/value_display.h"

namespace kalvox {

// How the last command changed the input box, so that the window can make the same
// change to its text box (an insert keeps the box's undo, a new text does not).
struct InputEdit {
    enum class Kind {
        None,     // the text, caret and selection stay
        Replace,  // [from, from + length) replaced by text, caret after it
        SetText,  // a new text; then the caret or selection below
        Caret,    // only the caret or selection moved
    };
    Kind kind = Kind::None;
    int from = 0;
    int length = 0;
    std::u16string text;
};

// Where the last command put the focus.
enum class Focus { Unchanged, Input, Output };

// An entry of the output box's menu that copies the value on show in one form.
struct CopyForm {
    std::string name;     // object name of the entry
    std::string caption;  // what the entry says
    std::string text;     // what it copies; "" when the output is no value (entry off)
};

// The filter of characters typed into the input box: the code of a typed character as a signed
// 16-bit number in, the code to deliver out, 0 meaning the character is discarded.
std::int16_t filterKey(std::int16_t code);

class PanelModel {
public:
    PanelModel();  // the panel as the window opens

    // --- The input box, as the user edits it in the window ------------------------
    // The box's text, caret and selection (start and length; the caret is at one end).
    // `edited` says the user changed the text, which ends a walk through the history.
    void syncInput(std::u16string text, int caret, int selectionStart, int selectionLength,
                   bool edited);
    // The user typed into the output box (it has no filter): its change handling runs.
    void editOutput(std::string text);
    // The user edited register k's tag box (index k - 1).
    void editTag(int index, std::string text);

    // --- Commands ----------------------------------------------------------------
    // A key, option or command of the table, as its click or its shortcut does it.
    // A disabled function key does nothing. Save and Open only evaluate or do
    // nothing here: their dialogs and files belong to the window.
    void press(KeyId key);
    // A mode option became selected with the mouse (nothing when it already was).
    void selectMode(FunctionMode mode);
    // The inverse box was clicked: its state flips.
    void toggleInverse();
    // The inverse box shows `checked` after a click: it flips unless it already is.
    void setInverse(bool checked);
    // Up (older) or Down in the input box.
    void walkHistory(bool older);
    // A result file was opened: its registers replace all nine, its expression goes
    // into the input box and is evaluated with "=".
    void loadResultFile(const std::string& input, const MemoryRegisters& registers);

    // --- Files -------------------------------------------------------------------
    // The save command is press(Save), which evaluates as "=" does, then the save
    // dialog, whose answer comes here: the name chosen ("" when cancelled) and the
    // filter chosen with it. A blank name writes nothing; a name typed without an
    // extension gets the filter's (save_name.h). The calculation and the registers
    // are written; a failure leaves its message.
    void saveFile(const std::string& fileName, const std::string& filter);
    // The open command's answer: the file is read and checked whole before anything
    // changes; then it is loaded (loadResultFile). A refused file leaves its message
    // and the panel as it was; a blank name does nothing. Returns whether it loaded.
    bool openFile(const std::string& fileName);
    // The filters the save and the open dialog offer, in order.
    static std::vector<std::string> saveFilters();
    static std::vector<std::string> openFilters();

    // --- State -------------------------------------------------------------------
    const std::u16string& input() const { return input_; }
    std::string inputUtf8() const;
    int caret() const { return caret_; }
    int selectionStart() const { return selectionStart_; }
    int selectionLength() const { return selectionLength_; }
    // The output's full value text: what MW stores, the save key writes, ans stands
    // for and ej-j converts, whatever the display setting.
    const std::string& output() const { return output_; }
    // The output as the box shows it under the display setting; a text the user
    // typed into the box shows as typed.
    std::string displayedOutput() const;
    const DisplaySetting& display() const { return display_; }
    // The 显示 menu: a new display setting (only the shown output changes).
    void setDisplay(const DisplaySetting& setting) { display_ = setting; }
    FunctionMode mode() const { return mode_; }
    bool inverse() const { return inverse_; }
    const FunctionKeyStates& functionKeys() const { return keyStates_; }
    bool enabled(KeyId key) const;
    const MemoryRegisters& registers() const { return registers_; }
    // The input text stored with register k (1 to 9); "" for any other k.
    std::string storedExpression(int k) const;
    const InputHistory& history() const { return history_; }

    // The tooltip a key shows now (the function keys follow the inverse box).
    std::string tooltip(KeyId key) const;
    // The output box's tooltip and a register content box's: the text and, for a
    // complex value, its other form on a second line. The output box's tooltip has
    // the full value text on a line of its own where the box shows it otherwise.
    std::string outputTooltip(std::string_view boxTooltip) const;
    std::string contentTooltip(int index) const;
    // The copy entries of the output box's menu: exponential, then algebraic form.
    std::vector<CopyForm> copyForms() const;

    // What the last command did besides the state above.
    const InputEdit& lastEdit() const { return lastEdit_; }
    Focus focus() const { return focus_; }
    bool registersReplaced() const { return registersReplaced_; }  // tags included
    const std::string& message() const { return message_; }        // for a message box; "" none

private:
    void begin();
    void evaluate();
    // Writes the output and brings the function keys into line with it.
    void setOutput(std::string text);
    void insert(std::u16string_view text);
    // Inserts a whole value, with "*" where it would join a value beside it.
    void insertValue(std::u16string_view value);
    void backspace();
    void clear();
    void setInput(std::u16string text, int caret);
    void functionKey(FunctionKey key);
    void applyMode(FunctionMode mode);
    void storeInto(int index);
    // An entry of the 复数 menu.
    void complexEntry(ComplexEntry entry);
    // The function word applied to the output at once (输出求值): the output shows
    // the value, the input box the expression that was evaluated.
    void applyWordToOutput(std::string_view word);
    // The input box shows an expression that was evaluated into the output, with
    // the caret at its end; the history records it like an evaluated input.
    void showEvaluated(const std::string& expression);
    // 对称分量: registers 1-3 as phases a, b, c into registers 4-6.
    void symmetricalComponents();

    Engine engine_;
    // The form the next ej-j press converts the output to; "=" points it back.
    FormDirection formDirection_ = FormDirection::ToAlgebraic;
    std::u16string input_;
    int caret_ = 0;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
    std::string output_;
    bool outputTyped_ = false;  // the output box holds what the user typed into it
    DisplaySetting display_;
    FunctionMode mode_ = FunctionMode::Symbol;
    bool inverse_ = false;
    FunctionKeyStates keyStates_{};
    MemoryRegisters registers_;
    InputHistory history_;

    InputEdit lastEdit_;
    Focus focus_ = Focus::Unchanged;
    bool registersReplaced_ = false;
    std::string message_;
};

}  // namespace kalvox
