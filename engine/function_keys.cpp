// The texts of the twelve function keys in the three function modes, and the
// keys' enabled states after the output changes.

#include <cmath>

#include "engine/engine.h"
#include "engine/number_text.h"
#include "engine/value_forms.h"

namespace kalvox {

namespace {
// Function-key indices.
enum Key { kSin, kCos, kTan, kCtn, kSquare, kCube, kPower, kLn, kLog, kReciprocal, kFactorial, kEjJ };

constexpr std::string_view kTrigNames[] = {"sin", "cos", "tan", "ctn"};
// Outputs above this have no factorial key in the mode 输出求值.
constexpr double kLargestFactorial = 170;

bool isTrig(int index) { return index >= kSin && index <= kCtn; }

std::string trigName(int index, bool inverse) {
    return (inverse ? "arc" : "") + std::string(kTrigNames[index]);
}

// The expression a key builds around the output value v in the mode 输出求值
// (keys other than 1/x, n! and the non-inverse x^3).
std::string outputExpression(int index, bool inverse, const std::string& v) {
    if (isTrig(index)) return trigName(index, inverse) + "(" + v + ")";
    switch (index) {
        case kSquare: return v + (inverse ? "^(1/2)" : "^2");
        case kCube: return v + "^(1/3)";
        case kPower: return "(" + v + ")^";
        case kLn: return inverse ? "2.71828182845905^(" + v + ")" : "ln(" + v + ")";
        case kLog: return inverse ? "10^(" + v + ")" : "log(" + v + ")";
        default: return v;
    }
}
}  // namespace

std::string functionSymbol(int index, bool inverse) {
    if (isTrig(index)) return trigName(index, inverse);
    switch (index) {
        case kPower: return "^";
        case kLn: return inverse ? "2.71828182845905^" : "ln";
        case kLog: return inverse ? "10^" : "log";
        case kFactorial: return "!";
        default: return "";
    }
}

std::string wrapWholeInput(int index, bool inverse, const std::string& t) {
    if (isTrig(index)) return trigName(index, inverse) + "(" + t + ")";
    switch (index) {
        case kSquare: return "(" + t + (inverse ? ")^(1/2)" : ")^2");
        case kCube: return "(" + t + (inverse ? ")^(1/3)" : ")^3");
        case kPower: return "(" + t + ")^";
        case kLn: return inverse ? "2.718281828^(" + t + ")" : "ln(" + t + ")";
        case kLog: return inverse ? "10^(" + t + ")" : "log(" + t + ")";
        case kReciprocal: return "1/(" + t + ")";
        case kFactorial: return "(" + t + ")!";
        default: return t;
    }
}

std::array<bool, 12> functionKeysEnabled(FunctionMode mode, std::string_view output) {
    std::array<bool, 12> enabled;
    const bool outputMode = mode == FunctionMode::Output;
    enabled.fill(!(outputMode && output.find("错误") != std::string_view::npos));
    if (enabled[0] && outputMode) enabled[kFactorial] = factorialAllowed(output);
    if (mode == FunctionMode::Symbol) {
        enabled[kSquare] = false;
        enabled[kCube] = false;
        enabled[kReciprocal] = false;
    }
    return enabled;
}

bool factorialAllowed(std::string_view output) {
    const auto v = leadingNumber(output);
    return v && *v <= kLargestFactorial;
}

KeyOutcome Engine::applyToOutput(int index, bool inverse, const std::string& v) {
    errorFlag = 0;
    errorText.clear();
    KeyOutcome out;
    std::string expression;
    try {
        if (index == kReciprocal && holdsImaginaryUnit(v)) {
            // A complex output is inverted whole, angle and all.
            expression = "1/(" + v + ")";
        } else if (index == kReciprocal) {
            const double x = leadingValue(v);
            if (x == 0) {
                out.text2 = "错误:除数为零。";
                return out;
            }
            expression = numberText(checked(1 / x));
        } else if (index == kFactorial) {
            const double x = leadingValue(v);
            if (x == 0) {
                // GCC 12 false positive (GCC bug 105329): -Wrestrict inside std::string.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
                out.text2 = "0";
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
                return out;
            }
            double product = 1;
            const double top = std::floor(x);
            for (double k = 2; k <= top; ++k) product = checked(product * k);
            expression = numberText(product);
        } else if (index == kCube && !inverse) {
            expression = mhsjs(v + "^3");
        } else {
            expression = outputExpression(index, inverse, v);
        }
    } catch (const ArithmeticFault& fault) {
        raise(fault.message);
    }
    if (errorFlag == 0) out.text2 = jsqys(expression, &out.failure);
    if (errorFlag == -1) out.text2 = "错误:" + errorText;
    return out;
}

}  // namespace kalvox
