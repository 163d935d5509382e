#include "tests/engine/differential/reference_scope.h"

#include <string>

#include "engine/notation.h"

namespace kalvox::reference {

namespace {

bool isDigitOrPoint(char c) { return (c >= '0' && c <= '9') || c == '.'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The character before text[i] and the one after it, blanks skipped ('\0' at an end).
char before(std::string_view text, std::size_t i) {
    while (i > 0 && text[i - 1] == ' ') --i;
    return i > 0 ? text[i - 1] : '\0';
}
std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && text[i] == ' ') ++i;
    return i;
}

}  // namespace

bool beyondLiteralReading(std::string_view text) {
    const std::string t = translateNotation(text, true);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        // The degree marker: a "°" right behind a digit.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return true;
        if (c == 'e') {
            // An "e" that may stand alone: no digit or point before it, no
            // digit, point or "j" behind it.
            const std::size_t a = skipBlanks(t, i + 1);
            const char next = a < t.size() ? t[a] : '\0';
            if (!isDigitOrPoint(before(t, i)) && !isDigitOrPoint(next) && next != 'j' &&
                next != 'J')
                return true;
        }
        if ((c == 'e' || c == 'E') && i + 1 < t.size() && (t[i + 1] == 'j' || t[i + 1] == 'J')) {
            // "ej" before a bracket or a letter, signs and blanks between.
            std::size_t a = i + 2;
            while (a < t.size() && (t[a] == ' ' || t[a] == '-' || t[a] == '+')) ++a;
            if (a < t.size() && (t[a] == '(' || isLetter(t[a]))) return true;
        }
    }
    return false;
}

}  // namespace kalvox::reference
