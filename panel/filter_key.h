#pragma once
// The key filter of the input box: which typed characters may enter the expression.

#include <cstdint>

namespace kalvox {

// filterKey: takes the code of a typed character as a signed 16-bit number and returns
// the code to deliver instead, 0 meaning the character is discarded. Digits, ".", ",",
// the four operators, brackets, "e", "j" and backspace pass; "E" and "J" arrive as "e"
// and "j"; the codes -3 and -12 pass unchanged; everything else is discarded.
std::int16_t filterKey(std::int16_t code);

}  // namespace kalvox
