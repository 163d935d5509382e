#include "tests/engine/differential/reference_scope.h"

#include <string>

#include "engine/notation.h"

namespace kalvox::reference {

namespace {

bool isDigitOrPoint(char c) { return (c >= '0' && c <= '9') || c == '.'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The character before text[i], blanks skipped ('\0' at the start).
char before(std::string_view text, std::size_t i) {
    while (i > 0 && text[i - 1] == ' ') --i;
    return i > 0 ? text[i - 1] : '\0';
}
// The place of the next character at or after i that is no blank or point:
// blanks and stray points go in the repair ("e .j" becomes "ej").
std::size_t skipBlanksAndPoints(std::string_view text, std::size_t i) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '.')) ++i;
    return i;
}

}  // namespace

// Whether the bracket that closes at text[close] is a function's argument:
// a letter other than "j" stands before its "(", with signs and blanks between.
bool closesFunctionArgument(std::string_view text, std::size_t close) {
    int depth = 0;
    for (std::size_t k = close + 1; k-- > 0;) {
        if (text[k] == ')') ++depth;
        if (text[k] == '(' && --depth == 0) {
            while (k > 0 && (text[k - 1] == ' ' || text[k - 1] == '-' || text[k - 1] == '+')) --k;
            return k > 0 && isLetter(text[k - 1]) && text[k - 1] != 'j' && text[k - 1] != 'J';
        }
    }
    return false;
}

bool beyondLiteralReading(std::string_view text) {
    const std::string t = translateNotation(text, true);
    // A last lower-case "e" behind a number is refused, where the literal
    // reading drops it as a dangling exponent letter.
    std::size_t end = t.size();
    while (end > 0 && t[end - 1] == ' ') --end;
    if (end > 0 && t[end - 1] == 'e') return true;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        // The degree marker: a "°" right behind a digit.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return true;
        if (c == ')') {
            // An angle behind a function's bracket multiplies the function's value.
            std::size_t a = i + 1;
            while (a < t.size() && (t[a] == ' ' || t[a] == '.' || t[a] == '!')) ++a;
            const std::size_t j = a < t.size() ? skipBlanksAndPoints(t, a + 1) : t.size();
            if (j < t.size() && (t[a] == 'e' || t[a] == 'E') && (t[j] == 'j' || t[j] == 'J') &&
                closesFunctionArgument(t, i))
                return true;
        }
        if (c == 'e') {
            // An "e" that may stand alone: no digit or point before it, no
            // digit or "j" behind it once stray points are gone.
            const std::size_t a = skipBlanksAndPoints(t, i + 1);
            const char next = a < t.size() ? t[a] : '\0';
            if (!isDigitOrPoint(before(t, i)) && !isDigitOrPoint(next) && next != 'j' &&
                next != 'J')
                return true;
        }
        const std::size_t j = skipBlanksAndPoints(t, i + 1);
        if ((c == 'e' || c == 'E') && j < t.size() && (t[j] == 'j' || t[j] == 'J')) {
            // "ej" before a bracket or a letter, with signs, blanks and stray
            // points around, which the repair takes out.
            std::size_t a = j + 1;
            while (a < t.size() && (t[a] == ' ' || t[a] == '-' || t[a] == '+' || t[a] == '.')) ++a;
            if (a < t.size() && (t[a] == '(' || isLetter(t[a]))) return true;
        }
    }
    return false;
}

}  // namespace kalvox::reference
