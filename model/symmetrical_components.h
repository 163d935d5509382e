#pragma once
// Symmetrical components of three phase values: the zero-, positive- and
// negative-sequence values (a+b+c)/3, (a + α·b + α²·c)/3 and (a + α²·b + α·c)/3
// with the rotation factor α = 1ej120, written as expressions over the phase
// texts so that the engine computes them and each can be stored as the input
// that gives its register's content. Standard C++ only; texts are UTF-8.

#include <array>
#include <string>
#include <string_view>

namespace kalvox {

// The registers of the phase values a, b, c (1 to 3) and of the zero-, positive-
// and negative-sequence values (4 to 6).
inline constexpr int kPhaseRegisters[3] = {1, 2, 3};
inline constexpr int kSequenceRegisters[3] = {4, 5, 6};

// The expressions of the zero-, positive- and negative-sequence values over the
// phase texts a, b and c; every phase text stands in brackets, so an algebraic
// "3+j4" or a negative value keeps its meaning.
std::array<std::string, 3> sequenceExpressions(std::string_view a, std::string_view b,
                                               std::string_view c);

// The tags of the three sequence values: the first character of the phase-a tag
// followed by "0", "1", "2" ("Ua" gives "U0", "U1", "U2"), or "0序", "正序",
// "负序" when that tag is blank.
std::array<std::string, 3> sequenceTags(std::string_view phaseTag);

// The message for an empty phase register k (1 to 3).
std::string emptyPhaseMessage(int k);

// The message for a phase register k whose content is no value: its error.
std::string unusablePhaseMessage(int k, std::string_view error);

}  // namespace kalvox
