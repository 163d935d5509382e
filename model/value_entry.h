#pragma once
// How a key that enters a whole value (π, a, a^2, a recalled register) fits in
// beside what already stands in the input box: never joined to a neighbour, so
// "2" then π is 2·π and "3*" then a recalled 6348+j8464 is 3·(6348+j8464).
// Standard C++ only.

#include <string>
#include <string_view>

namespace kalvox {

// Whether a character ends a value: a digit, ".", ")", "!", "j" (or "J", "π").
bool endsValue(char16_t c);

// Whether a character begins a value: a digit, ".", "(", "j", "π" or the first
// letter of a function name (any letter but "e", which only continues a number).
bool beginsValue(char16_t c);

// The text that puts value between the characters before and after it (0 for the
// start or end of the text; blanks are looked past by the caller): "*" in front
// after a value, "*" behind before a value.
std::u16string standingAlone(std::u16string_view value, char16_t before, char16_t after);

// A register's content as its recall key enters it: a value with a sign of its own
// ("6348+j8464", "-5", "-3+j4") in brackets, any other text as it stands.
std::string recalledText(const std::string& content);

// Whether a register's content is a value that the recall key enters as one:
// not empty and not an error display.
bool recallsAValue(std::string_view content);

}  // namespace kalvox
