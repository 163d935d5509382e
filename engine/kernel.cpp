// The operation kernel: one two-operand operation on value texts.
//
// A value text is a real ("-2.5", "1E-05"), an imaginary value ("j4", "4j",
// "-j4") or an exponential value ("2ej30", "ej45"). The kernel reads both
// operands as magnitude and angle in degrees, computes, and writes one of three
// shapes: a real, a negated real ("-" + R at 180 degrees) or R + "ej" + A.

#include <cmath>
#include <limits>

#include "engine/complex_functions.h"
#include "engine/complex_value.h"
#include "engine/detail/characters.h"
#include "engine/number_item.h"
#include "engine/number_text.h"
#include "engine/operations.h"

namespace kalvox {

namespace {

// Below this a quotient of two sizes has lost digits or soon will (the
// smallest normal double is about 2.2E-308).
constexpr double kSmallestFullShare = 1e-290;

constexpr double kSquareRoot = 0.5;
// The number text of 1/3, which is what a bracket "(1/3)" becomes.
constexpr double kCubeRoot = 0.333333333333333;

std::string_view trimBlanks(std::string_view s) {
    const std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// A value text split into its magnitude text and angle text. The texts point
// into the value text, or into `storage` where the magnitude had to be rebuilt.
// An angle that the form fixes (90 for an imaginary value, 0 for a real) comes
// with its value, which reading its text would give.
struct ValueParts {
    std::string storage;
    std::string_view magnitude;
    std::string_view angle;
    bool fixedAngle = false;
    double angleValue = 0;

    double angleDegrees() const { return fixedAngle ? angleValue : leadingValue(angle); }
};

void splitValue(std::string_view text, ValueParts& parts) {
    std::size_t p = text.find("ej");
    if (p != std::string_view::npos) {
        // A magnitude left out is 1, also behind a sign ("-ej30").
        parts.magnitude = text.substr(0, p);
        if (p == 0 || parts.magnitude == "+") parts.magnitude = "1";
        if (parts.magnitude == "-") parts.magnitude = "-1";
        parts.angle = text.substr(p + 2);
        return;
    }
    p = text.find('j');
    if (p != std::string_view::npos) {
        // The "j" becomes a blank, which the number reading skips.
        parts.storage.assign(text);
        parts.storage[p] = ' ';
        // Signs on both sides of the "j" ("-j-4") make one sign.
        if (p == 1 && text.size() > 2 && isSign(text[0]) && isSign(text[2])) {
            parts.storage.assign(1, text[0] == text[2] ? '+' : '-');
            parts.storage.append(text.substr(3));
        }
        parts.magnitude = trimBlanks(parts.storage);
        parts.angle = "90";
        parts.fixedAngle = true;
        parts.angleValue = 90;
        return;
    }
    parts.magnitude = text;
    parts.angle = "0";
    parts.fixedAngle = true;
    parts.angleValue = 0;
}

double mul(double a, double b) { return checked(a * b); }
double add(double a, double b) { return checked(a + b); }
double sub(double a, double b) { return checked(a - b); }
double power(double a, double b) { return checked(std::pow(a, b)); }

// The rectangular parts of magnitude m at angle t degrees. At an angle of
// exactly zero the cosine is 1 and the sine is that zero, so the parts are m
// and m * t without calling either.
void rectangular(double m, double t, double& x, double& y) {
    if (t == 0) {
        x = m;
        y = m * t;
        return;
    }
    const double r = degToRad(t);
    x = mul(m, std::cos(r));
    y = mul(m, std::sin(r));
}

// The magnitude of x + jy: the root of the sum of squares, which on an axis
// is the other part's size; where the squares would overflow or lose digits
// below the normal range, the same length without them.
double magnitudeOf(double x, double y) {
    if (y == 0) return std::fabs(x);
    if (x == 0) return std::fabs(y);
    const double squares = std::pow(x, 2) + std::pow(y, 2);
    if (std::isfinite(squares) && squares >= std::numeric_limits<double>::min())
        return std::sqrt(squares);
    return checked(std::hypot(x, y));
}

// The result text: the number text of R, "-" and the number text of R, or R "ej" A,
// written into out (whose storage is reused).
void writeResult(std::string& out, double R, double A) {
    R = resultValue(R);
    out.clear();
    const double a = roundTo(A, 8);
    if (a == 0) {
        appendNumberText(out, R);
    } else if (a == 180) {
        if (R < 0) {
            appendNumberText(out, -R);
        } else {
            out += '-';
            appendNumberText(out, R);
        }
    } else {
        out.reserve(48);
        appendNumberText(out, R);
        out += "ej";
        appendNumberText(out, A);
    }
}

std::string resultText(double R, double A) {
    std::string out;
    writeResult(out, R, A);
    return out;
}

// Below this share of the operands' magnitudes a sum of two values counts as
// zero: what is left is the rounding of the values' texts and of π.
constexpr double kCancelledSum = 1e-13;
// The round number a sum's size in a||b may be taken for: 13 significant digits,
// when it lies within this share of the size.
constexpr int kSumDigits = 13;
constexpr double kResidue = 1e-14;

}  // namespace

PolarValue readPolar(std::string_view text) {
    ValueParts parts;
    splitValue(text, parts);
    return {leadingValue(parts.magnitude), parts.angleDegrees()};
}

std::string polarText(double R, double A) { return resultText(R, A); }

Computed operate(std::string_view leftText, std::string_view rightText, char o) {
    Computed c;
    c.error = operate(leftText, rightText, o, c.text);
    return c;
}

std::string_view operate(std::string_view leftText, std::string_view rightText, char o,
                         std::string& out) {
    try {
        ValueParts left, right;
        splitValue(leftText, left);
        splitValue(rightText, right);
        const std::string_view m1 = left.magnitude;
        const double M1 = leadingValue(m1);
        const double T1 = left.angleDegrees();
        const double M2 = leadingValue(right.magnitude);
        const double T2 = right.angleDegrees();

        double R = 0;
        double A = 0;
        if (o == '+' || o == '-') {
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            rectangular(M1, T1, x1, y1);
            rectangular(M2, T2, x2, y2);
            const double x = o == '+' ? add(x1, x2) : sub(x1, x2);
            const double y = o == '+' ? add(y1, y2) : sub(y1, y2);
            R = magnitudeOf(x, y);
            A = complexAngle(x, y);
        } else if (o == '|') {
            // a||b = a*b/(a+b), the parallel connection.
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            rectangular(M1, T1, x1, y1);
            rectangular(M2, T2, x2, y2);
            const double x = add(x1, x2);
            const double y = add(y1, y2);
            if (magnitudeOf(x, y) <= kCancelledSum * (std::fabs(M1) + std::fabs(M2))) {
                return kDivisionByZero;
            }
            // A sum's size within the residue of π of a round number is that
            // number ("(3+j4)||(3-j4)" divides by 6, not by 6.00000000000001).
            double S = magnitudeOf(x, y);
            const int decimals = kSumDigits - 1 - static_cast<int>(std::floor(std::log10(S)));
            const double round = roundTo(S, decimals);
            if (std::fabs(round - S) <= kResidue * S) S = round;
            // M1 * (M2 / S): no product of two large or two small sizes on the way.
            // Where M2 / S would fall into the subnormal range and lose its digits
            // (1E306||2E-14), M2 * (M1 / S), with M1 / S near 1, instead.
            const double share = M2 / S;
            R = std::fabs(share) < kSmallestFullShare ? mul(M2, checked(M1 / S))
                                                      : mul(M1, checked(share));
            A = sub(add(T1, T2), complexAngle(x, y));
        } else if (o == '*') {
            R = mul(M1, M2);
            A = add(T1, T2);
        } else if (o == '/') {
            if (M2 == 0) {
                return kDivisionByZero;
            }
            R = checked(M1 / M2);
            A = sub(T1, T2);
        } else if (o == '^') {
            // A complex text on the real axis counts as the real it stands for;
            // an exponent off it gives the principal value.
            const RealArgument exponent = readRealArgument(rightText);
            if (!exponent.real) {
                const ComplexResult w =
                    complexPower(rectangularOf({M1, T1}), rectangularOf({M2, T2}));
                if (!w.error.empty()) return w.error;
                out = complexText(w.value);
                return {};
            }
            const double E = exponent.value;
            if (M1 == 0 && E < 0) {
                return kDivisionByZero;
            }
            if (M1 <= 0 && E == kSquareRoot) {
                R = power(std::fabs(M1), E);
                A = add(mul(T1, E), 90);
            } else if (M1 <= 0 && E == kCubeRoot) {
                R = -power(std::fabs(M1), E);
                A = mul(T1, E);
            } else if (M1 < 0 && E < 1 && E != std::trunc(E)) {
                return kNegativeRoot;
            } else {
                // Zero to a power of at least 0, or a whole power of a negative.
                R = power(M1, E);
                A = mul(T1, E);
            }
        }

        writeResult(out, R, A);
        return {};
    } catch (const ArithmeticFault& fault) {
        return fault.message;
    }
}

}  // namespace kalvox
