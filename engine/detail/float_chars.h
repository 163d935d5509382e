#pragma once
// The three conversions between doubles and decimal text that the number text and
// the number reading build on, each correctly rounded. Where the standard library
// has the floating-point std::to_chars and std::from_chars they are used; where it
// lacks them (the libc++ of the WebAssembly build) the C library's snprintf and
// strtod do the same work. Both give the same characters and the same doubles; the
// C functions are only used under the "C" locale, whose decimal point is ".".

#include <cstddef>

namespace kalvox::detail {

// x as d.ddd...e±XX with `decimals` digits after the point; returns the end of the
// text written into buf (no terminating zero).
char* writeScientific(double x, int decimals, char* buf, std::size_t size);

// x in fixed notation with `decimals` digits after the point; returns the end.
char* writeFixed(double x, int decimals, char* buf, std::size_t size);

enum class ReadStatus {
    Ok,          // value holds the nearest double (a subnormal included)
    OutOfRange,  // too large for a double, or so small that it reads as zero
    Invalid,     // no number at the start of the text
};

// Reads [-]digits[.digits][e[-]digits] from [first, last) into value.
ReadStatus readDouble(const char* first, const char* last, double& value);

}  // namespace kalvox::detail
