#pragma once
// Number items: the numbers as they stand in an expression ("2.5", "1e-05",
// "j4", "4j", "2ej-30", "ej45"), their well-formedness, and the real value of
// an argument that must be real (a function's or a factorial's).

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvox {

// Whether c may stand inside a number item: a digit, ".", "e", "E", "j", "J"
// or a marker of the front (a prefix, Euler's number, a degree sign).
bool isNumberItemChar(char c);

// The end of the number item that starts at `start` (a character for which
// isNumberItemChar holds): the maximal run of such characters, with a sign
// that directly follows an exponent letter, the "j" of "ej", or a "j" that
// opens the item ("j-4"); a sign after a coefficient's "j" ("4j-2") is an
// operator.
std::size_t numberItemEnd(std::string_view s, std::size_t start);

// The start of the number item that ends at `end` (s[end - 1] being part of
// it), or `end` itself when none ends there.
std::size_t numberItemStart(std::string_view s, std::size_t end);

// Where the "ej" of the item s[start, end) ends when the item is a phasor's
// magnitude and "ej", with a "-" maybe, whose angle is the bracket or the
// function name behind it ("1ej(90+30)", "100ej-arccos0.9"); 0 otherwise.
std::size_t phasorEjEnd(std::string_view s, std::size_t start, std::size_t end);

// Whether an item is a number (either case): a real D[.D][e[±]D] or .D[e[±]D],
// an imaginary j[-]R or Rj, or an exponential [R]ej[-]R, R being a real. A real
// other than the angle may end with a prefix marker instead of its exponent,
// and any real with a degree marker ("30°"). Euler's number is an item of
// its own.
bool isWellFormedNumber(std::string_view item);

// A value text read as a real argument.
struct RealArgument {
    bool real = true;  // false: the value lies off the real axis
    double value = 0;
};

// A value text ([sign] number item, or a kernel result) read as a real: a real
// text as its number; an imaginary or exponential text whose magnitude is 0,
// or whose angle rounded to 8 decimals is a whole multiple of 180, as that
// real number; anything else is not real. A number too large for a double
// raises an overflow fault.
RealArgument readRealArgument(std::string_view text);

// An angle rounded as the poles of tan and ctn are found: to 8 decimals, or
// to 12 significant digits where those are fewer (a value that has passed
// through the 15-digit texts of several operations keeps about that many).
double poleRounded(double x);

// The factorial of a value text: the number text of n! for a whole n from 0 to
// 170, else empty with *error set to the message of the refusal.
std::string factorialText(std::string_view value, std::string_view* error);

}  // namespace kalvox
