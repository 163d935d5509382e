// SI prefixes: marking them behind numbers, and writing them back.

#include "engine/si_prefix.h"

#include <array>

#include "engine/detail/characters.h"
#include "engine/notation.h"

namespace kalvox {

namespace {

struct Prefix {
    std::string_view written;
    std::string_view power;  // the exponent that the prefix stands for
};

// In the order of the markers: kFirstPrefixMarker + index.
constexpr std::array<Prefix, 10> kPrefixes = {{
    {"p", "e-12"},
    {"n", "e-9"},
    {"u", "e-6"},
    {"\xC2\xB5", "e-6"},  // µ MICRO SIGN
    {"\xCE\xBC", "e-6"},  // μ GREEK SMALL LETTER MU
    {"m", "e-3"},
    {"k", "e3"},
    {"M", "e6"},
    {"G", "e9"},
    {"T", "e12"},
}};
static_assert(kPrefixes.size() == kLastPrefixMarker - kFirstPrefixMarker + 1);

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char markerOf(std::size_t index) { return static_cast<char>(kFirstPrefixMarker + index); }

std::size_t indexOf(char marker) { return static_cast<std::size_t>(marker - kFirstPrefixMarker); }

// The index of the prefix written at text[i], or kPrefixes.size() for none.
std::size_t prefixAt(std::string_view text, std::size_t i) {
    for (std::size_t k = 0; k < kPrefixes.size(); ++k) {
        if (text.substr(i, kPrefixes[k].written.size()) == kPrefixes[k].written) return k;
    }
    return kPrefixes.size();
}

std::string replaceMarkers(std::string_view text, std::string_view Prefix::*part) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (isPrefixMarker(c)) {
            out += kPrefixes[indexOf(c)].*part;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

bool holdsPrefix(std::string_view text) {
    for (char c : text) {
        if (isPrefixMarker(c)) return true;
    }
    return false;
}

std::string markPrefixes(std::string_view text) {
    if (holdsPrefix(text)) return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (!isAsciiLetter(c)) {
            const bool afterDigit = i > 0 && isDigit(text[i - 1]);
            const std::size_t micro =
                afterDigit && !isDigit(c) ? prefixAt(text, i) : kPrefixes.size();
            if (micro < kPrefixes.size()) {
                // Only the two-byte micro signs are no ASCII letters.
                out += markerOf(micro);
                i += kPrefixes[micro].written.size();
                continue;
            }
            out += c;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isAsciiLetter(text[end])) ++end;
        const std::string_view letters = text.substr(i, end - i);
        const bool afterDigit = i > 0 && isDigit(text[i - 1]);
        const std::size_t k = afterDigit ? prefixAt(letters, 0) : kPrefixes.size();
        if (k < kPrefixes.size() && !lettersSplitIntoWords(letters) &&
            (letters.size() == 1 || lettersSplitIntoWords(letters.substr(1)))) {
            out += markerOf(k);
            out.append(letters.substr(1));
        } else {
            out.append(letters);
        }
        i = end;
    }
    return out;
}

std::string markersAsDigits(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (isPrefixMarker(c)) c = '0';
    }
    return out;
}

std::string unmarkPrefixes(std::string_view text) {
    if (!holdsPrefix(text)) return std::string(text);
    return replaceMarkers(text, &Prefix::written);
}

std::string expandPrefixes(std::string_view item) { return replaceMarkers(item, &Prefix::power); }

}  // namespace kalvox
