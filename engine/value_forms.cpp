// The other display form of a complex value, converted without touching the
// window's ej-j toggle or error state.

#include "engine/value_forms.h"

#include <regex>
#include <string>

#include "engine/engine.h"

namespace kalvox {
namespace {

// A number as the engine writes it or a user types it: sign, digits with an
// optional point, an optional exponent.
#define KALVOX_NUMBER "[-+]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][-+]?[0-9]+)?"

bool isExponential(const std::string& text) {
    static const std::regex pattern(KALVOX_NUMBER "ej" KALVOX_NUMBER);
    return std::regex_match(text, pattern);
}

bool isAlgebraic(const std::string& text) {
    static const std::regex pattern("(?:" KALVOX_NUMBER ")?[-+]?j" KALVOX_NUMBER);
    return std::regex_match(text, pattern);
}

#undef KALVOX_NUMBER

}  // namespace

bool holdsImaginaryUnit(std::string_view text) {
    return text.find_first_of("jJ") != std::string_view::npos;
}

std::optional<ValueForms> valueForms(std::string_view text) {
    // A long text is never one value; the patterns are kept off it.
    constexpr std::size_t kLongestValue = 200;
    if (text.size() > kLongestValue) return std::nullopt;
    const std::string value(text);
    if (isExponential(value)) {
        auto algebraic = convertedForm(value, FormDirection::ToAlgebraic);
        if (!algebraic) return std::nullopt;
        return ValueForms{value, std::move(*algebraic)};
    }
    if (isAlgebraic(value)) {
        auto exponential = convertedForm(value, FormDirection::ToExponential);
        if (!exponential) return std::nullopt;
        return ValueForms{std::move(*exponential), value};
    }
    return std::nullopt;
}

std::string otherForm(std::string_view text) {
    const auto forms = valueForms(text);
    if (!forms) return {};
    return text == forms->exponential ? forms->algebraic : forms->exponential;
}

}  // namespace kalvox
