// Form conversion between "A ej θ" and "a+jb", and the 180-degree display rule.

#include <cmath>

#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/number_text.h"
#include "engine/value_forms.h"

namespace kalvox {

namespace {
// "2ej30" as "1.73205080756888+j1"; a text without "ej" as it is.
Evaluation toAlgebraic(const std::string& s) {
    const std::size_t p = s.find("ej");
    if (p == std::string::npos) return {s, {}};
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
        return {positive ? numberText(a) + "+j" + numberText(b)
                         : numberText(a) + "-j" + numberText(std::fabs(b)),
                {}};
    } catch (const ArithmeticFault& fault) {
        return {{}, std::string(fault.message)};
    }
}
}  // namespace

// A value at 180 degrees shown as a negative real: "5ej180" -> "-5". The
// magnitude's own sign is dropped rather than doubled.
Evaluation shownAt180(std::string text) {
    const std::size_t p = text.find("ej");
    if (p == std::string::npos) return {std::move(text), {}};
    try {
        const double a = roundTo(leadingValue(std::string_view(text).substr(p + 2)), 8);
        if (a != 180) return {std::move(text), {}};
    } catch (const ArithmeticFault& fault) {
        return {std::move(text), std::string(fault.message)};
    }
    text.resize(p);
    if (p > 0 && text[0] == '-') {
        text.erase(0, 1);
    } else {
        text.insert(text.begin(), '-');
    }
    return {std::move(text), {}};
}

namespace {
Evaluation converted(const std::string& output, FormDirection to) {
    Evaluation e = to == FormDirection::ToAlgebraic ? toAlgebraic(output) : evaluateText(output);
    if (e.failed()) return e;
    return shownAt180(std::move(e.value));
}
}  // namespace

std::string Engine::switchForm(const std::string& output, FormDirection to) const {
    if (isErrorDisplay(output)) return output;
    Evaluation e = converted(output, to);
    if (e.failed()) return errorDisplay(e.error);
    return e.value;
}

std::optional<std::string> convertedForm(const std::string& text, FormDirection to) {
    if (isErrorDisplay(text)) return text;
    Evaluation e = converted(text, to);
    if (e.failed() || e.value.empty()) return std::nullopt;
    return e.value;
}

}  // namespace kalvox
