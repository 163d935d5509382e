// Input repair before evaluation: blanks, a dangling last character, doubled
// operators, the "*" left out around brackets, the coefficient of a bare "j"
// and stray decimal points.

#include <algorithm>

#include "engine/engine.h"

namespace kalvox {

namespace {
bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isDangling(char c) { return isOperator(c) || c == 'e' || c == 'j'; }
bool mayFollowClose(char c) { return c == '(' || isDigit(c) || c == '.'; }

}  // namespace

std::string Engine::fhzqx(std::string s) {
    // Blanks go, wherever they stand; other white space is kept.
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    if (s.empty()) return "0";  // blanks only: evaluated like an empty input

    // A dangling last character is completed ("2-j" -> "2-j1") or dropped, once.
    const char last = s.back();
    if (isDangling(last)) {
        const char before = s.size() > 1 ? s[s.size() - 2] : '\0';
        if (last == 'j' && before != 'e') {
            s += '1';
        } else {
            s.pop_back();
        }
    }

    // Repairs until a full scan finds nothing. A repair changes only the
    // characters next to its position, and no character before it matched any
    // rule, so the text is repaired in one sweep: `out` holds the characters
    // already passed, none of which matches a rule; the current character is
    // s[r]. Removing a character gives the character before it a new neighbour,
    // so that one is handed back to be looked at again; an inserted "*" or "1"
    // never matches where it is put.
    const std::size_t n = s.size();
    auto matches = [](char c, char next, char before) {
        return (isOperator(c) && isOperator(next)) || (c == ')' && mayFollowClose(next)) ||
               (c == 'j' && before != 'e' && isOperator(next)) || (c == '.' && !isDigit(next)) ||
               (isDigit(c) && next == '(');
    };
    // The characters before the first one that matches a rule stay as they are;
    // a text without any is returned unchanged.
    std::size_t r = 0;
    while (r < n && !matches(s[r], r + 1 < n ? s[r + 1] : '\0', r > 0 ? s[r - 1] : s[r])) ++r;
    if (r == n) return s;
    std::string out;
    out.reserve(n + n / 2);
    out.append(s, 0, r);
    auto handBack = [&] {
        if (out.empty()) return;
        s[--r] = out.back();
        out.pop_back();
    };
    while (r < n) {
        const char c = s[r];
        const char next = r + 1 < n ? s[r + 1] : '\0';
        const char before = out.empty() ? c : out.back();
        ++r;
        if (isOperator(c) && isOperator(next)) {
            handBack();  // the later operator wins
        } else if (c == ')' && mayFollowClose(next)) {
            out += c;
            out += '*';
        } else if (c == 'j' && before != 'e' && isOperator(next)) {
            out += c;
            out += '1';
        } else if (c == '.' && !isDigit(next)) {
            handBack();
        } else if (isDigit(c) && next == '(') {
            out += c;
            out += '*';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace kalvox
