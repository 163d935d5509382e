// Input repair before evaluation: blanks, a dangling last character, runs of
// signs, doubled operators, the "*" of implicit products, the coefficient of a
// bare "j" and stray decimal points.

#include <algorithm>

#include "engine/detail/characters.h"
#include "engine/front.h"
#include "engine/function_names.h"

namespace kalvox {

namespace {
// "*", "/" and "|", the parallel operator "||" as the evaluation holds it.
bool isMulDiv(char c) { return c == '*' || c == '/' || c == '|'; }
bool isDangling(char c) { return isSign(c) || isMulDiv(c) || c == '^' || isE(c) || isJ(c); }

// Whether out[n - 1] is an "e" of a number (its exponent letter or the "e" of an
// "ej") rather than the end of the name "re": "rej" is re of a bare "j".
bool isExponentE(std::string_view out, std::size_t n) {
    return n >= 1 && isE(out[n - 1]) && !functionNameEndsAt(out, n);
}

// Whether the last character of out is the "j" of an "ej".
bool endsWithEj(const std::string& out) {
    const std::size_t n = out.size();
    return n >= 2 && isJ(out[n - 1]) && isExponentE(out, n - 1);
}

// Whether out ends a value: a digit, ")", "!" or a coefficient's "j".
bool endsValue(const std::string& out) {
    if (out.empty()) return false;
    const char c = out.back();
    return isDigitOrPrefix(c) || c == ')' || c == '!' || (isJ(c) && !endsWithEj(out));
}

// Whether the operand that starts at s[k] is taken into a parallel connection
// ("|"): a "|" stays (as the last of its run of "*", "/" and "|") in the chain of
// products and quotients behind it, at bracket depth 0, before a binary sign ends
// the chain. A sign after an exponent letter, a "j", an operator or a function
// name ("arccos-1": the sign of the argument) is no binary one, and the signs
// behind the first of a run are what the first one is.
bool parallelOperandAt(const std::string& s, std::size_t k) {
    int depth = 0;
    for (std::size_t i = k; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth < 0) return false;
        } else if (depth == 0 && isSign(c)) {
            const char before = s[i - 1];
            if (i == k || isE(before) || isJ(before) || isMulDiv(before) || before == '^' ||
                isSign(before) || functionNameEndsAt(s, i))
                continue;
            return false;  // a binary sign ends the chain of products
        } else if (depth == 0 && c == '|') {
            // The last of a run of "*", "/" and "|" is the operator that stays.
            while (i + 1 < s.size() && isMulDiv(s[i + 1])) ++i;
            if (s[i] == '|') return true;
        }
    }
    return false;
}

// Whether s ends with the name "conj", whose "j" is no coefficient's (any case).
bool endsWithConj(std::string_view s) {
    if (s.size() < 4) return false;
    const std::string_view tail = s.substr(s.size() - 4);
    return functionNameAt(tail, 0) == 4 && isJ(tail[3]);
}

// Whether out ends with a "j" that has no coefficient: not the "j" of "ej" or
// of "conj", nor one behind a digit or point ("4j").
bool endsWithBareJ(const std::string& out) {
    const std::size_t n = out.size();
    if (n == 0 || !isJ(out[n - 1]) || endsWithEj(out) || endsWithConj(out)) return false;
    return n == 1 || !(isDigitOrPrefix(out[n - 2]) || out[n - 2] == '.');
}

// Runs of signs become the one sign they amount to; a "+" where a value is
// to begin is dropped; a sign before "*" or "/", and the first of two of
// "*" and "/", give way to the later one.
std::string repairSigns(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
        const char c = s[i];
        if (isSign(c)) {
            const std::size_t i0 = i;
            std::size_t k = i;
            bool minus = false;
            for (; k < n && isSign(s[k]); ++k) minus ^= s[k] == '-';
            i = k;
            if (k < n && isMulDiv(s[k])) continue;
            const char last = out.empty() ? '\0' : out.back();
            const bool valueBegins =
                out.empty() || last == '(' || isMulDiv(last) || last == '^' || endsWithEj(out);
            // A run behind a function name is the sign of the argument alone.
            const bool binary = !valueBegins && !functionNameEndsAt(s, i0);
            if (binary && k - i0 >= 2 && parallelOperandAt(s, k)) {
                // "a+-b||c" is a+((-b)||c), and (-b)||c is not -(b||c): the first
                // sign stays the binary one, the rest becomes a factor -1 of b
                // (a bare "-" would bind tighter than a power of b).
                bool rest = false;
                for (std::size_t r = i0 + 1; r < k; ++r) rest ^= s[r] == '-';
                if (endsWithBareJ(out)) out += '1';  // the run is an operator behind "j"
                out += s[i0];
                if (rest) out += "-1*";
                continue;
            }
            if (minus) {
                // A run of signs behind a bare "j" is an operator, not the
                // coefficient's sign: "j+-83" is j1-83; only a single "-" is.
                if (k - i0 >= 2 && endsWithBareJ(out)) out += '1';
                out += '-';
            } else if (!valueBegins) {
                out += '+';
            }
            continue;
        }
        if (isMulDiv(c) && !out.empty() && isMulDiv(out.back())) {
            out.back() = c;
        } else {
            out += c;
        }
        ++i;
    }
    return out;
}

// Implicit products, the coefficient 1 of a bare "j" and stray points.
std::string repairValues(const std::string& s) {
    std::string out;
    out.reserve(s.size() + s.size() / 2 + 2);
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = s[i];
        const char next = i + 1 < n ? s[i + 1] : '\0';
        const bool afterCloseOrBang = !out.empty() && (out.back() == ')' || out.back() == '!');
        if (c == '.') {
            if (!isDigit(next)) continue;  // a stray point goes
            if (afterCloseOrBang) out += '*';
            out += c;
        } else if (isDigit(c)) {
            if (afterCloseOrBang) out += '*';
            out += c;
        } else if (c == '(') {
            // "j(" is the bracket's coefficient j, one operand as "j4" is.
            if (endsValue(out) && !endsWithConj(out) && !endsWithBareJ(out)) out += '*';
            out += c;
        } else if (isJ(c)) {
            const bool coefficient =
                !out.empty() && (isExponentE(out, out.size()) || isDigitOrPrefix(out.back()));
            if (coefficient) {
                out += c;
                continue;
            }
            if (afterCloseOrBang) out += '*';
            out += c;
            // "j-4" is signed; a "j" before "-" and anything else is bare.
            const char after = i + 2 < n ? s[i + 2] : '\0';
            const bool signedCoefficient = next == '-' && (isDigit(after) || after == '.');
            if (!isDigit(next) && next != '.' && next != '(' && !signedCoefficient) out += '1';
        } else if (const std::size_t name = functionNameAt(s, i); name != 0) {
            if (endsValue(out)) out += '*';
            out.append(s, i, name);
            i += name - 1;
        } else {
            // Euler's number behind a bracket or "!" is a factor as a digit is.
            if (c == kEulerMarker && afterCloseOrBang) out += '*';
            out += c;
        }
    }
    return out;
}
// Whether any repair of repairSigns or repairValues would change s. Most
// typed texts need none, and this look is far cheaper than the repairs.
bool repairNeeded(const std::string& s) {
    const std::size_t n = s.size();
    char prev = '\0';
    for (std::size_t i = 0; i < n; prev = s[i], ++i) {
        const char c = s[i];
        const char next = i + 1 < n ? s[i + 1] : '\0';
        const bool afterCloseOrBang = prev == ')' || prev == '!';
        if (isDigit(c)) {
            if (afterCloseOrBang) return true;
            continue;
        }
        switch (c) {
            case '+':
            case '-':
                if (isSign(next) || isMulDiv(next)) return true;
                if (c == '+' && (i == 0 || prev == '(' || isMulDiv(prev) || prev == '^' ||
                                 (isJ(prev) && i >= 2 && isE(s[i - 2]))))
                    return true;
                break;
            case '*':
            case '/':
            case '|':
                if (isMulDiv(prev)) return true;
                break;
            case '.':
                if (!isDigit(next) || afterCloseOrBang) return true;
                break;
            case '(':
                if (isDigitOrPrefix(prev) || afterCloseOrBang ||
                    (isJ(prev) && !(i >= 2 && isE(s[i - 2]))))
                    return true;
                break;
            case 'j':
            case 'J':
                // "ej" or a coefficient's "j"
                if (isExponentE(s, i) || isDigitOrPrefix(prev)) break;
                if (afterCloseOrBang) return true;
                if (!isDigit(next) && next != '.') {
                    const char after = i + 2 < n ? s[i + 2] : '\0';
                    if (!(next == '-' && (isDigit(after) || after == '.'))) return true;
                }
                break;
            case 'e':
            case 'E':
                // "exp" after a value gets its "*" like the other names.
                if ((isDigitOrPrefix(prev) || afterCloseOrBang || isJ(prev)) &&
                    functionNameAt(s, i) != 0)
                    return true;
                break;
            case '^':
            case ')':
            case '!':
                break;
            default:
                // A function name after a value gets its "*".
                if (isDigitOrPrefix(prev) || afterCloseOrBang || isJ(prev)) return true;
                break;
        }
    }
    return false;
}
}  // namespace

std::string repairInput(std::string s) {
    // Blanks go, wherever they stand; other white space is kept.
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    if (s.empty()) return "0";  // blanks only: evaluated like an empty input

    // A dangling last character, once: a bare "j" is completed ("2-j" ->
    // "2-j1"); an operator and an upper-case exponent letter ("2E") are
    // dropped; a coefficient's "j" ("4j"), the "j" of an "ej" and a lower-case
    // "e" stay. Behind a number, "2e" may mean 2 times Euler's number as well
    // as an exponent left unfinished, so it is refused rather than read as 2;
    // the check after the repair refuses those.
    const char last = s.back();
    if (isDangling(last)) {
        const char before = s.size() > 1 ? s[s.size() - 2] : '\0';
        if (isJ(last)) {
            if (!isExponentE(s, s.size() - 1) && !isDigitOrPrefix(before) && before != '.' &&
                !endsWithConj(s))
                s += '1';
        } else if (!isE(last) || (last == 'E' && (isDigit(before) || before == '.'))) {
            s.pop_back();
        }
    }
    if (!repairNeeded(s)) return s;
    return repairValues(repairSigns(s));
}

}  // namespace kalvox
