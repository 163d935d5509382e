#include "model/panel_model.h"

#include "engine/constants.h"
#include "engine/value_forms.h"
#include "memory/result_file.h"
#include "memory/result_file_reader.h"
#include "model/save_name.h"
#include "model/symmetrical_components.h"
#include "model/utf16.h"
#include "model/value_entry.h"

namespace kalvox {
namespace {

constexpr std::int16_t kBackspaceCode = 8;
// Codes without a printable character that pass the filter unchanged.
constexpr std::int16_t kPassingCodes[] = {-3, -12};

int length(std::u16string_view text) { return static_cast<int>(text.size()); }

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

// The text and, for a complex value, its other form on a second line.
std::string withOtherForm(std::string first, const std::string& value) {
    const std::string other = otherForm(value);
    if (other.empty()) return first;
    return first + "\n" + other;
}

}  // namespace

std::int16_t filterKey(std::int16_t code) {
    // Every printable character is entered as typed; what the calculator does not know
    // is refused by "=" with the item selected. Only E and J change, to the lower case
    // of every complex value and exponent.
    if (code == kBackspaceCode) return code;
    for (std::int16_t passing : kPassingCodes) {
        if (code == passing) return code;
    }
    if (code == 'E') return 'e';
    if (code == 'J') return 'j';
    const auto unit = static_cast<std::uint16_t>(code);  // codes from 0x8000 are negative
    if (unit < 0x20 || unit == 0x7F) return 0;           // control characters
    return code;
}

PanelModel::PanelModel() {
    setInput(u"", 0);
    setOutput("0");
    keyStates_ = functionKeysForMode(FunctionMode::Symbol, inverse_, "", keyStates_);
    focus_ = Focus::Input;
}

std::string PanelModel::inputUtf8() const { return toUtf8(input_); }

std::string PanelModel::storedExpression(int k) const {
    if (k < 1 || k > kRegisterCount) return {};
    return registers_[static_cast<std::size_t>(k - 1)].storedExpression;
}

bool PanelModel::enabled(KeyId key) const {
    if (key.group == KeyGroup::ComplexMenu) {
        // The function words are off where the function keys are all off: in 输出求值
        // while the output shows an error.
        const auto entry = static_cast<ComplexEntry>(key.index);
        return !isComplexFunction(entry) || mode_ != FunctionMode::Output ||
               !isErrorDisplay(output_);
    }
    if (key.group != KeyGroup::Function) return true;
    return keyStates_[static_cast<std::size_t>(key.index)];
}

std::string PanelModel::tooltip(KeyId key) const {
    const PanelKey& row = panelKey(key);
    return inverse_ ? row.inverseTooltip : row.tooltip;
}

std::string PanelModel::displayedOutput() const {
    return outputTyped_ ? output_ : displayedText(output_, display_);
}

std::string PanelModel::outputTooltip(std::string_view boxTooltip) const {
    std::string first(boxTooltip);
    if (displayedOutput() != output_) first += "\n" + output_;
    return withOtherForm(std::move(first), output_);
}

std::string PanelModel::contentTooltip(int index) const {
    const std::string& text = registers_[static_cast<std::size_t>(index)].content;
    return text.empty() ? std::string() : withOtherForm(text, text);
}

std::vector<CopyForm> PanelModel::copyForms() const {
    const std::optional<ValueForms> forms = valueForms(output_);
    return {{"copyExponential", "复制指数形式", forms ? forms->exponential : std::string()},
            {"copyAlgebraic", "复制代数形式", forms ? forms->algebraic : std::string()}};
}

void PanelModel::begin() {
    lastEdit_ = {};
    focus_ = Focus::Unchanged;
    registersReplaced_ = false;
    message_.clear();
}

void PanelModel::syncInput(std::u16string text, int caret, int selectionStart, int selectionLength,
                           bool edited) {
    input_ = std::move(text);
    caret_ = caret;
    selectionStart_ = selectionLength > 0 ? selectionStart : caret;
    selectionLength_ = selectionLength;
    if (edited) history_.endWalk();
}

void PanelModel::editOutput(std::string text) {
    begin();
    setOutput(std::move(text));
    outputTyped_ = true;
}

void PanelModel::editTag(int index, std::string text) {
    registers_[static_cast<std::size_t>(index)].tag = std::move(text);
}

void PanelModel::setOutput(std::string text) {
    // Every write of the output box, also of the same text, brings the function keys
    // into line with it.
    output_ = std::move(text);
    outputTyped_ = false;
    keyStates_ = functionKeysEnabled(mode_, output_);
}

void PanelModel::setInput(std::u16string text, int caret) {
    input_ = std::move(text);
    caret_ = caret;
    selectionStart_ = caret;
    selectionLength_ = 0;
    lastEdit_ = {InputEdit::Kind::SetText, 0, 0, input_};
}

void PanelModel::insert(std::u16string_view text) {
    // The insert operation of a text box: the selection (or nothing) is replaced by
    // the text, and the caret stands right after it.
    const int from = selectionLength_ > 0 ? selectionStart_ : caret_;
    const int replaced = selectionLength_;
    if (replaced > 0 || !text.empty()) history_.endWalk();
    input_.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(replaced), text);
    caret_ = from + length(text);
    selectionStart_ = caret_;
    selectionLength_ = 0;
    lastEdit_ = {InputEdit::Kind::Replace, from, replaced, std::u16string(text)};
}

void PanelModel::insertValue(std::u16string_view value) {
    // The neighbours are the nearest characters outside the selection that are not
    // blanks: the evaluation drops blanks, so "2 " then π would still join.
    const auto isBlankUnit = [](char16_t c) {
        return c == u' ' || c == u'\u3000' || c == u'\u00A0';
    };
    const int from = selectionLength_ > 0 ? selectionStart_ : caret_;
    const int to = from + selectionLength_;
    char16_t before = 0;
    char16_t after = 0;
    for (int i = from - 1; i >= 0 && !before; --i) {
        const char16_t c = input_[static_cast<std::size_t>(i)];
        if (!isBlankUnit(c)) before = c;
    }
    for (int i = to; i < length(input_) && !after; ++i) {
        const char16_t c = input_[static_cast<std::size_t>(i)];
        if (!isBlankUnit(c)) after = c;
    }
    insert(standingAlone(value, before, after));
}

void PanelModel::backspace() {
    // Only the character before the caret (the start of a selection) goes; the
    // selection is dropped. A character outside the basic plane is two code units.
    const int p = selectionLength_ > 0 ? selectionStart_ : caret_;
    if (p == 0) return;
    int from = p - 1;
    const auto at = [this](int i) { return input_[static_cast<std::size_t>(i)]; };
    if (from > 0 && isLowSurrogate(at(from)) && isHighSurrogate(at(from - 1))) --from;
    selectionStart_ = from;
    selectionLength_ = p - from;
    insert(u"");
}

void PanelModel::clear() {
    setInput(u"", 0);
    setOutput("");
    focus_ = Focus::Input;
}

void PanelModel::evaluate() {
    // "=": the engine says what both boxes show and where the caret goes.
    // "ans" stands for the value on show in the output box.
    const Outcome outcome = engine_.evaluate(inputUtf8(), output_);
    formDirection_ = FormDirection::ToAlgebraic;
    setInput(toUtf16(outcome.text1), 0);
    setOutput(outcome.text2);
    if (outcome.focusInput) focus_ = Focus::Input;
    selectionStart_ = static_cast<int>(outcome.selectionStart);
    selectionLength_ = static_cast<int>(outcome.selectionLength);
    caret_ = selectionStart_ + selectionLength_;
    history_.add(input_);
}

void PanelModel::storeInto(int index) {
    MemoryRegister& reg = registers_[static_cast<std::size_t>(index)];
    reg.content = output_;
    reg.storedExpression = inputUtf8();
}

void PanelModel::press(KeyId key) {
    begin();
    const PanelKey& row = panelKey(key);
    switch (key.group) {
        case KeyGroup::Digit:
        case KeyGroup::Operator:
        case KeyGroup::Complex:
        case KeyGroup::Pi:
            focus_ = Focus::Input;
            if (row.standsAlone) {
                insertValue(toUtf16(row.inserts));
            } else {
                insert(toUtf16(row.inserts));
            }
            break;
        case KeyGroup::Recall: {
            focus_ = Focus::Input;
            const std::string& content = registers_[static_cast<std::size_t>(key.index)].content;
            if (recallsAValue(content)) {
                insertValue(toUtf16(recalledText(content)));
            } else {
                insert(toUtf16(content));  // an error display or nothing, as it stands
            }
            break;
        }
        case KeyGroup::Store:
            focus_ = Focus::Input;
            storeInto(key.index);
            break;
        case KeyGroup::Backspace:
            focus_ = Focus::Input;
            backspace();
            break;
        case KeyGroup::Clear:
            clear();
            break;
        case KeyGroup::Equals:
        case KeyGroup::Calculate:
        case KeyGroup::Save:  // the save key saves what a fresh "=" shows
            evaluate();
            break;
        case KeyGroup::Function:
            if (enabled(key)) functionKey(static_cast<FunctionKey>(key.index));
            break;
        case KeyGroup::Mode: {
            const auto mode = static_cast<FunctionMode>(key.index);
            if (mode != mode_) {
                selectMode(mode);
            } else {
                // Already chosen: only the focus goes where choosing it puts it.
                focus_ = mode == FunctionMode::Output ? Focus::Output : Focus::Input;
            }
            break;
        }
        case KeyGroup::Inverse:
            toggleInverse();
            break;
        case KeyGroup::ComplexMenu:
            if (enabled(key)) complexEntry(static_cast<ComplexEntry>(key.index));
            break;
        case KeyGroup::ShortcutList:
        case KeyGroup::Open:
        case KeyGroup::About:
            break;  // windows and files: the window's part
    }
}

void PanelModel::functionKey(FunctionKey key) {
    focus_ = Focus::Input;
    if (key == FunctionKey::EjJ) {
        // An error display stays, and so does the direction of the next press.
        const bool convertible = !isErrorDisplay(output_);
        setOutput(engine_.switchForm(output_, formDirection_));
        if (convertible) formDirection_ = otherDirection(formDirection_);
    }
    switch (mode_) {
        case FunctionMode::Symbol: {
            // Keys without a symbol leave the input box alone, selection included.
            const std::string symbol = functionSymbol(key, inverse_);
            if (!symbol.empty()) insert(toUtf16(symbol));
            break;
        }
        case FunctionMode::WholeInput:
            // The new text leaves the caret at the start.
            if (key != FunctionKey::EjJ)
                setInput(toUtf16(wrapWholeInput(key, inverse_, inputUtf8())), 0);
            break;
        case FunctionMode::Output:
            // The ej-j key only converts: its algebraic form stays on show.
            if (key != FunctionKey::EjJ) {
                const KeyOutcome outcome = engine_.applyToOutput(key, inverse_, output_);
                message_ = outcome.failure;
                setOutput(outcome.text2);
                // The input shows what was evaluated, so "=", the save key and a
                // store all give the result on show; x^y waits for its exponent,
                // typed at the caret.
                if (key == FunctionKey::Power && !outcome.expression.empty()) {
                    const std::u16string evaluated = toUtf16(outcome.expression);
                    setInput(evaluated, length(evaluated));
                    focus_ = Focus::Input;
                } else if (!outcome.expression.empty()) {
                    showEvaluated(outcome.expression);
                }
            }
            break;
    }
}

void PanelModel::complexEntry(ComplexEntry entry) {
    focus_ = Focus::Input;
    if (entry == ComplexEntry::Symmetrical) {
        symmetricalComponents();
        return;
    }
    if (entry == ComplexEntry::Phasors) return;  // the window opens it
    const std::string& word = panelKey({KeyGroup::ComplexMenu, static_cast<int>(entry)}).inserts;
    if (!isComplexFunction(entry)) {
        // || and ans are no functions: they go in at the caret in every mode.
        insert(toUtf16(word));
        return;
    }
    switch (mode_) {
        case FunctionMode::Symbol:
            insert(toUtf16(word));
            break;
        case FunctionMode::WholeInput:
            // As the function keys: the new text leaves the caret at the start.
            setInput(toUtf16(word + "(" + inputUtf8() + ")"), 0);
            break;
        case FunctionMode::Output:
            applyWordToOutput(word);
            break;
    }
}

void PanelModel::applyWordToOutput(std::string_view word) {
    const std::string expression = std::string(word) + "(" + output_ + ")";
    KeyOutcome outcome = engine_.applyWordToOutput(word, output_);
    message_ = outcome.failure;
    setOutput(std::move(outcome.text2));
    showEvaluated(expression);
}

void PanelModel::showEvaluated(const std::string& expression) {
    // The history keeps it as an evaluated input.
    std::u16string text = toUtf16(expression);
    const int end = length(text);
    setInput(std::move(text), end);
    history_.add(input_);
}

void PanelModel::symmetricalComponents() {
    std::array<std::string, 3> phases;
    for (int i = 0; i < 3; ++i) {
        const int k = kPhaseRegisters[i];
        const std::string& content = registers_[static_cast<std::size_t>(k - 1)].content;
        if (content.find_first_not_of(' ') == std::string::npos) {
            message_ = emptyPhaseMessage(k);
            return;
        }
        // A content that is no value (an error display, a typed fragment) is refused
        // here, by name, rather than in the middle of a sequence expression.
        Engine check;
        const Outcome alone = check.evaluate(content);
        if (alone.failed) {
            message_ = unusablePhaseMessage(k, alone.text2);
            return;
        }
        phases[static_cast<std::size_t>(i)] = content;
    }
    const std::array<std::string, 3> expressions =
        sequenceExpressions(phases[0], phases[1], phases[2]);
    std::array<std::string, 3> values;
    for (std::size_t i = 0; i < 3; ++i) {
        Engine engine;
        const Outcome outcome = engine.evaluate(expressions[i]);
        if (outcome.failed) {
            message_ = outcome.text2;
            return;  // nothing stored: all three or none
        }
        values[i] = outcome.text2;
    }
    const std::array<std::string, 3> tags = sequenceTags(registers_[0].tag);
    for (std::size_t i = 0; i < 3; ++i) {
        MemoryRegister& reg = registers_[static_cast<std::size_t>(kSequenceRegisters[i] - 1)];
        reg.content = values[i];
        reg.storedExpression = expressions[i];
        reg.tag = tags[i];
    }
    registersReplaced_ = true;
}

void PanelModel::selectMode(FunctionMode mode) {
    begin();
    if (mode == mode_) return;
    mode_ = mode;
    switch (mode) {
        case FunctionMode::Symbol:
            focus_ = Focus::Input;
            caret_ = length(input_);
            selectionStart_ = caret_;
            selectionLength_ = 0;
            lastEdit_.kind = InputEdit::Kind::Caret;
            break;
        case FunctionMode::WholeInput:
            focus_ = Focus::Input;
            break;
        case FunctionMode::Output:
            focus_ = Focus::Output;
            break;
    }
    keyStates_ = functionKeysForMode(mode, inverse_, output_, keyStates_);
}

void PanelModel::toggleInverse() {
    begin();
    inverse_ = !inverse_;
    keyStates_ = functionKeysForInverse(inverse_, keyStates_);
}

void PanelModel::setInverse(bool checked) {
    begin();
    if (checked != inverse_) toggleInverse();
}

void PanelModel::walkHistory(bool older) {
    begin();
    const std::optional<std::u16string> text = older ? history_.older(input_) : history_.newer();
    if (text) setInput(*text, length(*text));
}

void PanelModel::loadResultFile(const std::string& input, const MemoryRegisters& registers) {
    begin();
    registers_ = registers;
    registersReplaced_ = true;
    focus_ = Focus::Input;
    setInput(toUtf16(input), 0);
    evaluate();
}

void PanelModel::saveFile(const std::string& fileName, const std::string& filter) {
    begin();
    if (isBlank(fileName)) return;
    // The input box may hold a lone surrogate, which the file refuses by name.
    const SaveResult result = saveResultFile(
        savedFileName(fileName, filter), toUtf8KeepingLoneSurrogates(input_), output_, registers_);
    if (!result.ok()) message_ = result.message;
}

bool PanelModel::openFile(const std::string& fileName) {
    begin();
    if (isBlank(fileName)) return false;
    const OpenedResultFile file = readResultFile(fileName);
    if (!file.ok()) {
        message_ = file.message;
        return false;
    }
    loadResultFile(file.input, file.registers);
    return true;
}

std::vector<std::string> PanelModel::saveFilters() { return saveDialogFilters(); }

std::vector<std::string> PanelModel::openFilters() { return openDialogFilters(); }

}  // namespace kalvox
