#pragma once
// Euler's number: a lower-case "e" that stands as an operand of its own
// ("e^-1", "2*e", "ln e"). The front marks it with a control byte
// (kEulerMarker), so that the later steps read it as a number item of its
// own and never as the exponent letter of a number ("2e3"), the "e" of a
// phasor ("2ej30", "ej45") or a part of a name ("exp", "re").

#include <string>
#include <string_view>

namespace kalvox {

// Whether the "e" at text[i] is Euler's number: lower case; not right behind
// a digit, a point or a letter, unless the letters before it end with a
// function name ("ln e", "sine"); and followed by none of a digit, a point,
// signs and then a digit or point ("e-1" is a malformed number), or a letter
// other than the start of a function name ("ej30", "exp"). Blanks between
// count as nothing, as the repair removes them.
bool isEulerAt(std::string_view text, std::size_t i);

// Marks every Euler's number of the text.
void markEulersNumber(std::string& text);

}  // namespace kalvox
