#pragma once
// Numbers as the engine reads and writes them: writing in number_format.cpp,
// reading in number_read.cpp; their general conversions in
// engine/detail/number_text_general.h.

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "engine/error_messages.h"

namespace kalvox {

// An arithmetic fault found inside a computation; caught at the stage that owns
// the error state and raised as the engine's error. Never leaves the engine.
struct ArithmeticFault {
    std::string_view message;
};

// A double as text: at most 15 significant digits, "1E-05" / "1.5E+16" when the
// decimal exponent is below -4 or at least 15, otherwise plain decimals without
// trailing zeros. Negative zero is written "0".
std::string numberText(double x);

// numberText(x) appended to out.
void appendNumberText(std::string& out, double x);

// Leading-number parse: blanks anywhere are skipped, the longest prefix
// [sign] digits [. digits] [e|E [sign] digits] is read (a number may begin with
// its point); no such prefix reads as 0. nullopt when the number is too large
// for a double.
std::optional<double> leadingNumber(std::string_view text);

// As leadingNumber, but a number too large to hold raises an overflow fault,
// and one too small to hold with 15 digits the underflow (resultValue).
double leadingValue(std::string_view text);

// x rounded half-to-even at n decimals (the double nearest that decimal); x
// itself where the doubles are spaced wider than 10^-n.
double roundTo(double x, int n);

// Raises the fault that a non-finite result stands for.
[[noreturn]] void raiseNonFinite(double x);

// Raises the fault that a non-finite result stands for, else returns x.
inline double checked(double x) {
    if (!std::isfinite(x)) raiseNonFinite(x);
    return x;
}

// A result value as a value text may hold it: a non-finite value raises its
// fault, and a nonzero value below 1E-308 in size, where doubles are subnormal
// and hold fewer than 15 digits, raises the underflow. Else returns x.
double resultValue(double x);

// Degrees to radians and back, with the decimal constant 3.14159265358979.
double degToRad(double d);
double radToDeg(double r);

// The rounding of the parts x + jy before their angle is taken: 12 decimals from
// 0.01 up, below that 10 significant digits of the larger part.
void roundParts(double& x, double& y);

// Angle of x + jy in degrees, in (-180, 180]; x and y are first rounded by roundParts.
double complexAngle(double x, double y);

// Lower-cases the ASCII letters of s in place.
void lowerCase(std::string& s);

}  // namespace kalvox
