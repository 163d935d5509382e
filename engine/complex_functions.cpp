// Principal values of the elementary functions of a complex value, in degrees.

#include "engine/complex_functions.h"

#include <cmath>

#include "engine/error_messages.h"
#include "engine/number_item.h"
#include "engine/number_text.h"

namespace kalvox {

namespace {
using Complex = std::complex<double>;

Complex degreesToRadians(Complex z) { return {degToRad(z.real()), degToRad(z.imag())}; }
Complex radiansToDegrees(Complex z) { return {radToDeg(z.real()), radToDeg(z.imag())}; }

bool isFinite(Complex w) { return std::isfinite(w.real()) && std::isfinite(w.imag()); }

// The refusal a real argument gets from the real function, if any.
std::string_view realRefusal(ComplexFunction f, double x) {
    switch (f) {
        case ComplexFunction::Arcsin:
            return std::fabs(x) > 1 ? kArcsinDomain : std::string_view{};
        case ComplexFunction::Arccos:
            return std::fabs(x) > 1 ? kArccosDomain : std::string_view{};
        case ComplexFunction::Tan:
            return std::fabs(std::fmod(poleRounded(x), 180)) == 90 ? kTangentOf90
                                                                   : std::string_view{};
        case ComplexFunction::Ctn:
            return std::fmod(poleRounded(x), 180) == 0 ? kCotangentOf0 : std::string_view{};
        case ComplexFunction::Ln:
        case ComplexFunction::Log:
            return x <= 0 ? kLogDomain : std::string_view{};
        default:
            return {};
    }
}

Complex evaluate(ComplexFunction f, Complex z) {
    const Complex rightAngle(2 * std::atan(1.0), 0);
    switch (f) {
        case ComplexFunction::Arcsin:
            return radiansToDegrees(std::asin(z));
        case ComplexFunction::Arccos:
            return radiansToDegrees(std::acos(z));
        case ComplexFunction::Arctan:
            return radiansToDegrees(std::atan(z));
        case ComplexFunction::Arcctn:
            // The continuation of the real arc cotangent, whose values lie in (0, 180):
            // a right angle minus arctan z. Far from 0 that difference loses its
            // digits; the arctangent of the reciprocal keeps them.
            if (std::abs(z) > 1 && z.real() != 0) {
                const Complex w = std::atan(1.0 / z);
                return radiansToDegrees(z.real() > 0 ? w : w + 2.0 * rightAngle);
            }
            return radiansToDegrees(rightAngle - std::atan(z));
        case ComplexFunction::Sin:
            return std::sin(degreesToRadians(z));
        case ComplexFunction::Cos:
            return std::cos(degreesToRadians(z));
        case ComplexFunction::Tan:
            return std::tan(degreesToRadians(z));
        case ComplexFunction::Ctn:
            return 1.0 / std::tan(degreesToRadians(z));
        case ComplexFunction::Ln:
            return std::log(z);
        case ComplexFunction::Log:
            return std::log(z) / std::log(10.0);
        case ComplexFunction::Exp:
            return std::exp(z);
    }
    return {};
}

// Off the real axis a nought part of a result is +0, so that its text shows no sign.
Complex withPlainZeros(Complex w) { return {w.real() + 0.0, w.imag() + 0.0}; }
}  // namespace

// Beyond this many radians a double no longer knows a phase to one radian:
// e^(jx) with a larger x has no angle to show, only rounding noise.
constexpr double kLargestKnownPhase = 1e15;

ComplexResult complexFunction(ComplexFunction f, Complex z) {
    z = withPlainZeros(z);
    if (f == ComplexFunction::Exp && std::fabs(z.imag()) > kLargestKnownPhase)
        return {{}, kOverflow};
    if (z.imag() == 0) {
        if (const std::string_view refusal = realRefusal(f, z.real()); !refusal.empty())
            return {{}, refusal};
    }
    // arctan has its poles at ±j, where (j + z) / (j - z) is 0 or infinite.
    if ((f == ComplexFunction::Arctan || f == ComplexFunction::Arcctn) && z.real() == 0 &&
        std::fabs(z.imag()) == 1)
        return {{}, kInvalidCall};
    try {
        const Complex w = evaluate(f, z);
        if (!isFinite(w)) {
            if (std::isnan(w.real()) || std::isnan(w.imag())) {
                // A result with an overflowing part comes back from the library as NaN
                // as often as infinite (sin and cos far off the axis).
                return {{}, isFinite(z) ? kOverflow : kInvalidCall};
            }
            return {{}, kOverflow};
        }
        return {withPlainZeros(w), {}};
    } catch (const ArithmeticFault& fault) {
        return {{}, fault.message};
    }
}

ComplexResult complexPower(Complex a, Complex b) {
    a = withPlainZeros(a);
    if (a == Complex(0, 0)) {
        if (b.real() > 0) return {{0, 0}, {}};
        return {{}, kDivisionByZero};
    }
    const Complex exponent = b * std::log(a);
    if (std::fabs(exponent.imag()) > kLargestKnownPhase) return {{}, kOverflow};
    const Complex w = std::exp(exponent);
    if (!isFinite(w)) return {{}, kOverflow};
    return {withPlainZeros(w), {}};
}

Complex rectangularOf(PolarValue v) {
    // The angle rounded to 8 decimals and brought into (-180, 180] tells the axes.
    double a = std::fmod(roundTo(v.angle, 8), 360.0);
    if (a > 180) a -= 360;
    if (a <= -180) a += 360;
    double c = 0, s = 0;
    if (a == 0 || a == 90 || a == 180 || a == -90) {
        c = a == 0 ? 1 : a == 180 ? -1 : 0;
        s = a == 90 ? 1 : a == -90 ? -1 : 0;
    } else {
        const double r = degToRad(v.angle);
        c = std::cos(r);
        s = std::sin(r);
    }
    return withPlainZeros({checked(v.magnitude * c), checked(v.magnitude * s)});
}

std::string complexText(Complex w) {
    const double x = checked(w.real());
    const double y = checked(w.imag()) + 0.0;
    const double R = y == 0 ? std::fabs(x) : x == 0 ? std::fabs(y) : checked(std::hypot(x, y));
    // The angle to the last digit: a function's value has no residue of π to hide,
    // and its text reads back as the same value. A real has 0 or 180.
    const double A = y == 0 ? (x < 0 ? 180 : 0) : radToDeg(std::atan2(y, x));
    return polarText(R, A);
}

}  // namespace kalvox
