// The function pass: elementary functions written before their argument
// ("sin30", "arccos-0.5", "log100", "sin2ej180"), the functions of complex
// values ("conj2ej30", "abs-2", "sqrt-4"), then factorials ("5!").

#include <array>
#include <cmath>

#include "engine/complex_functions.h"
#include "engine/complex_value.h"
#include "engine/engine.h"
#include "engine/function_names.h"
#include "engine/number_item.h"
#include "engine/number_text.h"

namespace kalvox {

namespace {
constexpr const auto& kNames = kFunctionNames;
// The first ten names and the complex functions go in the same order.
static_assert(kNames[static_cast<std::size_t>(ComplexFunction::Arcsin)] == "arcsin" &&
              kNames[static_cast<std::size_t>(ComplexFunction::Sin)] == "sin" &&
              kNames[static_cast<std::size_t>(ComplexFunction::Log)] == "log");

// The share of a value's magnitude within which re and im are taken for a round
// number: the residue that π's 15 digits leave in an angle.
constexpr double kPartResidue = 1e-13;

// Beyond this size the arc cotangent is computed from the reciprocal.
constexpr double kFarOut = 1e8;

// Whether a "-" at the end of out is the sign of what follows it (rather than
// a subtraction): it opens the text or follows "(", "*", "/", "|", "^" or a
// function name (the "j" of "conj" and the "e" of "re" end a name, not a number),
// as behind a bracket.
bool endsWithSign(const std::string& out) {
    const std::size_t n = out.size();
    if (n == 0 || out[n - 1] != '-') return false;
    if (n == 1) return true;
    const char c = out[n - 2];
    return c == '(' || c == '*' || c == '/' || c == '|' || c == '^' ||
           functionNameEndsAt(out, n - 1);
}

// Appends a function's value; a negative one behind a sign loses both signs.
void appendValue(std::string& out, const std::string& value) {
    if (!value.empty() && value[0] == '-' && endsWithSign(out)) {
        out.pop_back();
        out.append(value, 1);
        return;
    }
    out += value;
}

// Whether the angle x (degrees, rounded to 8 decimals) is an odd multiple of 90.
bool atTangentPole(double x) { return std::fabs(std::fmod(poleRounded(x), 180)) == 90; }
// Whether the angle x (degrees, rounded to 8 decimals) is a multiple of 180.
bool atCotangentPole(double x) { return std::fmod(poleRounded(x), 180) == 0; }

double power2(double x) { return checked(std::pow(x, 2)); }

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
            return {numberText(radToDeg(std::atan(checked(x / std::sqrt(1 - power2(x)))))), {}};
        case 1:  // arccos
            if (std::fabs(x) > 1) return {"", kArccosDomain};
            if (x == 1) return {"0", {}};
            if (x == -1) return {"180", {}};
            return {numberText(
                        radToDeg(rightAngle + std::atan(checked(-x / std::sqrt(1 - power2(x)))))),
                    {}};
        case 2:  // arctan
            return {numberText(radToDeg(std::atan(x))), {}};
        case 3:  // arcctn
            // Far out the difference of the two angles loses its digits; the
            // arctangent of the reciprocal keeps them.
            if (std::fabs(x) > kFarOut)
                return {numberText(
                            radToDeg(x > 0 ? std::atan(1 / x) : 2 * rightAngle + std::atan(1 / x))),
                        {}};
            return {numberText(radToDeg(rightAngle - std::atan(x))), {}};
        case 4:  // sin
            return {numberText(checked(std::sin(degToRad(x)))), {}};
        case 5:  // cos
            return {numberText(checked(std::cos(degToRad(x)))), {}};
        case 6:  // tan
            if (atTangentPole(x)) return {"", kTangentOf90};
            return {numberText(checked(std::tan(degToRad(x)))), {}};
        case 7: {  // ctn
            if (atCotangentPole(x)) return {"", kCotangentOf0};
            const double t = std::tan(degToRad(x));
            if (t == 0) throw ArithmeticFault{kDivisionByZero};
            return {numberText(checked(1 / t)), {}};
        }
        case 8:  // ln
            if (x <= 0) return {"", kLogDomain};
            return {numberText(checked(std::log(x))), {}};
        default:  // log
            if (x <= 0) return {"", kLogDomain};
            return {numberText(checked(std::log(x) / std::log(10.0))), {}};
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
            return {numberText(std::fabs(v.magnitude)), {}};
        case 2: {  // arg, in (-180, 180]; the angle of 0 is 0
            if (v.magnitude == 0) return {"0", {}};
            const double a = principalAngle(v.magnitude < 0 ? v.angle + 180 : v.angle);
            return {numberText(a == -180 ? 180 : a), {}};
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
            return {numberText(std::fabs(round - part) <= kPartResidue * size ? round : part), {}};
        }
        case 5: {  // sqrt: the principal root, half the angle in (-180, 180]
            const double a = principalAngle(v.magnitude < 0 ? v.angle + 180 : v.angle);
            return {polarText(std::sqrt(std::fabs(v.magnitude)), (a == -180 ? 180 : a) / 2), {}};
        }
        default: {  // exp, of a real
            const RealArgument x = readRealArgument(z);
            if (!x.real) return evaluateOffAxis(ComplexFunction::Exp, z);
            return {numberText(checked(std::exp(x.value))), {}};
        }
    }
}

// Replaces every function name and its argument by the value. Returns false
// when a function failed; the failing name stays in the text.
//
// The search for the first name of the table that occurs anywhere, started
// again from "arcsin" after every function, comes down to one sweep per name
// in table order: a value spliced in starts with a digit or "-" and ends with
// a digit, so a replacement never makes a new occurrence of any name, and the
// names only get fewer. Within one name's sweep the next first occurrence lies
// behind the value just spliced in, where the text is still the input's.
bool functionStep(Engine& engine, std::string& s) {
    // Every name holds at least one of these letters.
    bool anyName = false;
    for (char c : s)
        anyName |= (c == 'a') | (c == 'c') | (c == 'l') | (c == 's') | (c == 't') | (c == 'r') |
                   (c == 'm') | (c == 'x');
    if (!anyName) return true;
    std::string out;
    for (std::size_t k = 0; k < kNames.size(); ++k) {
        const std::string_view name = kNames[k];
        std::size_t p = s.find(name);
        if (p == std::string::npos) continue;
        out.clear();
        out.reserve(s.size());
        std::size_t copied = 0;  // s[0, copied) is in out
        while (p != std::string::npos) {
            // The argument: the number item behind the name, with its sign.
            const std::size_t argStart = p + name.size();
            std::size_t q = argStart;
            if (q < s.size() && s[q] == '-') ++q;
            std::string_view failure;
            std::string missing;
            if (q < s.size() && isNumberItemChar(s[q])) {
                q = numberItemEnd(s, q);
            } else {
                missing = missingOperandMessage(name);
                failure = missing;
            }
            const std::string_view argument(s.data() + argStart, q - argStart);
            if (failure.empty()) {
                try {
                    FunctionValue value;
                    if (k >= kFirstComplexWord) {
                        value = evaluateComplexWord(k, argument);
                    } else {
                        const RealArgument x = readRealArgument(argument);
                        value = x.real ? evaluateFunction(k, x.value)
                                       : evaluateOffAxis(static_cast<ComplexFunction>(k), argument);
                    }
                    failure = value.error;
                    if (failure.empty() && k >= kFirstComplexWord && q < s.size() && s[q] == '!') {
                        // A "!" right behind a complex word takes its whole value, sign
                        // and all, as behind a bracket: "arg(j-2)!" is (-90)!.
                        std::string product = factorialText(value.text, &failure);
                        if (failure.empty()) {
                            value.text = std::move(product);
                            ++q;
                        }
                    }
                    if (failure.empty()) {
                        out.append(s, copied, p - copied);
                        appendValue(out, value.text);
                        copied = q;
                    }
                } catch (const ArithmeticFault& fault) {
                    failure = fault.message;
                }
            }
            if (!failure.empty()) {
                out.append(s, copied);
                s = std::move(out);
                engine.raise(failure);
                return false;
            }
            p = s.find(name, q);
        }
        out.append(s, copied);
        s.swap(out);
    }
    return true;
}

// Replaces every "n!" by n factorial, from left to right, in one sweep: the
// number item in front of each "!" is the item at the end of the text rebuilt
// so far, which may be the value of the factorial before it.
void factorialStep(Engine& engine, std::string& s) {
    std::size_t bang = s.find('!');
    if (bang == std::string::npos) return;
    std::string out;
    out.reserve(s.size());
    std::size_t copied = 0;  // s[0, copied) is in out
    while (bang != std::string::npos) {
        out.append(s, copied, bang - copied);
        const std::size_t m = numberItemStart(out, out.size());
        std::string_view error;
        std::string product;
        std::string missing;
        if (m == out.size()) {
            missing = missingOperandMessage("!");
            error = missing;
        } else {
            product = factorialText(std::string_view(out).substr(m), &error);
        }
        if (!error.empty()) {
            out.append(s, bang);
            s = std::move(out);
            engine.raise(error);
            return;
        }
        out.resize(m);
        out += product;
        copied = bang + 1;
        bang = s.find('!', copied);
    }
    out.append(s, copied);
    s = std::move(out);
}
}  // namespace

std::string Engine::hsjs(std::string s) {
    if (hasError()) return "";
    functionStep(*this, s);
    factorialStep(*this, s);
    return s;
}

}  // namespace kalvox
