// Numbers written as text (numberText) and rounded at a number of decimals
// (roundTo), each with its general conversion as the fallback.

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/detail/decimal_digits.h"
#include "engine/detail/float_chars.h"
#include "engine/detail/number_text_general.h"
#include "engine/number_text.h"

namespace kalvox {

namespace {
using detail::DigitAccumulator;
using detail::kExactTens;

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
    std::uint64_t bits = 0;
    std::memcpy(&bits, &ax, sizeof bits);  // std::bit_cast, which emscripten's libc++ lacks
    const int b = static_cast<int>((bits >> 52) & 0x7FF) - 1023;
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

// The 15 significant digits and the decimal exponent of x, by the general
// conversion (d.dddddddddddddde±XX).
void scientificDigits(double x, char* digitBuf, std::size_t& count, int& exponent) {
    char buf[64];
    const char* const end = detail::writeScientific(x, 14, buf, sizeof buf);
    const char* p = buf + (buf[0] == '-' ? 1 : 0);
    count = 0;
    for (; *p != 'e'; ++p)
        if (*p != '.') digitBuf[count++] = *p;
    ++p;
    const bool negativeExponent = *p == '-';
    ++p;
    exponent = 0;
    for (; p != end; ++p) exponent = exponent * 10 + (*p - '0');
    if (negativeExponent) exponent = -exponent;
}

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
    const char* const end = detail::writeFixed(x, n, buf, sizeof buf);
    // At most 15 significant digits and 22 decimals: the digits form an integer
    // below 2^53 and one division by an exact power of ten reads it back, the
    // same double as the general conversion gives.
    if (n >= 0 && n <= 22) {
        const char* p = buf;
        const bool negative = *p == '-';
        if (negative) ++p;
        DigitAccumulator digits;
        for (; p != end && digits.fits(); ++p) {
            if (*p != '.') digits.push(*p);
        }
        if (digits.fits()) return digits.value(n, negative);
    }
    double v = 0;
    detail::readDouble(buf, end, v);
    return v;
}

}  // namespace kalvox
