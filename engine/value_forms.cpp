// The other display form of a complex value, computed by a private engine so
// that the window's ej-j toggle and error state stay as they are.

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

// Runs the ej-j key on a fresh engine, in the given direction; nullopt on an error.
std::optional<std::string> convert(const std::string& text, int direction) {
    Engine engine;
    engine.ejToAlgebraic = direction;
    std::string result = engine.ejjKey(text);
    if (engine.hasError() || result.empty()) return std::nullopt;
    return result;
}

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
        auto algebraic = convert(value, Engine::kToAlgebraic);
        if (!algebraic) return std::nullopt;
        return ValueForms{value, std::move(*algebraic)};
    }
    if (isAlgebraic(value)) {
        auto exponential = convert(value, Engine::kToExponential);
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
