#pragma once
// Kalvox expression engine.
//
// The front prepares the typed text and writes what the input box shows; the
// evaluator reads the prepared text once, as tokens, and computes it by the
// precedence of its operators.
//
//   typed or pasted text
//        |
//   the front ..................................... (driver.cpp)
//        |  notation translation ("∠", "°", "×", "π", "√", "∥" ...)
//        |  unknown-word check ........ the unrecognised item, selected
//        |  "ans" -> (previous result) ........ no previous result, "ans" selected
//        |  bracket check .................... the offending bracket, selected
//        |  repair (blanks, runs of signs, implicit "*", bare "j", stray points)
//        |     -> the input box text
//        |  malformed-number and missing-operand check ... the part, selected
//        v
//   lexer: tokens with their places ............... (lexer.cpp)
//        |  number items read once: "2.5", "j4", "4j", "2ej30"
//        v
//   parser: shunting-yard, explicit stacks ........ (evaluator.cpp, grammar.h)
//        |  one precedence table; each bracket a level of the stacks
//        v
//   evaluator: each operation on value texts ...... (operations.h, kernel.cpp,
//        |  every step's result is a value text          functions.cpp)
//        |  (15 digits, magnitude and angle) that the next step reads;
//        |  the first fault in the order of the steps is the one reported
//        v
//   a value at 180 degrees shown as a negative real -> the output box
//
// Errors are values: an outcome carries the message and the selection.
// Nothing is thrown out of the engine. Texts are UTF-8.

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

// The form the ej-j key converts a value to. The key alternates between the
// two; "=" points it to the algebraic form again. Which one is next is the
// caller's state.
enum class FormDirection {
    ToAlgebraic,    // "5ej53.13..." -> "3+j4"
    ToExponential,  // "3+j4" -> "5ej53.13..."
};

// The other direction.
constexpr FormDirection otherDirection(FormDirection d) {
    return d == FormDirection::ToAlgebraic ? FormDirection::ToExponential
                                           : FormDirection::ToAlgebraic;
}

class Engine {
public:
    // The "=" key: evaluates the text of the input box and says what both boxes show.
    // previousResult is what the word "ans" stands for (the output box's text, or the
    // previous result of a run); an empty text, an error display or any text that is
    // not one value leaves "ans" refused. trace, when given, sees every stage's text.
    Outcome evaluate(std::string_view input, std::string_view previousResult = {},
                     const TraceSink& trace = {}) const;

    // A function key other than ej-j in the mode 输出求值 applied to the output.
    KeyOutcome applyToOutput(FunctionKey key, bool inverse, const std::string& output) const;

    // A word of complex values (conj, abs, arg, re, im, sqrt, exp) applied to the output.
    KeyOutcome applyWordToOutput(std::string_view word, const std::string& output) const;

    // The ej-j key: the output in the given form, a value at 180 degrees shown as a
    // negative real; an error display on a fault. An error display comes back as it is
    // (and the caller leaves its direction alone).
    std::string switchForm(const std::string& output, FormDirection to) const;
};

// The ej-j key's conversion of a text in the given direction; nullopt on an
// error or an empty result.
std::optional<std::string> convertedForm(const std::string& text, FormDirection to);

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
