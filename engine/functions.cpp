// The functions: elementary functions of a real argument ("sin30",
// "arccos-0.5", "log100"), the functions of complex values ("conj2ej30",
// "abs-2", "sqrt-4"), the factorial ("5!") and the sign of a value.

#include <array>
#include <cmath>

#include "engine/complex_functions.h"
#include "engine/complex_value.h"
#include "engine/error_messages.h"
#include "engine/function_names.h"
#include "engine/number_item.h"
#include "engine/number_text.h"
#include "engine/operations.h"

namespace kalvox {

namespace {
// The first ten names and the complex functions go in the same order.
static_assert(kFunctionNames[static_cast<std::size_t>(ComplexFunction::Arcsin)] == "arcsin" &&
              kFunctionNames[static_cast<std::size_t>(ComplexFunction::Sin)] == "sin" &&
              kFunctionNames[static_cast<std::size_t>(ComplexFunction::Log)] == "log");

// The share of a value's magnitude within which re and im are taken for a round
// number: the residue that π's 15 digits leave in an angle.
constexpr double kPartResidue = 1e-13;

// Beyond this size the arc cotangent is computed from the reciprocal.
constexpr double kFarOut = 1e8;

// Whether the angle x (degrees, rounded to 8 decimals) is an odd multiple of 90.
bool atTangentPole(double x) { return std::fabs(std::fmod(poleRounded(x), 180)) == 90; }
// Whether the angle x (degrees, rounded to 8 decimals) is a multiple of 180.
bool atCotangentPole(double x) { return std::fmod(poleRounded(x), 180) == 0; }

double power2(double x) { return checked(std::pow(x, 2)); }

// A real result as its value text; one too small for 15 digits is refused
// (resultValue), not written with digits it does not have.
std::string realText(double x) { return numberText(resultValue(x)); }

// The value of function k (0-based) at x, or the message of a failed check.
struct FunctionValue {
    std::string text;
    std::string_view error;
};

FunctionValue evaluateFunction(std::size_t k, double x) {
    const double rightAngle = 2 * std::atan(1.0);
    switch (k) {
        case 0:  // arcsin
            if (std::fabs(x) > 1) return {"", kArcsinDomain};
            if (x == 1) return {"90", {}};
            if (x == -1) return {"-90", {}};
            return {realText(radToDeg(std::atan(checked(x / std::sqrt(1 - power2(x)))))), {}};
        case 1:  // arccos
            if (std::fabs(x) > 1) return {"", kArccosDomain};
            if (x == 1) return {"0", {}};
            if (x == -1) return {"180", {}};
            return {
                realText(radToDeg(rightAngle + std::atan(checked(-x / std::sqrt(1 - power2(x)))))),
                {}};
        case 2:  // arctan
            return {realText(radToDeg(std::atan(x))), {}};
        case 3:  // arcctn
            // Far out the difference of the two angles loses its digits; the
            // arctangent of the reciprocal keeps them.
            if (std::fabs(x) > kFarOut)
                return {realText(
                            radToDeg(x > 0 ? std::atan(1 / x) : 2 * rightAngle + std::atan(1 / x))),
                        {}};
            return {realText(radToDeg(rightAngle - std::atan(x))), {}};
        case 4:  // sin
            return {realText(std::sin(degToRad(x))), {}};
        case 5:  // cos
            return {realText(std::cos(degToRad(x))), {}};
        case 6:  // tan
            if (atTangentPole(x)) return {"", kTangentOf90};
            return {realText(std::tan(degToRad(x))), {}};
        case 7: {  // ctn
            if (atCotangentPole(x)) return {"", kCotangentOf0};
            const double t = std::tan(degToRad(x));
            if (t == 0) throw ArithmeticFault{kDivisionByZero};
            return {realText(1 / t), {}};
        }
        case 8:  // ln
            if (x <= 0) return {"", kLogDomain};
            return {realText(std::log(x)), {}};
        default:  // log
            if (x <= 0) return {"", kLogDomain};
            return {realText(std::log(x) / std::log(10.0)), {}};
    }
}

// The value of function f at a value text off the real axis: its principal value.
FunctionValue evaluateOffAxis(ComplexFunction f, std::string_view z) {
    const ComplexResult w = complexFunction(f, rectangularOf(readPolar(z)));
    if (!w.error.empty()) return {"", w.error};
    return {complexText(w.value), {}};
}

// An angle in degrees brought into (-180, 180].
double principalAngle(double a) {
    double r = std::fmod(a, 360.0);
    if (r > 180) r -= 360;
    if (r <= -180) r += 360;
    return r;
}

// The cosine and sine of an angle in degrees; exact where the angle, rounded to
// 8 decimals, lies on an axis, so that re(j4) is 0 and not the residue of π.
void unitParts(double degrees, double& c, double& s) {
    const double a = roundTo(principalAngle(degrees), 8);
    if (a == 0 || a == 90 || a == 180 || a == -90) {
        c = a == 0 ? 1 : a == 180 ? -1 : 0;
        s = a == 90 ? 1 : a == -90 ? -1 : 0;
        return;
    }
    const double r = degToRad(degrees);
    c = std::cos(r);
    s = std::sin(r);
}

// The value of the complex word k (kFirstComplexWord and on) at the value text
// z, or the message of a failed check.
FunctionValue evaluateComplexWord(std::size_t k, std::string_view z) {
    const PolarValue v = readPolar(z);
    switch (k - kFirstComplexWord) {
        case 0:  // conj: the angle negated
            return {polarText(v.magnitude, -v.angle), {}};
        case 1:  // abs
            return {realText(std::fabs(v.magnitude)), {}};
        case 2: {  // arg, in (-180, 180]; the angle of 0 is 0
            if (v.magnitude == 0) return {"0", {}};
            const double a = principalAngle(v.magnitude < 0 ? v.angle + 180 : v.angle);
            return {realText(a == -180 ? 180 : a), {}};
        }
        case 3:    // re
        case 4: {  // im
            double c = 0, s = 0;
            unitParts(v.angle, c, s);
            const double part = checked(v.magnitude * (k - kFirstComplexWord == 3 ? c : s));
            // A part within the residue of π of a round number (12 significant
            // digits of the magnitude) is that number: "re(2ej60)" is 1.
            if (v.magnitude == 0) return {"0", {}};
            const double size = std::fabs(v.magnitude);
            const int decimals = 11 - static_cast<int>(std::floor(std::log10(size)));
            const double round = roundTo(part, decimals);
            return {realText(std::fabs(round - part) <= kPartResidue * size ? round : part), {}};
        }
        case 5: {  // sqrt: the principal root, half the angle in (-180, 180]
            const double a = principalAngle(v.magnitude < 0 ? v.angle + 180 : v.angle);
            return {polarText(std::sqrt(std::fabs(v.magnitude)), (a == -180 ? 180 : a) / 2), {}};
        }
        default: {  // exp, of a real
            const RealArgument x = readRealArgument(z);
            if (!x.real) return evaluateOffAxis(ComplexFunction::Exp, z);
            return {realText(std::exp(x.value)), {}};
        }
    }
}

}  // namespace

Computed applyFunction(std::size_t name, std::string_view argument) {
    try {
        FunctionValue value;
        if (name >= kFirstComplexWord) {
            value = evaluateComplexWord(name, argument);
        } else {
            const RealArgument x = readRealArgument(argument);
            value = x.real ? evaluateFunction(name, x.value)
                           : evaluateOffAxis(static_cast<ComplexFunction>(name), argument);
        }
        if (!value.error.empty()) return {"", value.error};
        return {std::move(value.text), {}};
    } catch (const ArithmeticFault& fault) {
        return {"", fault.message};
    }
}

Computed polarValue(std::string_view magnitude, std::string_view angle) {
    try {
        const RealArgument x = readRealArgument(angle);
        if (!x.real) return {"", kAngleNotReal};
        // A real text is the angle as it stands; another form of a real value
        // ("5ej180") is written as its number.
        std::string item(magnitude.empty() ? std::string_view("1") : magnitude);
        item += "ej";
        if (angle.find_first_of("jJ") == std::string_view::npos) {
            item += angle;
        } else {
            item += numberText(x.value);
        }
        return settled(item);
    } catch (const ArithmeticFault& fault) {
        return {"", fault.message};
    }
}

Computed factorialOf(std::string_view value) {
    std::string_view error;
    std::string product = factorialText(value, &error);
    if (!error.empty()) return {"", error};
    return {std::move(product), {}};
}

std::string negated(std::string_view value) {
    if (!value.empty() && value[0] == '-') return std::string(value.substr(1));
    std::string out;
    out.reserve(value.size() + 1);
    out += '-';
    out += value;
    return out;
}

}  // namespace kalvox
