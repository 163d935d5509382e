// Arithmetic faults, angles and letters: the small helpers around the numbers.

#include "engine/number_text.h"

#include <cmath>

#include "engine/constants.h"

namespace kalvox {

namespace {
constexpr double kPi = kPiValue;
}  // namespace

void raiseNonFinite(double x) {
    if (std::isnan(x)) throw ArithmeticFault{kInvalidCall};
    throw ArithmeticFault{kOverflow};
}

double resultValue(double x) {
    if (!std::isfinite(x)) raiseNonFinite(x);
    // Below 1E-308 the doubles are subnormal and spaced wider than the last of
    // 15 significant digits: the text would show digits the value does not have.
    if (x != 0 && std::fabs(x) < 1e-308) throw ArithmeticFault{kUnderflow};
    return x;
}

double degToRad(double d) { return checked(checked(d * kPi) / 180); }

double radToDeg(double r) { return checked(checked(r * 180) / kPi); }

void roundParts(double& x, double& y) {
    // Both parts keep 12 decimals from 0.01 up; below, the larger part keeps
    // 10 significant digits, so that a small value keeps its angle.
    const double larger = std::fmax(std::fabs(x), std::fabs(y));
    int decimals = 12;
    if (larger < 0.01 && larger > 0)
        decimals = 10 - static_cast<int>(std::floor(std::log10(larger)));
    x = roundTo(x, decimals);
    y = roundTo(y, decimals);
}

double complexAngle(double x, double y) {
    // On the real axis away from zero the rounding changes neither part's sign
    // (a zero stays that zero), which is all the angle depends on there.
    if (y == 0 && std::fabs(x) >= 1) return x > 0 ? y : 180;
    roundParts(x, y);
    if (x == 0) {
        if (y == 0) return 0;
        return y > 0 ? 90 : -90;
    }
    if (x > 0) {
        // atan and the conversion keep a zero as it is, sign and all.
        if (y == 0) return y;
        return radToDeg(std::atan(checked(y / x)));
    }
    if (y == 0) return 180;
    double t = std::atan(checked(y / x));
    return t > 0 ? radToDeg(t) - 180 : radToDeg(t) + 180;
}

void lowerCase(std::string& s) {
    // Without a branch per character, so that the compiler can work on many at once.
    for (char& c : s) {
        const bool upper = static_cast<unsigned char>(c - 'A') < 26;
        c = static_cast<char>(c + (upper ? 'a' - 'A' : 0));
    }
}

}  // namespace kalvox
