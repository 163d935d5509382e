#include "engine/number_text.h"

#include <charconv>
#include <clocale>
#include <locale.h>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace kalvox {

namespace {
constexpr double kPi = 3.14159265358979;

// Powers of ten that a double holds exactly.
constexpr double kExactTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Exact decimal scaling: x * 10^k rounded half-to-even to a whole number, for
// 0 <= k <= 22 (10^k is an exact double) and x * 10^k below 2^51. The product's
// rounding error is recovered exactly with a fused multiply-add, so the result
// is the rounding of the exact product, as a decimal conversion would give it.
bool scaledRound(double ax, int k, std::uint64_t& n) {
    if (k < 0 || k > 22) return false;
    const double scale = kExactTens[k];
    const double p = ax * scale;
    if (!(p < 2251799813685248.0)) return false;  // 2^51
    const double err = std::fma(ax, scale, -p);
    const double whole = std::floor(p);
    const double above = (p - whole - 0.5) + err;  // sign of (exact - whole - 1/2)
    std::uint64_t w = static_cast<std::uint64_t>(whole);
    if (above > 0 || (above == 0 && (w & 1))) ++w;
    n = w;
    return true;
}

// Sign of x * 10^k - bound, computed on the exact product.
int compareScaled(double ax, int k, double bound) {
    const double scale = kExactTens[k];
    const double p = ax * scale;
    const double d = (p - bound) + std::fma(ax, scale, -p);
    return d > 0 ? 1 : (d < 0 ? -1 : 0);
}

// The 15 significant digits of |x| and its decimal exponent, when x lies where
// exact scaling reaches (1e-8 <= |x| < 1e15).
bool fifteenDigits(double ax, std::uint64_t& digits, int& exponent) {
    if (!(ax >= 1e-8 && ax < 1e15)) return false;
    int e = static_cast<int>(std::floor(std::log10(ax)));
    if (e < -8) e = -8;
    if (e > 14) e = 14;
    // log10 may be one off next to a power of ten: settle e exactly.
    for (int tries = 0; tries < 2; ++tries) {
        if (e < 14 && compareScaled(ax, 14 - e, 1e15) >= 0) {
            ++e;
        } else if (e > -8 && compareScaled(ax, 14 - e, 1e14) < 0) {
            --e;
        } else {
            break;
        }
    }
    if (compareScaled(ax, 14 - e, 1e15) >= 0 || compareScaled(ax, 14 - e, 1e14) < 0) return false;
    std::uint64_t n = 0;
    if (!scaledRound(ax, 14 - e, n)) return false;
    if (n == 1000000000000000ULL) {  // rounded up to the next power of ten
        n = 100000000000000ULL;
        ++e;
    }
    digits = n;
    exponent = e;
    return true;
}

// Reads a cleaned decimal text ([-]digits[.digits][e[-]digits]) into a double.
// nullopt on overflow; underflow gives 0 (or the nearest subnormal).
std::optional<double> readDecimal(const std::string& clean) {
    double value = 0;
    const char* first = clean.data();
    const char* last = first + clean.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small: the decimal exponent of the first significant
        // digit tells which. Too small reads as zero.
        std::size_t k = clean[0] == '-' ? 1 : 0;
        long magnitude = 0;
        std::size_t point = clean.find('.');
        std::size_t epos = clean.find('e');
        std::size_t mantEnd = epos == std::string::npos ? clean.size() : epos;
        std::size_t intEnd = point == std::string::npos ? mantEnd : point;
        std::size_t firstSig = clean.find_first_not_of("0.", k);
        if (firstSig == std::string::npos || firstSig >= mantEnd) return 0.0;
        magnitude = firstSig < intEnd ? static_cast<long>(intEnd - firstSig) - 1
                                      : -static_cast<long>(firstSig - intEnd);
        if (epos != std::string::npos) {
            // Exponents beyond any double's range only need their sign and size.
            std::string_view e(clean.c_str() + epos + 1);
            bool neg = !e.empty() && e[0] == '-';
            if (neg) e.remove_prefix(1);
            long ev = e.size() > 9 ? 1000000000L : std::atol(std::string(e).c_str());
            magnitude += neg ? -ev : ev;
        }
        if (magnitude > 0) return std::nullopt;
        // Below the normal range: the C library gives the nearest subnormal (or 0).
        // The C locale keeps "." as the decimal point whatever the user's locale.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        return strtod_l(clean.c_str(), nullptr, cLocale);
    }
    if (ec != std::errc{}) return 0.0;
    if (std::isinf(value)) return std::nullopt;
    return value;
}
// The 15 significant digits and the decimal exponent of x, by the general
// conversion (d.dddddddddddddde±XX).
void scientificDigits(double x, char* digitBuf, std::size_t& count, int& exponent) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, 14);
    const char* p = buf + (buf[0] == '-' ? 1 : 0);
    count = 0;
    for (; *p != 'e'; ++p)
        if (*p != '.') digitBuf[count++] = *p;
    ++p;
    const bool negativeExponent = *p == '-';
    ++p;
    exponent = 0;
    for (; p != res.ptr; ++p) exponent = exponent * 10 + (*p - '0');
    if (negativeExponent) exponent = -exponent;
}

}  // namespace

namespace {
// Writes the number text from its sign, its significant digits and its decimal exponent.
std::string formatNumber(bool negative, const char* digitBuf, std::size_t count, int exponent) {
    while (count > 1 && digitBuf[count - 1] == '0') --count;
    const std::string_view digits(digitBuf, count);

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        int e = std::abs(exponent);
        if (e < 10) out += '0';
        out += std::to_string(e);
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out += digits;
            out.append(intLen - digits.size(), '0');
        } else {
            out += digits.substr(0, intLen);
            out += '.';
            out += digits.substr(intLen);
        }
    }
    return out;
}
}  // namespace

std::string numberText(double x) {
    if (x == 0 || std::isnan(x)) return "0";
    if (std::isinf(x)) throw ArithmeticFault{kOverflow};
    if (std::fabs(x) < 1e15 && x == std::trunc(x)) {
        // A whole number of at most 15 digits is written exactly as it is.
        char digits[24];
        auto res = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(x));
        return std::string(digits, res.ptr);
    }
    const bool negative = x < 0;
    char digitBuf[16];
    std::size_t count = 0;
    int exponent = 0;
    std::uint64_t n = 0;
    if (fifteenDigits(std::fabs(x), n, exponent)) {
        for (int i = 14; i >= 0; --i) {
            digitBuf[i] = static_cast<char>('0' + n % 10);
            n /= 10;
        }
        count = 15;
    } else {
        scientificDigits(x, digitBuf, count, exponent);
    }
    return formatNumber(negative, digitBuf, count, exponent);
}

std::string numberTextGeneral(double x) {
    if (x == 0 || std::isnan(x)) return "0";
    if (std::isinf(x)) throw ArithmeticFault{kOverflow};
    char digitBuf[16];
    std::size_t count = 0;
    int exponent = 0;
    scientificDigits(x, digitBuf, count, exponent);
    return formatNumber(x < 0, digitBuf, count, exponent);
}

namespace {

// The common plain number "[sign] digits [. digits]" of at most 15 significant
// digits, with nothing after it that could continue it (a blank, a point or an
// exponent letter). Its digits form an integer m below 2^53 and the point
// divides by an exact power of ten, so m / 10^f is one correctly rounded
// operation on exact operands: the same double as the general conversion.
// Anything else is left to the general parse (nullopt).
std::optional<double> plainNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    auto digit = [&](std::size_t k) { return k < n && text[k] >= '0' && text[k] <= '9'; };
    if (!digit(i)) return std::nullopt;
    std::uint64_t m = 0;
    int significant = 0;
    int fraction = 0;
    while (digit(i)) {
        m = m * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (m != 0) ++significant;
        ++i;
        if (significant > 15) return std::nullopt;
    }
    if (i < n && text[i] == '.') {
        ++i;
        if (!digit(i)) return std::nullopt;
        while (digit(i)) {
            m = m * 10 + static_cast<std::uint64_t>(text[i] - '0');
            if (m != 0) ++significant;
            ++fraction;
            ++i;
            if (significant > 15 || fraction > 22) return std::nullopt;
        }
    }
    if (significant > 15) return std::nullopt;
    if (i < n && (text[i] == ' ' || text[i] == '.' || text[i] == 'e' || text[i] == 'E'))
        return std::nullopt;
    if (m == 0) return 0.0;
    const double v = static_cast<double>(m) / kExactTens[fraction];
    return negative ? -v : v;
}
}  // namespace

std::optional<double> leadingNumber(std::string_view text) {
    if (auto v = plainNumber(text)) return v;
    return leadingNumberGeneral(text);
}

std::optional<double> leadingNumberGeneral(std::string_view text) {
    std::string clean;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skip = [&] {
        while (i < n && text[i] == ' ') ++i;
    };
    auto isDigit = [&](std::size_t k) { return k < n && text[k] >= '0' && text[k] <= '9'; };

    skip();
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') clean += '-';
        ++i;
        skip();
    }
    // Appends the run of digits at i (blanks between them skipped); false when there is none.
    auto readDigits = [&](std::string& into) {
        bool any = false;
        while (true) {
            skip();
            if (!isDigit(i)) return any;
            into += text[i++];
            any = true;
        }
    };
    bool anyDigit = readDigits(clean);
    skip();
    if (i < n && text[i] == '.') {
        std::size_t save = i;
        std::string frac = ".";
        ++i;
        if (readDigits(frac)) {
            clean += frac;
            anyDigit = true;
        } else {
            i = save + 1;  // "5." reads as 5; the point is consumed
        }
    }
    if (!anyDigit) return 0.0;
    skip();
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t k = i + 1;
        std::string exp = "e";
        while (k < n && text[k] == ' ') ++k;
        if (k < n && (text[k] == '+' || text[k] == '-')) {
            if (text[k] == '-') exp += '-';
            ++k;
        }
        bool expDigit = false;
        while (true) {
            while (k < n && text[k] == ' ') ++k;
            if (!(k < n && text[k] >= '0' && text[k] <= '9')) break;
            exp += text[k++];
            expDigit = true;
        }
        if (expDigit) clean += exp;
    }
    if (clean == "-" || clean.empty()) return 0.0;
    auto v = readDecimal(clean);
    if (v && *v == 0) return 0.0;  // "-0" reads as plain zero
    return v;
}

double leadingValue(std::string_view text) {
    auto v = leadingNumber(text);
    if (!v) throw ArithmeticFault{kOverflow};
    return *v;
}

double roundTo(double x, int n) {
    if (!std::isfinite(x)) return checked(x);
    // A whole number is its own rounding at any number of decimals.
    if (x == std::trunc(x)) return x;
    std::uint64_t scaled = 0;
    if (scaledRound(std::fabs(x), n, scaled)) {
        const double v = static_cast<double>(scaled) / kExactTens[n];
        return x < 0 ? -v : v;
    }
    return roundToGeneral(x, n);
}

double roundToGeneral(double x, int n) {
    if (!std::isfinite(x)) return checked(x);
    // Fixed notation of a double is at most 309 integer digits plus the decimals.
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, n);
    // At most 15 significant digits and 22 decimals: the digits form an integer
    // below 2^53 and one division by an exact power of ten reads it back, the
    // same double as the general conversion gives.
    if (n >= 0 && n <= 22) {
        const char* p = buf;
        const bool negative = *p == '-';
        if (negative) ++p;
        std::uint64_t m = 0;
        int significant = 0;
        for (; p != res.ptr && significant <= 15; ++p) {
            if (*p == '.') continue;
            m = m * 10 + static_cast<std::uint64_t>(*p - '0');
            if (m != 0) ++significant;
        }
        if (significant <= 15) {
            const double v = static_cast<double>(m) / kExactTens[n];
            return negative ? -v : v;
        }
    }
    double v = 0;
    std::from_chars(buf, res.ptr, v);
    return v;
}

double checked(double x) {
    if (std::isnan(x)) throw ArithmeticFault{kInvalidCall};
    if (std::isinf(x)) throw ArithmeticFault{kOverflow};
    return x;
}

double degToRad(double d) { return checked(checked(d * kPi) / 180); }

double radToDeg(double r) { return checked(checked(r * 180) / kPi); }

double complexAngle(double x, double y) {
    x = roundTo(x, 12);
    y = roundTo(y, 12);
    if (x == 0) {
        if (y == 0) return 0;
        return y > 0 ? 90 : -90;
    }
    if (x > 0) return radToDeg(std::atan(checked(y / x)));
    if (y == 0) return 180;
    double t = std::atan(checked(y / x));
    return t > 0 ? radToDeg(t) - 180 : radToDeg(t) + 180;
}

void lowerCase(std::string& s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

}  // namespace kalvox
