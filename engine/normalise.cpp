// Input repair before evaluation: blanks, a dangling last character, doubled
// operators, the "*" left out around brackets, the coefficient of a bare "j"
// and stray decimal points.

#include "engine/engine.h"

namespace kalvox {

namespace {
bool isOperator(char c) { return c == '+' || c == '-' || c == '*' || c == '/'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isDangling(char c) { return isOperator(c) || c == 'e' || c == 'j'; }
bool mayFollowClose(char c) { return c == '(' || isDigit(c) || c == '.'; }

// Applies the first repair that fits at or after `from`; returns the position
// of the repair, or npos when the text needs none.
std::size_t repairOnce(std::string& s, std::size_t from) {
    const std::size_t n = s.size();
    for (std::size_t i = from; i < n; ++i) {
        const char c = s[i];
        const char next = i + 1 < n ? s[i + 1] : '\0';
        const char before = i > 0 ? s[i - 1] : c;
        if (isOperator(c)) {
            if (isOperator(next)) {
                s.erase(i, 1);  // the later operator wins
                return i;
            }
        } else if (c == ')') {
            if (mayFollowClose(next)) {
                s.insert(i + 1, "*");
                return i;
            }
        } else if (c == 'j') {
            if (before != 'e' && isOperator(next)) {
                s.insert(i + 1, "1");
                return i;
            }
        } else if (c == '.') {
            if (!isDigit(next)) {
                s.erase(i, 1);
                return i;
            }
        } else if (isDigit(c)) {
            if (next == '(') {
                s.insert(i + 1, "*");
                return i;
            }
        }
    }
    return std::string::npos;
}
}  // namespace

std::string Engine::fhzqx(std::string s) {
    // Blanks go, wherever they stand; other white space is kept.
    std::string compact;
    compact.reserve(s.size());
    for (char c : s)
        if (c != ' ') compact += c;
    s = std::move(compact);
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

    // Repairs until a full pass finds nothing. A repair only changes the
    // characters next to its position, so the next search can resume just
    // before it.
    std::size_t from = 0;
    while (true) {
        std::size_t at = repairOnce(s, from);
        if (at == std::string::npos) break;
        from = at > 0 ? at - 1 : 0;
    }
    return s;
}

}  // namespace kalvox
