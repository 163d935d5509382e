#pragma once
// The elementary functions of a complex value and the power with a complex
// exponent, as principal values. Angles are degrees at both ends, as everywhere
// in the calculator: sin z is sin(z * π / 180) with the π of the π key, and
// arcsin z is the principal value in radians * 180 / π. exp and the power take
// radians, as in Euler's formula.
//
// The evaluation keeps the real functions as they are (their refusals belong
// to the real axis: ln(-1), arcsin 2, tan 90); these are for arguments off it.
// Errors are values: a refusal comes back as the message to raise.

#include <complex>
#include <string>
#include <string_view>

#include "engine/complex_value.h"

namespace kalvox {

// The functions, in the order of the first ten function names (arcsin ... log),
// then exp.
enum class ComplexFunction {
    Arcsin,
    Arccos,
    Arctan,
    Arcctn,
    Sin,
    Cos,
    Tan,
    Ctn,
    Ln,
    Log,
    Exp,
};

// A complex result, or the message of a refusal (then value is meaningless).
struct ComplexResult {
    std::complex<double> value;
    std::string_view error;
};

// The principal value of f at z. Refused: a result too large for a double
// (kOverflow), arctan and arcctn at their poles ±j (kInvalidCall). A real z
// (imaginary part 0) gets the refusals of the real functions: arcsin and arccos
// beyond ±1, tan at odd multiples of 90, ctn at multiples of 180, ln and log
// at 0 and below.
ComplexResult complexFunction(ComplexFunction f, std::complex<double> z);

// The principal value of a^b = exp(b * ln a). 0^b is 0 when b's real part is
// positive and refused with kDivisionByZero otherwise.
ComplexResult complexPower(std::complex<double> a, std::complex<double> b);

// A value read from its text as magnitude and angle in degrees, in rectangular
// form. An angle that lies on an axis (to 8 decimals) gives exact parts, so
// that j4 is 0 + 4j and not the residue of π; a zero part is +0.
std::complex<double> rectangularOf(PolarValue v);

// The value text of a complex result in the kernel's shapes: a real, "-" and a
// real, or the magnitude R "ej" the angle A in degrees, A in (-180, 180] to the
// double's last digit. A non-finite part raises an arithmetic fault.
std::string complexText(std::complex<double> w);

}  // namespace kalvox
