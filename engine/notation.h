#pragma once
// The front step of every evaluation: notation that pasted or scripted text
// brings along is turned into the calculator's own, and whatever still lies
// outside the calculator's vocabulary is found so that it can be refused.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace kalvox {

// The text with the notation of other tools rewritten: full-width forms
// U+FF01..U+FF5E become their ASCII characters, U+3000 and U+00A0 a blank,
// "∠" becomes "ej", "°" is dropped (right behind a digit it becomes the
// degree marker of engine/detail/characters.h), "×" "·" "⋅" become "*", "÷" "/", "−" "-",
// "π" the text of the π key (with "*" on a side that a value touches: "2π"
// is "2*3.14159265358979"), "。" ".", "√" "sqrt" and "∥" "||"; a run of
// superscript digits and "⁻" is an exponent: "²" becomes "^2", "10⁻³" "10^-3",
// and a "*" closes it where a number would run on into it ("2²3" is "2^2*3").
// Every other byte is kept as it is.
// Without markDegrees every "°" is dropped; with it, Euler's number next to a
// π is marked too (euler.h), which π's digits would hide later.
std::string translateNotation(std::string_view text, bool markDegrees = false);

// An item of a text outside the vocabulary, as a byte range; length 0 = none.
struct UnknownItem {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The first item outside the vocabulary: a maximal run of ASCII letters that
// does not split into the words (function names, "e", "j", "ans"; longest word
// first, from the left), a run of "|" other than the operator "||", or a
// maximal run of characters that are neither letters nor digits, ".", "+",
// "-", "*", "/", "|", "^", "(", ")", "!" and the blank.
UnknownItem findUnknownItem(std::string_view text);

// Whether a run of ASCII letters splits, longest word first from the left, into
// the words of vocabularyWords() (any case).
bool lettersSplitIntoWords(std::string_view letters);

// The words letter runs split into: e j, the function names, ans.
std::span<const std::string_view> vocabularyWords();

// The length of the longest word (any case) at letters[p]; 0 for none.
std::size_t wordAt(std::string_view letters, std::size_t p);

// The position of the first word "ans" (any case) at or after `from`, found by
// splitting the letter runs into words; npos for none.
std::size_t findAns(std::string_view text, std::size_t from = 0);

}  // namespace kalvox
