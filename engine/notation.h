#pragma once
// The front step of every evaluation: notation that pasted or scripted text
// brings along is turned into the calculator's own, and whatever still lies
// outside the calculator's vocabulary is found so that it can be refused.

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvox {

// The text with the notation of other tools rewritten: full-width forms
// U+FF01..U+FF5E become their ASCII characters, U+3000 and U+00A0 a blank,
// "∠" becomes "ej", "°" is dropped, "×" "·" "⋅" become "*", "÷" "/", "−" "-",
// "π" the text of the π key (with "*" on a side that a value touches: "2π"
// is "2*3.14159265358979") and "。" ".". Every other byte is kept as it is.
std::string translateNotation(std::string_view text);

// An item of a text outside the vocabulary, as a byte range; length 0 = none.
struct UnknownItem {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The first item outside the vocabulary: a maximal run of ASCII letters that
// does not split into function names, "e" and "j" (longest name first, from
// the left), or a maximal run of characters that are neither letters nor
// digits, ".", "+", "-", "*", "/", "^", "(", ")", "!" and the blank.
UnknownItem findUnknownItem(std::string_view text);

// Whether a run of ASCII letters splits, longest name first from the left, into
// arcsin arccos arctan arcctn sin cos tan ctn ln log e j (any case).
bool lettersSplitIntoWords(std::string_view letters);

}  // namespace kalvox
