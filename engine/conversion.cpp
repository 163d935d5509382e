// Form conversion between "A ej θ" and "a+jb", the 180-degree display rule,
// and the evaluation of an expression built by a function key.

#include <cmath>
#include <new>

#include "engine/engine.h"
#include "engine/number_text.h"

namespace kalvox {

std::string Engine::ej_j(std::string s) {
    std::string result = s;
    if (ejToAlgebraic == kToAlgebraic) {
        ejToAlgebraic = kToExponential;
        const std::size_t p = s.find("ej");
        if (p == std::string::npos) return result;
        try {
            const double magnitude = leadingValue(std::string_view(s).substr(0, p));
            const double angle = leadingValue(std::string_view(s).substr(p + 2));
            const double r = degToRad(angle);
            const double im = checked(magnitude * std::sin(r));
            const double re = checked(magnitude * std::cos(r));
            // The sign is read from the shown digits of the unrounded imaginary part.
            const bool positive = *leadingNumber(numberText(im)) >= 0;
            const double a = roundTo(re, 15);
            const double b = roundTo(im, 15);
            result = positive ? numberText(a) + "+j" + numberText(b)
                              : numberText(a) + "-j" + numberText(std::fabs(b));
        } catch (const ArithmeticFault& fault) {
            raise(fault.message);
            return "";
        }
        return result;
    }
    lowerCase(s);
    result = jjfys(std::move(s));
    resetConversion();
    return result;
}

std::string Engine::rewrite180(std::string text) {
    const std::size_t p = text.find("ej");
    if (p == std::string::npos) return text;
    try {
        const double a = roundTo(leadingValue(std::string_view(text).substr(p + 2)), 8);
        if (a != 180) return text;
    } catch (const ArithmeticFault& fault) {
        if (!hasError()) raise(fault.message);
        return text;
    }
    // The magnitude's own sign is dropped rather than doubled.
    text.resize(p);
    if (p > 0 && text[0] == '-') {
        text.erase(0, 1);
    } else {
        text.insert(text.begin(), '-');
    }
    return text;
}

std::string Engine::ejjKey(const std::string& output) {
    // An error display has no other form: it stays exactly as it is, and so does the
    // direction of the next conversion.
    if (isErrorDisplay(output)) return output;
    // The error state of an earlier evaluation never reaches a value shown since.
    resetError();
    std::string text = ej_j(output);
    if (hasError()) return errorDisplay(errorText);
    return rewrite180(std::move(text));
}

std::string Engine::jsqys(std::string s, std::string* failure) {
    try {
        return runPasses(std::move(s), nullptr);
    } catch (const std::bad_alloc&) {
        if (failure) *failure = kOutOfMemory;
    } catch (const std::exception& e) {
        if (failure) *failure = e.what();
    }
    return "";
}

}  // namespace kalvox
