// Notation translation and the vocabulary check, both on UTF-8 text.

#include "engine/notation.h"

#include "engine/constants.h"
#include "engine/detail/characters.h"
#include "engine/euler.h"

namespace kalvox {

namespace {

struct Translation {
    std::string_view from;  // UTF-8 encoding of one character
    std::string_view to;
};

constexpr Translation kTranslations[] = {
    {"\u3000", " "},     // ideographic blank
    {"\u00A0", " "},     // no-break blank
    {"\u2220", "ej"},    // angle sign: "10∠30" is a phasor
    {"\u00D7", "*"},     // multiplication sign
    {"\u00B7", "*"},     // middle dot
    {"\u22C5", "*"},     // dot operator
    {"\u00F7", "/"},     // division sign
    {"\u2212", "-"},     // minus sign
    {"\u3002", "."},     // ideographic full stop
    {"\u221A", "sqrt"},  // square root sign: "√3" is sqrt3
    {"\u2225", "||"},    // parallel sign: "Z1∥Z2" is Z1||Z2
};

// The superscript digits and minus, and what each stands for in an exponent.
constexpr Translation kSuperscripts[] = {
    {"\u2070", "0"}, {"\u00B9", "1"}, {"\u00B2", "2"}, {"\u00B3", "3"},
    {"\u2074", "4"}, {"\u2075", "5"}, {"\u2076", "6"}, {"\u2077", "7"},
    {"\u2078", "8"}, {"\u2079", "9"}, {"\u207B", "-"},
};

// The superscript at text[i] as its Translation, or nullptr. Every superscript's
// UTF-8 encoding starts with 0xC2 or 0xE2.
const Translation* superscriptAt(std::string_view text, std::size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead != 0xC2 && lead != 0xE2) return nullptr;
    for (const Translation& t : kSuperscripts) {
        if (text.substr(i, t.from.size()) == t.from) return &t;
    }
    return nullptr;
}

// The degree sign: angles are degrees anyway, so it is dropped; right behind a
// digit it is kept as a marker, which an argument in radians refuses ("exp(j30°)").
constexpr std::string_view kDegreeSign = "\u00B0";

// Pi as it is pasted; it stands for kPiText, the text of the π key.
constexpr std::string_view kPi = "\u03C0";

// The words letter runs split into: "e" and "j" of the complex values, the
// function names and "ans", the last result. A letter run splits by the longest
// word that matches at each place; that split is the only one (see below).
constexpr std::string_view kWords[] = {
    "e",  "j",   "sin",  "cos", "tan", "ctn", "arcsin", "arccos", "arctan", "arcctn",
    "ln", "log", "conj", "abs", "arg", "re",  "im",     "sqrt",   "exp",    "ans"};

unsigned char byteAt(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// The ASCII character of a full-width form (U+FF01..U+FF5E, encoded EF BC 81 ..
// EF BD 9E) at byte i, or 0.
char fullWidthAt(std::string_view s, std::size_t i) {
    if (i + 3 > s.size() || byteAt(s, i) != 0xEF) return 0;
    const unsigned char second = byteAt(s, i + 1);
    const unsigned char third = byteAt(s, i + 2);
    if ((third & 0xC0) != 0x80) return 0;
    unsigned codePoint;
    if (second == 0xBC) {
        codePoint = 0xFF00 + (third - 0x80);
    } else if (second == 0xBD) {
        codePoint = 0xFF40 + (third - 0x80);
    } else {
        return 0;
    }
    if (codePoint < 0xFF01 || codePoint > 0xFF5E) return 0;
    return static_cast<char>(codePoint - 0xFEE0);
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isVocabularyCharacter(char c) {
    if (c >= '0' && c <= '9') return true;
    switch (c) {
        case '.':
        case '+':
        case '-':
        case '*':
        case '/':
        case '^':
        case '(':
        case ')':
        case '!':
        case ' ':
            return true;
        default:
            return false;
    }
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalIgnoringCase(std::string_view letters, std::string_view word) {
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lowerAscii(letters[i]) != word[i]) return false;
    }
    return true;
}

// Whether one of two texts begins the other.
constexpr bool onePrefixesTheOther(std::string_view a, std::string_view b) {
    return a.size() <= b.size() ? b.substr(0, a.size()) == a : a.substr(0, b.size()) == b;
}

// Whether a shorter word that begins a longer one ("e" and "exp") always leads a
// split into a dead end: no word can go on where the longer word's rest ("xp")
// stands. Then of the words that match at a place only the longest can be
// followed by a split of the rest, and every letter run has at most one split.
constexpr bool shorterMatchesLeadNowhere() {
    for (std::string_view a : kWords) {
        for (std::string_view b : kWords) {
            if (a.size() >= b.size() || b.substr(0, a.size()) != a) continue;
            const std::string_view rest = b.substr(a.size());
            for (std::string_view w : kWords) {
                if (onePrefixesTheOther(w, rest)) return false;
            }
        }
    }
    return true;
}
static_assert(shorterMatchesLeadNowhere(), "a letter run must split in one way only");

// Whether c, the last character before a π, ends a value.
bool endsValue(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == ')' || c == '!' || c == 'j' || c == 'J' ||
           c == kEulerMarker;
}

// Whether out ends with an SI prefix right behind a digit ("4.7k", "100µ"):
// the prefix ends the value before a π.
bool endsWithPrefix(std::string_view out) {
    for (std::string_view prefix : {"p", "n", "u", "m", "k", "M", "G", "T", "\u00B5", "\u03BC"}) {
        if (out.size() > prefix.size() && out.ends_with(prefix) &&
            isDigit(out[out.size() - prefix.size() - 1]))
            return true;
    }
    return false;
}

// Whether the character at text[i], the first after a π, begins a value.
bool beginsValue(std::string_view text, std::size_t i) {
    if (i >= text.size()) return false;
    if (text.substr(i, kPi.size()) == kPi) return true;
    char c = text[i];
    if (const char ascii = fullWidthAt(text, i)) c = ascii;
    return (c >= '0' && c <= '9') || c == '.' || c == '(' || (isLetter(c) && c != 'e' && c != 'E');
}

// Whether the text at i, blanks skipped, would run on into an exponent that
// superscripts ended: a digit or point, a letter, "!", "∠" or a micro sign.
// The superscripts are the whole exponent, so "2²3" is 2²·3 and "2²j" 2²·j,
// never 2^23 or 2^(2j); "5²!" and "2²k" get a "*" that the later steps refuse.
bool continuesExponent(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i >= text.size()) return false;
    char c = text[i];
    if (const char ascii = fullWidthAt(text, i)) c = ascii;
    if ((c >= '0' && c <= '9') || c == '.' || c == '!' || isLetter(c)) return true;
    for (std::string_view sign : {"。", "∠", "µ", "μ"}) {
        if (text.substr(i, sign.size()) == sign) return true;
    }
    return false;
}

// Appends the text of π, with "*" on each side that a value touches
// ("2π*50" is 2*π*50, "π2" is π*2); blanks between count as touching. With
// markEuler, Euler's number before π ("eπ", "e+π") is marked here, where its
// neighbour is still a π and no digit; one behind it gets its "*" ("πe").
void appendPi(std::string& out, std::string_view text, std::size_t after, bool markEuler) {
    const std::size_t last = out.find_last_not_of(' ');
    // Behind Euler's number and a sign, π's digits go in brackets: "e+3.14…"
    // would read as an exponent when the input box is evaluated again.
    bool bracketed = false;
    if (last != std::string::npos && markEuler) {
        std::size_t e = last;
        while (e > 0 && (isSign(out[e]) || out[e] == ' ')) --e;
        if (out[e] == 'e' && isEulerAt(out, e)) {
            out[e] = kEulerMarker;
            bracketed = e != last;
        }
    }
    if (last != std::string::npos && (endsValue(out[last]) || endsWithPrefix(out))) out += '*';
    if (bracketed) out += '(';
    out += kPiText;
    if (bracketed) out += ')';
    while (after < text.size() && text[after] == ' ') ++after;
    // The text behind is not translated yet: an "e" there counts as Euler's
    // number only before plain ASCII ("πe", "πe*2"; not "πeｊ1", the phasor πej1).
    std::size_t next = after + 1;
    while (next < text.size() && text[next] == ' ') ++next;
    const bool eulerBehind = markEuler && after < text.size() && isEulerAt(text, after) &&
                             (next >= text.size() || byteAt(text, next) < 0x80);
    if (beginsValue(text, after) || eulerBehind) out += '*';
}
}  // namespace

std::string translateNotation(std::string_view text, bool markDegrees) {
    // Typed text is ASCII throughout and needs no translation.
    std::size_t first = 0;
    while (first < text.size() && byteAt(text, first) < 0x80) ++first;
    if (first == text.size()) return std::string(text);
    std::string out;
    out.reserve(text.size());
    out.append(text.substr(0, first));
    std::size_t i = first;
    while (i < text.size()) {
        if (superscriptAt(text, i)) {
            // The whole run is one exponent; a minus inside it ("2²⁻¹") needs
            // brackets to stay inside.
            std::string exponent;
            while (const Translation* sup = superscriptAt(text, i)) {
                exponent += sup->to;
                i += sup->from.size();
            }
            const std::size_t minus = exponent.find('-', 1);
            if (minus != std::string::npos && isDigit(exponent[minus - 1])) {
                out += "^(" + exponent + ')';
            } else {
                out += '^' + exponent;
            }
            if ((isDigit(out.back()) || out.back() == ')') && continuesExponent(text, i))
                out += '*';
            continue;
        }
        if (byteAt(text, i) < 0x80) {
            out += text[i++];
            continue;
        }
        if (const char ascii = fullWidthAt(text, i)) {
            out += ascii;
            i += 3;
            continue;
        }
        if (text.substr(i, kDegreeSign.size()) == kDegreeSign) {
            if (markDegrees && !out.empty() && isDigit(out.back())) out += kDegreeMarker;
            i += kDegreeSign.size();
            continue;
        }
        if (text.substr(i, kPi.size()) == kPi) {
            appendPi(out, text, i + kPi.size(), markDegrees);
            i += kPi.size();
            continue;
        }
        bool translated = false;
        for (const Translation& t : kTranslations) {
            if (text.substr(i, t.from.size()) == t.from) {
                out += t.to;
                i += t.from.size();
                translated = true;
                break;
            }
        }
        if (!translated) out += text[i++];
    }
    return out;
}

std::span<const std::string_view> vocabularyWords() { return kWords; }

std::size_t wordAt(std::string_view letters, std::size_t p) {
    const char first = lowerAscii(letters[p]);
    std::size_t longest = 0;
    for (std::string_view word : kWords) {
        if (word[0] == first && word.size() > longest && letters.size() - p >= word.size() &&
            equalIgnoringCase(letters.substr(p), word))
            longest = word.size();
    }
    return longest;
}

bool lettersSplitIntoWords(std::string_view letters) {
    std::size_t p = 0;
    while (p < letters.size()) {
        const std::size_t length = wordAt(letters, p);
        if (length == 0) return false;
        p += length;
    }
    return true;
}

std::size_t findAns(std::string_view text, std::size_t from) {
    std::size_t i = from;
    while (i < text.size()) {
        if (!isLetter(text[i])) {
            ++i;
            continue;
        }
        // A letter run: walk its words (from its first letter, as the split does).
        std::size_t end = i;
        while (end < text.size() && isLetter(text[end])) ++end;
        const std::string_view letters = text.substr(i, end - i);
        std::size_t p = 0;
        while (p < letters.size()) {
            const std::size_t length = wordAt(letters, p);
            if (length == 0) break;
            if (length == 3 && equalIgnoringCase(letters.substr(p), "ans")) return i + p;
            p += length;
        }
        i = end;
    }
    return std::string_view::npos;
}

UnknownItem findUnknownItem(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        if (isLetter(text[i])) {
            while (i < text.size() && isLetter(text[i])) ++i;
            if (!lettersSplitIntoWords(text.substr(start, i - start))) return {start, i - start};
        } else if (isVocabularyCharacter(text[i])) {
            ++i;
        } else if (text[i] == '|') {
            // "||" is the parallel operator; one "|" or three and more are nothing.
            while (i < text.size() && text[i] == '|') ++i;
            if (i - start != 2) return {start, i - start};
        } else {
            // Every byte of a non-ASCII character is 0x80 or above, so a run of
            // bytes never ends inside a character.
            while (i < text.size() && !isLetter(text[i]) && !isVocabularyCharacter(text[i]) &&
                   text[i] != '|')
                ++i;
            return {start, i - start};
        }
    }
    return {};
}

}  // namespace kalvox
