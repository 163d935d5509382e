#pragma once
// The names of the functions the evaluator computes, and where one
// stands in a text.

#include <array>
#include <cstddef>
#include <string_view>

namespace kalvox {

// Function names in search order: every inverse name before the name it contains.
// The first ten are functions of a real argument (the trigonometric functions and
// their inverses, the logarithms); the complex words conj ... exp follow.
inline constexpr std::array<std::string_view, 17> kFunctionNames = {
    "arcsin", "arccos", "arctan", "arcctn", "sin", "cos", "tan",  "ctn", "ln",
    "log",    "conj",   "abs",    "arg",    "re",  "im",  "sqrt", "exp"};
// The index of the first complex word in kFunctionNames.
inline constexpr std::size_t kFirstComplexWord = 10;

// The length of the function name (any case) that starts at s[i], 0 for none.
constexpr std::size_t functionNameAt(std::string_view s, std::size_t i) {
    const char first = static_cast<char>(s[i] | 0x20);  // lower case for letters
    if (!(first == 'a' || first == 'c' || first == 's' || first == 't' || first == 'l' ||
          first == 'r' || first == 'i' || first == 'e'))
        return 0;
    for (std::string_view name : kFunctionNames) {
        if (s.size() - i < name.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k) {
            const char c = s[i + k];
            same = (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == name[k];
        }
        if (same) return name.size();
    }
    return 0;
}

// Whether a function name (any case) ends right before s[end]: a sign there is
// the sign of the function's argument ("arccos-1"), never a subtraction.
constexpr bool functionNameEndsAt(std::string_view s, std::size_t end) {
    for (std::string_view name : kFunctionNames)
        if (end >= name.size() && functionNameAt(s, end - name.size()) == name.size()) return true;
    return false;
}

}  // namespace kalvox
