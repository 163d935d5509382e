// Euler's number among the letters of a text.

#include "engine/euler.h"

#include "engine/detail/characters.h"
#include "engine/function_names.h"
#include "engine/notation.h"

namespace kalvox {

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Whether the letters split into words and the last word is a function name
// ("sin", "lnln"), which then takes the "e" behind as its operand.
bool endsWithFunctionName(std::string_view letters) {
    std::size_t p = 0;
    std::size_t last = 0;
    while (p < letters.size()) {
        const std::size_t length = wordAt(letters, p);
        if (length == 0) return false;
        last = p;
        p += length;
    }
    return functionNameAt(letters, last) == letters.size() - last;
}

}  // namespace

bool isEulerAt(std::string_view text, std::size_t i) {
    if (text[i] != 'e') return false;
    std::size_t before = i;
    while (before > 0 && text[before - 1] == ' ') --before;
    if (before > 0) {
        const char c = text[before - 1];
        if (isDigit(c) || c == '.') return false;
        if (isAsciiLetter(c)) {
            std::size_t run = before - 1;
            while (run > 0 && isAsciiLetter(text[run - 1])) --run;
            if (!endsWithFunctionName(text.substr(run, before - run))) return false;
        }
    }
    std::size_t after = i + 1;
    while (after < text.size() && text[after] == ' ') ++after;
    if (after == text.size()) return true;
    const char next = text[after];
    if (isDigit(next) || next == '.') return false;
    if (isAsciiLetter(next)) {
        // A function of Euler's number's neighbour ("e sin30"); letters that
        // make no words ("eCosa") are refused as one unknown word.
        std::size_t end = after;
        while (end < text.size() && isAsciiLetter(text[end])) ++end;
        return functionNameAt(text, after) != 0 &&
               lettersSplitIntoWords(text.substr(after, end - after));
    }
    if (isSign(next)) {
        // "e-1" and "e+-2" read as exponents: refused, never Euler's number minus 1.
        while (after < text.size() && (isSign(text[after]) || text[after] == ' ')) ++after;
        return after == text.size() || !(isDigit(text[after]) || text[after] == '.');
    }
    return true;
}

void markEulersNumber(std::string& text) {
    // A marker takes the place of its "e", so the neighbours isEulerAt reads
    // are the same before and after.
    for (std::size_t i = text.find('e'); i != std::string::npos; i = text.find('e', i + 1)) {
        if (isEulerAt(text, i)) text[i] = kEulerMarker;
    }
}

}  // namespace kalvox
