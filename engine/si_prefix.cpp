// SI prefixes: marking them behind numbers, and writing them back.

#include "engine/si_prefix.h"

#include <array>

#include "engine/constants.h"
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

}  // namespace

bool holdsMarker(std::string_view text) {
    for (char c : text) {
        if (isMarker(c)) return true;
    }
    return false;
}

std::string markPrefixes(std::string_view text) {
    if (holdsMarker(text)) return std::string(text);
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
        if (isMarker(c)) c = '0';
    }
    return out;
}

std::string writtenText(std::string_view text, bool degreeSigns, std::size_t* start,
                        std::size_t* length) {
    std::string out;
    out.reserve(text.size() + 8);
    const bool moving = start != nullptr && length != nullptr;
    const std::size_t from = moving ? *start : 0;
    const std::size_t to = moving ? *start + *length : 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        // A range's ends move by what the bytes before them grew or shrank by.
        if (moving && i == from) *start = out.size();
        if (moving && i == to) *length = out.size() - *start;
        if (i == text.size()) break;
        const char c = text[i];
        if (isPrefixMarker(c)) {
            out += kPrefixes[indexOf(c)].written;
        } else if (c == kEulerMarker) {
            out += 'e';
        } else if (c == kDegreeMarker) {
            if (degreeSigns) out += "\u00B0";
        } else {
            out += c;
        }
    }
    return out;
}

std::string expandMarkers(std::string_view item) {
    std::string out;
    out.reserve(item.size() + 16);
    for (char c : item) {
        if (isPrefixMarker(c)) {
            out += kPrefixes[indexOf(c)].power;
        } else if (c == kEulerMarker) {
            out += kEText;
        } else if (c != kDegreeMarker) {
            out += c;
        }
    }
    return out;
}

}  // namespace kalvox
