// Numbers read from the front of a text (leadingNumber), with the general
// parse as the fallback of the shortcut for plain numbers.

#include <cmath>
#include <cstdlib>

#include "engine/detail/decimal_digits.h"
#include "engine/detail/float_chars.h"
#include "engine/detail/number_text_general.h"
#include "engine/number_text.h"

namespace kalvox {

namespace {
using detail::DigitAccumulator;

// Reads a cleaned decimal text ([-]digits[.digits][e[-]digits]) into a double.
// nullopt on overflow; underflow gives 0 (or the nearest subnormal).
std::optional<double> readDecimal(const std::string& clean) {
    double value = 0;
    const char* first = clean.data();
    const char* last = first + clean.size();
    const detail::ReadStatus status = detail::readDouble(first, last, value);
    if (status == detail::ReadStatus::OutOfRange) {
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
        // The conversion gives every subnormal itself and reports "out of range" on
        // the small side only for texts that round to zero.
        return 0.0;
    }
    if (status != detail::ReadStatus::Ok) return 0.0;
    if (std::isinf(value)) return std::nullopt;
    return value;
}

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
    DigitAccumulator digits;
    while (digitAt(p)) {
        if (!digits.push(*p++)) return std::nullopt;
    }
    int fraction = 0;
    if (p != end && *p == '.') {
        ++p;
        if (!digitAt(p)) return std::nullopt;
        while (digitAt(p)) {
            if (!digits.push(*p++)) return std::nullopt;
            if (++fraction > 22) return std::nullopt;
        }
    }
    if (p != end && (*p == ' ' || *p == '.' || *p == 'e' || *p == 'E')) return std::nullopt;
    if (digits.isZero()) return 0.0;
    return digits.value(fraction, negative);
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
    return resultValue(*v);
}

}  // namespace kalvox
