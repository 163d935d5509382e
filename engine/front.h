#pragma once
// The front's steps before the evaluation that have no header of their own
// (notation.h, well_formed.h): the bracket check and the repair.

#include <cstddef>
#include <string>

namespace kalvox {

// The bracket check: 0, or the 1-based byte position of the first bracket
// without its partner, found by pairing the innermost pair again and again (at
// most ten pairs, after which the text counts as balanced). Marks the pairs it
// matched with "?" in s.
std::size_t findUnpairedBracket(std::string& s);

// The repair that writes the input box: blanks go; a dangling last character,
// runs of signs and doubled operators are mended; implicit products get their
// "*", a bare "j" its coefficient 1 (not before "(", where it is the bracket's
// coefficient); stray decimal points go. The parallel operator is "|" here.
std::string repairInput(std::string s);

}  // namespace kalvox
