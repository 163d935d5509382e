// Number items as they stand in an expression, and real arguments.

#include "engine/number_item.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/detail/characters.h"
#include "engine/function_names.h"
#include "engine/number_text.h"

namespace kalvox {

namespace {

// Whether the sign at s[i] belongs to the item that starts at `start`.
bool signAttaches(std::string_view s, std::size_t start, std::size_t i) {
    if (i == start) return false;
    const char before = s[i - 1];
    if (isE(before)) return true;
    if (!isJ(before)) return false;
    return i - 1 == start || (i - 1 > start && isE(s[i - 2]));
}

// The end of a real D[.D][e[±]D] or .D[e[±]D] at i, or npos. Where a prefix
// may stand, D[.D]P or .DP with a prefix marker P is a real too.
std::size_t realEnd(std::string_view s, std::size_t i, bool prefixAllowed) {
    const std::size_t n = s.size();
    const std::size_t digitsFrom = i;
    while (i < n && isDigit(s[i])) ++i;
    const bool whole = i > digitsFrom;
    if (i < n && s[i] == '.') {
        const std::size_t f = ++i;
        while (i < n && isDigit(s[i])) ++i;
        if (i == f) return std::string_view::npos;
    } else if (!whole) {
        return std::string_view::npos;
    }
    // A prefix ends the real: no exponent after it ("1.5e3k" neither); so
    // does a degree sign ("30°").
    if (prefixAllowed && i < n && isPrefixMarker(s[i])) return i + 1;
    if (i < n && s[i] == kDegreeMarker) return i + 1;
    // An exponent: "e" not followed by "j" (that "e" opens "ej").
    if (i < n && isE(s[i]) && !(i + 1 < n && isJ(s[i + 1]))) {
        ++i;
        if (i < n && isSign(s[i])) ++i;
        const std::size_t e = i;
        while (i < n && isDigit(s[i])) ++i;
        if (i == e) return std::string_view::npos;
        if (i < n && s[i] == kDegreeMarker) ++i;
    }
    return i;
}

// n! for n = 0 ... 170, multiplied in rising order.
const std::array<std::string, 171>& factorialTable() {
    static const std::array<std::string, 171> texts = [] {
        std::array<std::string, 171> t;
        double product = 1;
        for (std::size_t n = 0; n <= 170; ++n) {
            if (n > 1) product *= static_cast<double>(n);
            t[n] = numberText(product);
        }
        return t;
    }();
    return texts;
}

constexpr double kLargestFactorial = 170;
}  // namespace

bool isNumberItemChar(char c) { return isDigit(c) || c == '.' || isE(c) || isJ(c) || isMarker(c); }

std::size_t numberItemEnd(std::string_view s, std::size_t start) {
    std::size_t i = start;
    while (i < s.size()) {
        if (isNumberItemChar(s[i]) || (isSign(s[i]) && signAttaches(s, start, i))) {
            ++i;
        } else {
            break;
        }
    }
    return i;
}

std::size_t numberItemStart(std::string_view s, std::size_t end) {
    std::size_t from = end;
    while (from > 0) {
        const char c = s[from - 1];
        if (isNumberItemChar(c) ||
            (isSign(c) && from >= 2 && (isE(s[from - 2]) || isJ(s[from - 2]))))
            --from;
        else
            break;
    }
    // The run may hold more than one item ("4j-2"): walk its items forwards.
    std::size_t i = from;
    while (i < end) {
        if (!isNumberItemChar(s[i])) {
            ++i;
            continue;
        }
        const std::size_t e = numberItemEnd(s, i);
        if (e >= end) return i;
        i = e;
    }
    return end;
}

std::size_t phasorEjEnd(std::string_view s, std::size_t start, std::size_t end) {
    std::size_t ej = end;
    if (ej > start && s[ej - 1] == '-') --ej;
    if (ej - start < 2 || !isJ(s[ej - 1]) || !isE(s[ej - 2])) return 0;
    if (end == s.size() || !(s[end] == '(' || functionNameAt(s, end) != 0)) return 0;
    return ej;
}

bool isWellFormedNumber(std::string_view item) {
    const std::size_t n = item.size();
    if (n == 0) return false;
    if (item[0] == kEulerMarker) return n == 1;  // Euler's number stands alone
    // Imaginary with the "j" first: j[-]R.
    if (isJ(item[0])) {
        std::size_t i = 1;
        if (i < n && item[i] == '-') ++i;
        return realEnd(item, i, true) == n;
    }
    // Exponential with the magnitude left out: ej[-]R.
    std::size_t i = 0;
    if (!(n >= 2 && isE(item[0]) && isJ(item[1]))) {
        i = realEnd(item, 0, true);
        if (i == std::string_view::npos) return false;
        if (i == n) return true;                      // a real
        if (i + 1 == n && isJ(item[i])) return true;  // Rj
        if (!(i + 2 <= n && isE(item[i]) && isJ(item[i + 1]))) return false;
    }
    i += 2;  // past "ej"
    if (i < n && item[i] == '-') ++i;
    return realEnd(item, i, false) == n;  // an angle takes no prefix
}

RealArgument readRealArgument(std::string_view text) {
    // The magnitude of a text that leaves it out ("ej30", "-j") is 1.
    auto magnitudeOf = [](std::string_view m) {
        if (m.empty() || m == "+") return 1.0;
        if (m == "-") return -1.0;
        return leadingValue(m);
    };
    const std::size_t p = text.find("ej");
    double magnitude = 0;
    double angle = 0;
    if (p != std::string_view::npos) {
        magnitude = magnitudeOf(text.substr(0, p));
        angle = leadingValue(text.substr(p + 2));
    } else if (const std::size_t q = text.find('j'); q != std::string_view::npos) {
        std::string rest(text.substr(0, q));
        rest.append(text.substr(q + 1));
        // Signs on both sides of the "j" ("-j-4") make one sign.
        if (rest.size() >= 2 && isSign(rest[0]) && isSign(rest[1]))
            rest.replace(0, 2, 1, rest[0] == rest[1] ? '+' : '-');
        magnitude = magnitudeOf(rest);
        angle = 90;
    } else {
        return {true, leadingValue(text)};
    }
    if (magnitude == 0) return {true, 0};
    const double a = roundTo(angle, 8);
    if (std::fmod(a, 180) != 0) return {false, 0};
    return {true, std::fmod(a, 360) == 0 ? magnitude : -magnitude};
}

double poleRounded(double x) {
    if (x == 0 || !std::isfinite(x)) return x;
    const int digits = 11 - static_cast<int>(std::floor(std::log10(std::fabs(x))));
    return roundTo(x, digits < 8 ? (digits < 0 ? 0 : digits) : 8);
}

namespace {
// A whole number of a factorial to 12 significant digits, counted from the ones
// place for a value below 1: the last digits of 15-digit texts go, a small
// fraction (3.7E-09) stays one and is not taken for 0.
double wholeRounded(double x) {
    if (!std::isfinite(x)) return x;
    const int digits = 11 - static_cast<int>(std::floor(std::log10(std::max(std::fabs(x), 1.0))));
    return roundTo(x, digits < 0 ? 0 : digits);
}
}  // namespace

std::string factorialText(std::string_view value, std::string_view* error) {
    RealArgument n;
    try {
        n = readRealArgument(value);
    } catch (const ArithmeticFault&) {
        *error = kFactorialOverflow;
        return {};
    }
    // A value that passed through 15-digit texts may miss its whole number by the
    // last digits ("(1/3*3)!" reaches here as 0.999999999999999).
    if (n.real) n.value = wholeRounded(n.value);
    if (!n.real || n.value < 0 || n.value != std::floor(n.value)) {
        *error = kFactorialDomain;
        return {};
    }
    if (n.value > kLargestFactorial) {
        *error = kFactorialOverflow;
        return {};
    }
    return factorialTable()[static_cast<std::size_t>(n.value)];
}

}  // namespace kalvox
