#pragma once
// Which texts the literal reference reads as the calculator does. Euler's
// number, an angle that is an expression ("1ej(90+30)"), an angle behind a
// function's bracket ("sqrt(3)ej30"), a degree sign behind a digit, which
// an argument in radians refuses, and the refusal of a last "e" ("2e") came
// after the
// rewriting evaluation the reference renders; texts that may hold them are
// held to the meaning check and the fuzzing invariants instead.

#include <string_view>

namespace kalvox::reference {

// Whether the text may hold one of the notations above. A test on the
// translated characters: it may say yes for more texts than it must, never
// for fewer.
bool beyondLiteralReading(std::string_view text);

}  // namespace kalvox::reference
