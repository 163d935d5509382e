// The output as the display setting shows it.

#include "model/value_display.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/detail/float_chars.h"

namespace kalvox {

namespace {

// The SI prefixes from 10^-12 to 10^12, a step of 10^3 each.
constexpr std::array<std::string_view, 9> kPrefixes = {
    "p", "n", "\u00B5", "m", "", "k", "M", "G", "T",
};
constexpr int kLowestPrefixExponent = -12;

// A whole text read as one number ("-2.5", "1E-05", "1.5E+16"); nullopt otherwise.
std::optional<double> wholeNumber(std::string_view text) {
    if (text.empty() || text[0] == '+') return std::nullopt;
    // [-]digits[.digits][E[+-]digits], the whole text.
    std::size_t i = text[0] == '-' ? 1 : 0;
    const auto digitsFrom = [&](std::size_t& at) {
        const std::size_t start = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
        return at > start;
    };
    bool mantissa = digitsFrom(i);
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa |= digitsFrom(i);
    }
    if (!mantissa) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (!digitsFrom(i)) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    double x = 0;
    if (detail::readDouble(text.data(), text.data() + text.size(), x) != detail::ReadStatus::Ok ||
        !std::isfinite(x))
        return std::nullopt;
    return x;
}

std::string withoutTrailingZeros(std::string digits) {
    const std::size_t last = digits.find_last_not_of('0');
    digits.resize(last == std::string::npos ? 0 : last + 1);
    return digits;
}

// "E", the exponent's sign and at least two of its digits, as the engine writes them.
std::string exponentText(int exponent) {
    std::string out = exponent < 0 ? "E-" : "E+";
    const int size = std::abs(exponent);
    if (size < 10) out += '0';
    out += std::to_string(size);
    return out;
}

// The digits before the point (lead of them) and those after it, without trailing zeros.
std::string pointed(const std::string& digits, std::size_t lead) {
    std::string whole = digits.substr(0, std::min(lead, digits.size()));
    whole.append(lead > digits.size() ? lead - digits.size() : 0, '0');
    const std::string fraction =
        withoutTrailingZeros(lead < digits.size() ? digits.substr(lead) : "");
    return fraction.empty() ? whole : whole + "." + fraction;
}

}  // namespace

bool isDisplayDigits(int n) {
    return std::find(kDisplayDigits.begin(), kDisplayDigits.end(), n) != kDisplayDigits.end();
}

std::optional<std::string_view> siPrefix(int exponent) {
    if (exponent % 3 != 0 || exponent < kLowestPrefixExponent ||
        exponent > kLowestPrefixExponent + 3 * static_cast<int>(kPrefixes.size() - 1))
        return std::nullopt;
    return kPrefixes[static_cast<std::size_t>((exponent - kLowestPrefixExponent) / 3)];
}

std::string displayedNumber(double x, const DisplaySetting& setting) {
    if (x == 0) return std::signbit(x) ? "-0" : "0";
    // The digits rounded to the setting, and the decimal exponent of the first.
    char buffer[64];
    const char* end =
        detail::writeScientific(std::fabs(x), setting.digits - 1, buffer, sizeof buffer);
    const std::string_view scientific(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e))
        if (c != '.') digits += c;
    const int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());

    std::string out = x < 0 ? "-" : "";
    if (setting.notation == DisplayNotation::Engineering) {
        // Floor to a multiple of 3, also below zero.
        const int power = exponent >= 0 ? exponent / 3 * 3 : -((-exponent + 2) / 3 * 3);
        out += pointed(digits, static_cast<std::size_t>(exponent - power + 1));
        if (const auto prefix = siPrefix(power)) {
            out += *prefix;
        } else {
            out += exponentText(power);
        }
        return out;
    }
    if (exponent < -4 || exponent >= setting.digits) {
        out += pointed(digits, 1);
        out += exponentText(exponent);
    } else if (exponent >= 0) {
        out += pointed(digits, static_cast<std::size_t>(exponent + 1));
    } else {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') +
               withoutTrailingZeros(digits);
    }
    return out;
}

std::string displayedText(std::string_view text, const DisplaySetting& setting) {
    if (setting.isFullText()) return std::string(text);
    const DisplaySetting plainDegrees{DisplayNotation::Plain, setting.digits};
    if (const std::size_t p = text.find("ej"); p != std::string_view::npos) {
        const auto magnitude = wholeNumber(text.substr(0, p));
        const auto angle = wholeNumber(text.substr(p + 2));
        if (!magnitude || !angle) return std::string(text);
        return displayedNumber(*magnitude, setting) + "ej" + displayedNumber(*angle, plainDegrees);
    }
    if (const std::size_t p = text.find('j'); p != std::string_view::npos) {
        // The algebraic form: a, "+j" or "-j", and the size of b.
        if (p == 0 || (text[p - 1] != '+' && text[p - 1] != '-')) return std::string(text);
        const auto a = wholeNumber(text.substr(0, p - 1));
        const auto b = wholeNumber(text.substr(p + 1));
        if (!a || !b) return std::string(text);
        return displayedNumber(*a, setting) + text[p - 1] + "j" + displayedNumber(*b, setting);
    }
    const auto x = wholeNumber(text);
    if (!x) return std::string(text);
    return displayedNumber(*x, setting);
}

}  // namespace kalvox
