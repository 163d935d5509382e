#include "engine/number_text.h"

#include <locale.h>

#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
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
// 0 <= k <= 22 (10^k is an exact double) and x * 10^k below 2^53. The product's
// rounding error is recovered exactly with a fused multiply-add, so the result
// is the rounding of the exact product, as a decimal conversion would give it.
// Below 2^53 the product's spacing is at most 1, so its error is at most 1/2
// and the whole number is floor(p) or the one above; the sign of the sum below
// is the sign of the exact difference, since rounding keeps signs and zeros.
// (At an error of exactly -1/2 the product itself is even and stays.)
bool scaledRound(double ax, int k, std::uint64_t& n) {
    if (k < 0 || k > 22) return false;
    const double scale = kExactTens[k];
    const double p = ax * scale;
    if (!(p < 9007199254740992.0)) return false;  // 2^53
    const double err = std::fma(ax, scale, -p);
    std::uint64_t w = static_cast<std::uint64_t>(p);  // floor(p), as p >= 0
    const double whole = static_cast<double>(w);
    const double above = (p - whole - 0.5) + err;  // sign of (exact - whole - 1/2)
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
    // With 2^b <= ax < 2^(b+1), the decimal exponent is floor(b * log10 2) or
    // one more (78913 / 2^18 is log10 2 closely enough for every double);
    // one exact comparison settles it.
    const int b = static_cast<int>((std::bit_cast<std::uint64_t>(ax) >> 52) & 0x7FF) - 1023;
    int e = (b * 78913) >> 18;
    if (e < -8) e = -8;  // ax >= 1e-8 already rules out anything lower
    if (e < 14 && compareScaled(ax, 14 - e, 1e15) >= 0) ++e;
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

// "00" to "99": the digits are written two at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes `pairs` pairs of digits of v, the last pair at out[2 * pairs - 2].
void digitPairs(std::uint32_t v, int pairs, char* out) {
    for (int i = 2 * pairs - 2; i >= 0; i -= 2) {
        const std::size_t pair = static_cast<std::size_t>(v % 100) * 2;
        v /= 100;
        out[i] = kDigitPairs[pair];
        out[i + 1] = kDigitPairs[pair + 1];
    }
}

// Writes the 15 digits of n (below 10^15, leading zeros kept) to out[0..15):
// the first 7 and the last 8 digits each in 32-bit arithmetic.
void fifteenDigitText(std::uint64_t n, char* out) {
    const auto high = static_cast<std::uint32_t>(n / 100000000);
    const auto low = static_cast<std::uint32_t>(n % 100000000);
    out[0] = static_cast<char>('0' + high / 1000000);
    digitPairs(high % 1000000, 3, out + 1);
    digitPairs(low, 4, out + 7);
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
// Appends the number text made of its sign, its significant digits and its
// decimal exponent to out, in one piece.
void appendFormatted(std::string& out, bool negative, const char* digitBuf, std::size_t count,
                     int exponent) {
    while (count > 1 && digitBuf[count - 1] == '0') --count;
    char text[48];
    char* p = text;
    if (negative) *p++ = '-';
    auto put = [&p](const char* from, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) *p++ = from[i];
    };
    if (exponent < -4 || exponent >= 15) {
        *p++ = digitBuf[0];
        if (count > 1) {
            *p++ = '.';
            put(digitBuf + 1, count - 1);
        }
        *p++ = 'E';
        *p++ = exponent < 0 ? '-' : '+';
        const int e = std::abs(exponent);
        if (e >= 100) *p++ = static_cast<char>('0' + e / 100);
        *p++ = static_cast<char>('0' + e / 10 % 10);
        *p++ = static_cast<char>('0' + e % 10);
    } else if (exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        for (int i = -exponent - 1; i > 0; --i) *p++ = '0';
        put(digitBuf, count);
    } else {
        const std::size_t intLen = static_cast<std::size_t>(exponent) + 1;
        if (count <= intLen) {
            put(digitBuf, count);
            for (std::size_t i = count; i < intLen; ++i) *p++ = '0';
        } else {
            put(digitBuf, intLen);
            *p++ = '.';
            put(digitBuf + intLen, count - intLen);
        }
    }
    out.append(text, static_cast<std::size_t>(p - text));
}
}  // namespace

void appendNumberText(std::string& out, double x) {
    if (x == 0 || std::isnan(x)) {
        out += '0';
        return;
    }
    if (std::isinf(x)) throw ArithmeticFault{kOverflow};
    if (std::fabs(x) < 1e15 && static_cast<double>(static_cast<long long>(x)) == x) {
        // A whole number of at most 15 digits is written exactly as it is.
        char digits[24];
        auto res = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(x));
        out.append(digits, res.ptr);
        return;
    }
    char digitBuf[16];
    std::size_t count = 0;
    int exponent = 0;
    std::uint64_t n = 0;
    if (fifteenDigits(std::fabs(x), n, exponent)) {
        fifteenDigitText(n, digitBuf);
        count = 15;
    } else {
        scientificDigits(x, digitBuf, count, exponent);
    }
    appendFormatted(out, x < 0, digitBuf, count, exponent);
}

std::string numberText(double x) {
    std::string out;
    appendNumberText(out, x);
    return out;
}

std::string numberTextGeneral(double x) {
    if (x == 0 || std::isnan(x)) return "0";
    if (std::isinf(x)) throw ArithmeticFault{kOverflow};
    char digitBuf[16];
    std::size_t count = 0;
    int exponent = 0;
    scientificDigits(x, digitBuf, count, exponent);
    std::string out;
    appendFormatted(out, x < 0, digitBuf, count, exponent);
    return out;
}

namespace {

// The common plain number "[sign] digits [. digits]" of at most 15 significant
// digits, with nothing after it that could continue it (a blank, a point or an
// exponent letter). Its digits form an integer m below 2^53 and the point
// divides by an exact power of ten, so m / 10^f is one correctly rounded
// operation on exact operands: the same double as the general conversion.
// Anything else is left to the general parse (nullopt).
std::optional<double> plainNumber(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    auto digitAt = [end](const char* q) {
        return q != end && static_cast<unsigned char>(*q - '0') <= 9;
    };
    if (!digitAt(p)) return std::nullopt;
    // Leading zeros are not significant; at most 15 digits follow them.
    while (digitAt(p) && *p == '0') ++p;
    std::uint64_t m = 0;
    int significant = 0;
    while (digitAt(p)) {
        if (++significant > 15) return std::nullopt;
        m = m * 10 + static_cast<std::uint64_t>(*p++ - '0');
    }
    int fraction = 0;
    if (p != end && *p == '.') {
        ++p;
        if (!digitAt(p)) return std::nullopt;
        while (digitAt(p)) {
            m = m * 10 + static_cast<std::uint64_t>(*p++ - '0');
            if (m != 0 && ++significant > 15) return std::nullopt;
            if (++fraction > 22) return std::nullopt;
        }
    }
    if (p != end && (*p == ' ' || *p == '.' || *p == 'e' || *p == 'E')) return std::nullopt;
    if (m == 0) return 0.0;
    const double v = static_cast<double>(m) / kExactTens[fraction];
    return negative ? -v : v;
}
}  // namespace

std::optional<double> leadingNumber(std::string_view text) {
    if (text.empty()) return 0.0;
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

namespace {
// For n decimals, the smallest power of two from which on the doubles are
// spaced wider than 10^-n: there the decimal nearest x lies within half a
// spacing of x, so x is the double nearest its own rounding. (The spacing from
// 2^e on is 2^(e-52); it exceeds 10^-n where 2^e * 10^n > 2^52. Both products
// are exact.)
constexpr double selfRoundingBound(int n) {
    constexpr double kTwo52 = 4503599627370496.0;
    double bound = 1;
    while (bound * kExactTens[n] <= kTwo52) bound *= 2;
    while (bound / 2 * kExactTens[n] > kTwo52) bound /= 2;
    return bound;
}

constexpr auto kSelfRounding = [] {
    std::array<double, 23> bounds{};
    for (int n = 0; n < 23; ++n) bounds[static_cast<std::size_t>(n)] = selfRoundingBound(n);
    return bounds;
}();
static_assert(kSelfRounding[8] == 67108864.0);  // 2^26
static_assert(kSelfRounding[12] == 8192.0);
static_assert(kSelfRounding[15] == 8.0);
}  // namespace

double roundTo(double x, int n) {
    if (!std::isfinite(x)) return checked(x);
    const double ax = std::fabs(x);
    if (n >= 0 && n <= 22) {
        if (ax >= kSelfRounding[static_cast<std::size_t>(n)]) return x;
        // Below the bound (at most 2^52) a whole number converts exactly.
        if (static_cast<double>(static_cast<long long>(x)) == x) return x;
    }
    // A whole number is its own rounding at any number of decimals.
    if (x == std::trunc(x)) return x;
    std::uint64_t scaled = 0;
    if (scaledRound(ax, n, scaled)) {
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

void raiseNonFinite(double x) {
    if (std::isnan(x)) throw ArithmeticFault{kInvalidCall};
    throw ArithmeticFault{kOverflow};
}

double degToRad(double d) { return checked(checked(d * kPi) / 180); }

double radToDeg(double r) { return checked(checked(r * 180) / kPi); }

double complexAngle(double x, double y) {
    // On the real axis away from zero the rounding changes neither part's sign
    // (a zero stays that zero), which is all the angle depends on there.
    if (y == 0 && std::fabs(x) >= 1) return x > 0 ? y : 180;
    x = roundTo(x, 12);
    y = roundTo(y, 12);
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
