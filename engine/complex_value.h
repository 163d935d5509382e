#pragma once
// A value text read as the kernel reads its operands, and a result written as the
// kernel writes it: for the functions of complex values (conj ... sqrt).

#include <string>
#include <string_view>

namespace kalvox {

// A value text as magnitude (possibly negative: "-2ej30") and angle in degrees.
struct PolarValue {
    double magnitude = 0;
    double angle = 0;
};

// A value text ([sign] real, imaginary or exponential text, or a kernel result)
// read as magnitude and angle. A number too large for a double raises an
// overflow fault.
PolarValue readPolar(std::string_view text);

// The kernel's result text of magnitude R at angle A degrees: a real, "-" and a
// real at 180 degrees, or R "ej" A.
std::string polarText(double R, double A);

}  // namespace kalvox
