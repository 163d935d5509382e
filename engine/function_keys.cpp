// The texts of the twelve function keys in the three function modes, and the
// keys' enabled states after the output changes.

#include <cmath>
#include <new>

#include "engine/constants.h"
#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/number_item.h"
#include "engine/number_text.h"
#include "engine/operations.h"
#include "engine/value_forms.h"

namespace kalvox {

namespace {
using enum FunctionKey;

// Outputs above this have no factorial key in the mode 输出求值.
constexpr double kLargestFactorial = 170;

bool isTrig(FunctionKey key) { return keyIndex(key) <= keyIndex(Ctn); }

std::string trigName(FunctionKey key, bool inverse) {
    return std::string(inverse ? kInversePrefix : "") + std::string(kTrigNames[keyIndex(key)]);
}

void setState(FunctionKeyStates& states, FunctionKey key, bool enabled) {
    states[keyIndex(key)] = enabled;
}

// The keys that insert nothing at the caret: off in the mode 函数符号.
void setNonSymbolKeys(FunctionKeyStates& states, bool enabled) {
    for (FunctionKey key : {Square, Cube, Reciprocal}) setState(states, key, enabled);
}

// Whether the output is a sum such as the algebraic form "3+j4" or "-3-j4": a
// sign that is neither the leading one nor an exponent's or angle's ("1E-05",
// "2ej-30", "j-4").
bool isSum(std::string_view v) {
    for (std::size_t i = 1; i < v.size(); ++i) {
        if (v[i] != '+' && v[i] != '-') continue;
        const char before = v[i - 1];
        if (before != 'e' && before != 'E' && before != 'j' && before != 'J') return true;
    }
    return false;
}

// The output as the base of a power: a sum is bracketed, so that "3+j4" squared
// is (3+j4)^2 and not 3+j4^2.
std::string powerBase(const std::string& v) { return isSum(v) ? "(" + v + ")" : v; }

// The expression a key builds around the output value v in the mode 输出求值
// (keys other than 1/x, n! and the non-inverse x^3 of a single value).
std::string outputExpression(FunctionKey key, bool inverse, const std::string& v) {
    if (isTrig(key)) return trigName(key, inverse) + "(" + v + ")";
    switch (key) {
        case Square:
            return powerBase(v) + (inverse ? "^(1/2)" : "^2");
        case Cube:
            return powerBase(v) + (inverse ? "^(1/3)" : "^3");
        case Power:
            return "(" + v + ")^";
        case Ln:
            return std::string(inverse ? kEText : kLnName) + (inverse ? "^(" : "(") + v + ")";
        case Log:
            return (inverse ? "10^(" : std::string(kLogName) + "(") + v + ")";
        default:
            return v;
    }
}
}  // namespace

std::string functionSymbol(FunctionKey key, bool inverse) {
    if (isTrig(key)) return trigName(key, inverse);
    switch (key) {
        case Power:
            return "^";
        case Ln:
            return std::string(inverse ? kEText : kLnName) + (inverse ? "^" : "");
        case Log:
            return inverse ? "10^" : std::string(kLogName);
        case Factorial:
            return "!";
        default:
            return "";
    }
}

std::string wrapWholeInput(FunctionKey key, bool inverse, const std::string& t) {
    if (isTrig(key)) return trigName(key, inverse) + "(" + t + ")";
    switch (key) {
        case Square:
            return "(" + t + (inverse ? ")^(1/2)" : ")^2");
        case Cube:
            return "(" + t + (inverse ? ")^(1/3)" : ")^3");
        case Power:
            return "(" + t + ")^";
        case Ln:
            return std::string(inverse ? kEShortText : kLnName) + (inverse ? "^(" : "(") + t + ")";
        case Log:
            return (inverse ? "10^(" : std::string(kLogName) + "(") + t + ")";
        case Reciprocal:
            return "1/(" + t + ")";
        case Factorial:
            return "(" + t + ")!";
        default:
            return t;
    }
}

FunctionKeyStates functionKeysEnabled(FunctionMode mode, std::string_view output) {
    FunctionKeyStates enabled;
    const bool outputMode = mode == FunctionMode::Output;
    const bool failed = outputMode && isErrorDisplay(output);
    enabled.fill(!failed);
    if (!failed && outputMode) setState(enabled, Factorial, factorialAllowed(output));
    if (mode == FunctionMode::Symbol) setNonSymbolKeys(enabled, false);
    return enabled;
}

FunctionKeyStates functionKeysForMode(FunctionMode mode, bool inverse, std::string_view output,
                                      const FunctionKeyStates& current) {
    FunctionKeyStates enabled = current;
    switch (mode) {
        case FunctionMode::Symbol:
            enabled.fill(true);
            setNonSymbolKeys(enabled, false);
            setState(enabled, Power, !inverse);
            break;
        case FunctionMode::WholeInput:
            enabled.fill(true);
            setState(enabled, Power, !inverse);
            break;
        case FunctionMode::Output:
            setNonSymbolKeys(enabled, true);
            setState(enabled, Power, false);
            setState(enabled, Factorial, factorialAllowed(output));
            break;
    }
    return enabled;
}

FunctionKeyStates functionKeysForInverse(bool inverse, const FunctionKeyStates& current) {
    FunctionKeyStates enabled = current;
    // The power key has no inverse.
    setState(enabled, Power, !inverse);
    return enabled;
}

bool factorialAllowed(std::string_view output) {
    const auto v = leadingNumber(output);
    return v && *v <= kLargestFactorial;
}

namespace {
// The evaluation of an expression a key built, as the key shows it.
void evaluateForKey(KeyOutcome& out, std::string expression) {
    try {
        Evaluation e = evaluateText(expression);
        out.text2 = e.failed() ? keyErrorDisplay(e.error) : std::move(e.value);
    } catch (const std::bad_alloc&) {
        out.text2.clear();
        out.failure = kOutOfMemory;
    }
    out.expression = std::move(expression);
}
}  // namespace

KeyOutcome Engine::applyToOutput(FunctionKey key, bool inverse, const std::string& v) const {
    KeyOutcome out;
    std::string expression;
    try {
        if (key == Reciprocal && holdsImaginaryUnit(v)) {
            // A complex output is inverted whole, angle and all.
            expression = "1/(" + v + ")";
        } else if (key == Reciprocal) {
            const double x = leadingValue(v);
            if (x == 0) {
                out.text2 = errorDisplay(kDivisionByZero);
                return out;
            }
            expression = numberText(checked(1 / x));
        } else if (key == Factorial) {
            // Whole values from 0 to 170 only, as behind a value in an expression.
            Computed c = factorialOf(v);
            if (c.failed()) {
                out.text2 = keyErrorDisplay(c.error);
                return out;
            }
            expression = std::move(c.text);
        } else if (key == Power) {
            // x^y has no exponent yet: the input box gets "(v)^" to be finished and
            // the output stays, rather than showing v^0 = 1 as if it were a result.
            out.expression = outputExpression(key, inverse, v);
            out.text2 = v;
            return out;
        } else if (key == Cube && !inverse && !isSum(v)) {
            Computed c = operate(v, "3", '^');
            if (c.failed()) {
                out.text2 = keyErrorDisplay(c.error);
                return out;
            }
            expression = std::move(c.text);
        } else {
            expression = outputExpression(key, inverse, v);
        }
    } catch (const ArithmeticFault& fault) {
        out.text2 = keyErrorDisplay(fault.message);
        return out;
    }
    evaluateForKey(out, std::move(expression));
    return out;
}

KeyOutcome Engine::applyWordToOutput(std::string_view word, const std::string& output) const {
    KeyOutcome out;
    std::string expression(word);
    expression += '(';
    expression += output;
    expression += ')';
    evaluateForKey(out, std::move(expression));
    return out;
}

}  // namespace kalvox
