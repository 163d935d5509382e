#pragma once
// Kalvox expression engine.
//
// The engine works on text from start to finish: every stage takes the whole
// expression as a string, finds its next operation, cuts the operand texts out,
// computes with doubles and splices the result's text back in, until one value
// text is left. Nothing is parsed into a tree.
//
//   typed or pasted text (Text1)
//        |
//        v
//   notation translation (full-width forms, "∠", "°", "×", "π", "√", "∥" ...) and
//        |  the vocabulary check .......... unrecognisedInputMessage + offending item
//        |
//   "ans" replaced by the previous result in brackets ....... kNoPreviousResult
//        v
//   khpp    bracket check on a copy ............ kBracketMismatch + offending bracket
//        |
//   fhzqx   input repair (blanks, dangling last character, runs of signs,
//        |  implicit "*", bare "j", stray points, doubled operators)
//        |  -> written back to Text1
//   findMalformedPart  number items and missing operands ..... the message
//        |  of a malformed number or a missing operand + the offending part
//        v
//   khys    bracket reduction, innermost pair first; each inside runs
//        |  the chain of passes below (passChain, written once)
//        v  (lower-case)
//   hsjs    functions (arcsin ... log, exp) of the real number item behind the
//        |  name, conj abs arg re im sqrt of the complex one, then
//        |  factorials "n!" of whole numbers 0 ... 170
//        |
//   mhsjs   "^"            :
//        |  (lower-case)    |  operator passes: one shared operand scan,
//   chenfachufays "*" "/"   |  one kernel call jsjg() per cycle,
//        |  and "||" (held as "|" from the bracket check on)
//        |  (lower-case)    |  leftmost operation first
//   jjfys   "+" "-"        :
//        |
//        v
//   180-degree rewrite ("5ej180" -> "-5") -> output text (Text2)
//
// Errors are values: the stage that finds a problem calls raise(), which sets
// errorFlag and errorText; every later stage returns "" at once; the driver
// shows errorDisplay(errorText). Every message and the display are written in
// engine/error_messages.h. Nothing is thrown out of the engine.
//
// Texts are UTF-8. The engine only ever cuts a text next to an ASCII
// character, so any other character passes through unharmed.

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/error_messages.h"

namespace kalvox {

// What the window shows after one press of "=": the new texts of both boxes
// and where the caret or selection of the input box goes.
struct Outcome {
    std::string text1;                // new text of the input box
    std::string text2;                // new text of the output box
    std::size_t selectionStart = 0;   // caret or selection start, in UTF-16 code units
    std::size_t selectionLength = 0;  // the offending bracket or unrecognised item, in UTF-16 units
    bool focusInput = true;           // whether the input box takes the focus
    bool failed = false;              // whether text2 is an error display
};

// Called after each stage with a short stage name and the text it produced.
using TraceSink = std::function<void(std::string_view stage, std::string_view text)>;

// The three choices of the function-mode frame.
enum class FunctionMode {
    Symbol,      // 函数符号: a key inserts its symbol at the caret
    WholeInput,  // 整式输入: a key wraps the whole input expression
    Output,      // 输出求值: a key is applied to the output value at once
};

// The twelve function keys, in the order of their array in the window.
enum class FunctionKey {
    Sin,
    Cos,
    Tan,
    Ctn,
    Square,      // x^2; with 反函数 the square root
    Cube,        // x^3; with 反函数 the cube root
    Power,       // x^y
    Ln,          // with 反函数 e^x
    Log,         // with 反函数 10^x
    Reciprocal,  // 1/x
    Factorial,   // n!
    EjJ,         // ej-j: the form conversion
};
inline constexpr std::size_t kFunctionKeyCount = 12;

// A key's place in its array.
constexpr std::size_t keyIndex(FunctionKey key) { return static_cast<std::size_t>(key); }

// The enabled state of every function key, indexed by keyIndex().
using FunctionKeyStates = std::array<bool, kFunctionKeyCount>;

// Result of a function key applied to the output box.
struct KeyOutcome {
    std::string text2;    // new text of the output box
    std::string failure;  // non-empty: a run-time failure to show in a message box
    // The expression that was evaluated for it ("tan(31.7883306170517)"); "" when
    // the key gave its output without an evaluation.
    std::string expression;
};

class Engine {
public:
    // The values of errorFlag.
    static constexpr int kNoError = 0;
    static constexpr int kErrorRaised = -1;
    // The values of ejToAlgebraic.
    static constexpr int kToAlgebraic = -1;   // the next ej-j press gives a+jb
    static constexpr int kToExponential = 0;  // the next ej-j press goes back to A ej θ

    // The three variables below are the engine's own: only its stages write them.
    // errorFlag: error state of the current evaluation, kNoError or kErrorRaised.
    int errorFlag = kNoError;
    // errorText: message of the raised error, without prefix or full stop.
    std::string errorText;
    // ejToAlgebraic: direction of the next ej-j press, kToAlgebraic or kToExponential.
    int ejToAlgebraic = kToAlgebraic;

    // Whether an error has been raised since the last resetError().
    bool hasError() const { return errorFlag == kErrorRaised; }
    // Clears the error state.
    void resetError() {
        errorFlag = kNoError;
        errorText.clear();
    }
    // Points the next ej-j press to the algebraic form again.
    void resetConversion() { ejToAlgebraic = kToAlgebraic; }
    // Records an error: the one way every stage raises one.
    void raise(std::string_view message);

    // The "=" key: evaluates the text of the input box and says what both boxes show.
    // previousResult is what the word "ans" stands for (the output box's text, or the
    // previous result of a run); an empty text, an error display or any text that is
    // not one value leaves "ans" refused.
    Outcome evaluate(std::string_view input, const TraceSink& trace = {},
                     std::string_view previousResult = {});

    // jsjg: the operation kernel, one two-operand operation on value texts.
    std::string jsjg(const std::string& czs1, const std::string& czs2, const std::string& op);
    // jjfys: the add/subtract pass, last pass of every evaluation.
    std::string jjfys(std::string s);
    // mhsjs: the power pass ("^").
    std::string mhsjs(std::string s);
    // chenfachufays: the multiply/divide pass ("*", "/").
    std::string chenfachufays(std::string s);
    // khpp: bracket check; returns 0 or the 1-based byte position of the offending bracket.
    // Marks matched pairs with "?" in s.
    std::size_t khpp(std::string& s);
    // khys: bracket reduction, innermost pair first.
    std::string khys(std::string s);
    // fhzqx: input repair before evaluation.
    std::string fhzqx(std::string s);
    // hsjs: the function pass (sin ... log, then n!).
    std::string hsjs(std::string s);
    // ej_j: conversion between exponential and algebraic form; flips ejToAlgebraic.
    std::string ej_j(std::string s);
    // jsqys: evaluation of a built expression without the driver's checks.
    // A run-time failure of the chain is described in *failure (when given).
    std::string jsqys(std::string s, std::string* failure = nullptr);

    // The ej-j key: ej_j on the output text, then a value at 180 degrees shown as a
    // negative real. Returns the new output text (an error display on a fault).
    // An error display comes back unchanged and leaves ejToAlgebraic alone; any
    // other output is converted with the error state of an earlier evaluation cleared.
    std::string ejjKey(const std::string& output);

    // The ej-j key's conversion of a text in the given direction (kToAlgebraic or
    // kToExponential), made on an engine of its own so that no engine's error state or
    // direction changes; nullopt on an error or an empty result.
    static std::optional<std::string> convertedForm(const std::string& text, int direction);

    // A function key other than ej-j in the mode 输出求值 applied to the output text v.
    // Clears the error state first, so an old error never comes back.
    KeyOutcome applyToOutput(FunctionKey key, bool inverse, const std::string& v);

private:
    std::string rewrite180(std::string text);
    // The passes after the bracket reduction: functions, powers, products, sums,
    // on a text already lower-cased.
    std::string passChain(std::string t, const TraceSink* trace);
    // The bracket reduction, then the chain; each stage's text goes to trace.
    std::string runPasses(std::string t, const TraceSink* trace);
};

// The text a function key inserts at the caret in the mode 函数符号
// ("" for x^2, x^3, 1/x and ej-j, which insert nothing).
std::string functionSymbol(FunctionKey key, bool inverse);

// The new input text for a function key in the mode 整式输入 (t = the input text);
// the unchanged t for ej-j.
std::string wrapWholeInput(FunctionKey key, bool inverse, const std::string& t);

// Which function keys are enabled after the output box changed.
FunctionKeyStates functionKeysEnabled(FunctionMode mode, std::string_view output);

// Which function keys are enabled after one of the function modes was selected,
// from the states before (current): 函数符号 and 整式输入 set every key, 输出求值
// only x^2, x^3, 1/x, x^y and n!.
FunctionKeyStates functionKeysForMode(FunctionMode mode, bool inverse, std::string_view output,
                                      const FunctionKeyStates& current);

// Which function keys are enabled after a click of 反函数: only x^y changes.
FunctionKeyStates functionKeysForInverse(bool inverse, const FunctionKeyStates& current);

// Whether the factorial key may be used on the output v in the mode 输出求值
// (its leading number is at most 170).
bool factorialAllowed(std::string_view output);

}  // namespace kalvox
