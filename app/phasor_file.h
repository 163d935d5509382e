#pragma once
// kalvox-calc --phasors: the results of the expressions as a phasor diagram in an
// SVG file.

#include <span>
#include <string>
#include <string_view>

namespace kalvox {

// One evaluated expression and the result it printed.
struct PhasorResult {
    std::string expression;
    std::string value;
};

// The name of the arrow of the n-th expression (from 1): its text without the
// blanks around it, or "#n" when that is empty or longer than kLongestArrowName
// characters.
inline constexpr int kLongestArrowName = 16;
std::string arrowName(std::string_view expression, int n);

// Writes the diagram of the results, in their order, to the file (UTF-8 name).
// Returns "" when it is written, else the message saying why not.
std::string writePhasorFile(const std::string& fileName, std::span<const PhasorResult> results,
                            bool headToTail);

}  // namespace kalvox
