#include "tests/engine/differential/reference_engine.h"

#include <array>
#include <cmath>
#include <optional>

#include "engine/complex_functions.h"
#include "engine/detail/number_text_general.h"
#include "engine/number_item.h"
#include "engine/number_text.h"

namespace kalvox::reference {

// ---------------------------------------------------------------- characters

Text decode(std::string_view utf8) {
    Text out;
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    while (i < n) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        std::size_t len = b < 0x80    ? 1
                          : b >= 0xF8 ? 0
                          : b >= 0xF0 ? 4
                          : b >= 0xE0 ? 3
                          : b >= 0xC0 ? 2
                                      : 0;
        char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool valid = len != 0 && i + len <= n;
        for (std::size_t k = 1; valid && k < len; ++k) {
            const auto c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not
        // characters either.
        if (valid &&
            ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) ||
             (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF)))
            valid = false;
        if (!valid) {
            // A byte that starts no valid sequence stands for itself.
            out += static_cast<char32_t>(0xDC00 + b);
            ++i;
            continue;
        }
        out += cp;
        i += len;
    }
    return out;
}

std::string encode(const Text& text) {
    std::string out;
    for (char32_t c : text) {
        if (c >= 0xDC80 && c <= 0xDCFF) {
            out += static_cast<char>(c - 0xDC00);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

namespace {

constexpr char32_t kNone = 0xFFFFFFFF;  // "the next character" past the end of a text

Text T(std::string_view ascii) { return Text(ascii.begin(), ascii.end()); }

bool contains(const Text& s, char32_t c) { return s.find(c) != Text::npos; }

// 1-based character access.
char32_t at(const Text& s, std::size_t i) { return s[i - 1]; }
char32_t nextOf(const Text& s, std::size_t i) { return i + 1 <= s.size() ? s[i] : kNone; }
// Characters from position i (1-based) to the end.
Text from(const Text& s, std::size_t i) { return i > s.size() ? Text() : s.substr(i - 1); }
// The first k characters.
Text firstChars(const Text& s, std::size_t k) { return s.substr(0, k); }

void lower(Text& s) {
    for (char32_t& c : s)
        if (c >= 'A' && c <= 'Z') c = c - 'A' + 'a';
}

bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool isLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isE(char32_t c) { return c == 'e' || c == 'E'; }
bool isJ(char32_t c) { return c == 'j' || c == 'J'; }
bool isSign(char32_t c) { return c == '+' || c == '-'; }

// Whether the text ends with the name of a function (any case): a sign behind
// it is the sign of the function's argument.
bool endsWithFunctionName(const Text& s) {
    static const char* const kNames[] = {"arcsin", "arccos", "arctan", "arcctn", "sin",  "cos",
                                         "tan",    "ctn",    "ln",     "log",    "conj", "abs",
                                         "arg",    "re",     "im",     "sqrt",   "exp"};
    for (std::string_view name : kNames) {
        if (s.size() < name.size()) continue;
        Text tail = s.substr(s.size() - name.size());
        lower(tail);
        if (tail == Text(name.begin(), name.end())) return true;
    }
    return false;
}

// The text with every character outside ASCII written "?": one byte a
// character, for the number-item helpers, which only ever stop at ASCII.
std::string ascii(const Text& s) {
    std::string out;
    for (char32_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}
bool isOperator(char32_t c) { return c == '+' || c == '-' || c == '*' || c == '/'; }

// The calculator's one departure from plain doubles: a nonzero size below
// 1E-308, where doubles are subnormal and hold fewer than 15 digits, is refused
// when a number is read and when a result is written.
double held(double x) {
    if (x != 0 && std::fabs(x) < 1e-308) throw ArithmeticFault{kUnderflow};
    return x;
}
std::string heldText(double x) { return numberText(held(x)); }

double value(const Text& s) {
    const std::optional<double> v = leadingNumberGeneral(encode(s));
    if (!v) throw ArithmeticFault{kOverflow};
    return held(*v);
}

double chk(double x) { return checked(x); }

std::size_t utf16Units(const Text& s, std::size_t chars) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < chars && i < s.size(); ++i) units += s[i] >= 0x10000 ? 2 : 1;
    return units;
}

// The magnitude and angle texts of a value text.
void split(const Text& s, Text& magnitude, Text& angle) {
    const std::size_t p = s.find(T("ej"));
    if (p != Text::npos) {
        magnitude = p == 0 ? T("1") : s.substr(0, p);
        if (magnitude == T("+")) magnitude = T("1");
        if (magnitude == T("-")) magnitude = T("-1");
        angle = s.substr(p + 2);
        return;
    }
    const std::size_t q = s.find(U'j');
    if (q != Text::npos) {
        magnitude = s;
        magnitude[q] = U' ';
        if (q == 1 && s.size() > 2 && isSign(s[0]) && isSign(s[2]))
            magnitude = Text(1, s[0] == s[2] ? U'+' : U'-') + s.substr(3);
        while (!magnitude.empty() && magnitude.front() == U' ') magnitude.erase(0, 1);
        while (!magnitude.empty() && magnitude.back() == U' ') magnitude.pop_back();
        angle = T("90");
        return;
    }
    magnitude = s;
    angle = T("0");
}

enum class Pass { Power, MultiplyDivide, AddSubtract };

struct Scan {
    Text left;
    Text right;
    std::size_t headEnd = 0;
    std::size_t stop = 0;
};

bool isBoundary(Pass pass, char32_t c) {
    if (pass == Pass::Power) return isOperator(c);
    if (pass == Pass::MultiplyDivide) return c == '+' || c == '-';
    return false;
}

bool isPassOperator(Pass pass, char32_t c) {
    if (pass == Pass::Power) return c == '^';
    if (pass == Pass::MultiplyDivide) return c == '*' || c == '/';
    return c == '+';
}

// One cycle of the operand scan over the whole text.
Scan operandScan(const Text& s, Pass pass, Text& op) {
    Scan r;
    bool toRight = false;
    bool opSeen = false;
    const std::size_t n = s.size();
    auto selected = [&]() -> Text& { return toRight ? r.right : r.left; };
    for (std::size_t i = 1; i <= n; ++i) {
        const char32_t c = at(s, i);
        const char32_t nx = nextOf(s, i);
        if (c == 'e' || c == 'E') {
            if (nx == '+') {
                selected() += T("e+");
                ++i;
            } else if (nx == '-') {
                selected() += T("e-");
                ++i;
            } else {
                selected() += c;
            }
            continue;
        }
        const bool minusRule = pass == Pass::AddSubtract && c == '-';
        if (isPassOperator(pass, c) || minusRule) {
            if (opSeen) {
                r.stop = i;
                break;
            }
            if (minusRule && i == 1) {
                r.left = T("-");
                continue;
            }
            op = Text(1, c);
            opSeen = true;
            toRight = true;
            if (nx == '-') {
                r.right = T("-");
                ++i;
            }
            continue;
        }
        if (isBoundary(pass, c)) {
            if (opSeen) {
                r.stop = i;
                break;
            }
            if (nx == '-' || (c == '-' && i == 1)) {
                r.left = T("-");
                if (i != 1) {
                    r.headEnd = i;
                    ++i;
                }
            } else {
                r.left.clear();
                r.headEnd = i;
            }
            continue;
        }
        if (c == 'j') {
            // After a coefficient ("4j-2") the sign is the next operator.
            const Text& operand = selected();
            const bool coefficient =
                !operand.empty() && (isDigit(operand.back()) || operand.back() == '.');
            if (nx == '-' && !coefficient) {
                selected() += T("j-");
                ++i;
            } else {
                selected() += c;
            }
            continue;
        }
        selected() += c;
    }
    return r;
}

const std::array<Text, 10> kNames = {U"arcsin", U"arccos", U"arctan", U"arcctn", U"sin",
                                     U"cos",    U"tan",    U"ctn",    U"ln",     U"log"};

}  // namespace

void ReferenceEngine::raise(std::string_view message) {
    errorFlag = -1;
    errorText = std::string(message);
}

// ---------------------------------------------------------------- kernel

Text ReferenceEngine::kernel(const Text& czs1, const Text& czs2, const Text& op) {
    if (errorFlag == -1) return Text();
    try {
        Text m1, t1, m2, t2;
        split(czs1, m1, t1);
        split(czs2, m2, t2);
        const double M1 = value(m1);
        const double T1 = value(t1);
        const double M2 = value(m2);
        const double T2 = value(t2);
        double R = 0;
        double A = 0;
        if (op == T("+") || op == T("-")) {
            const double sign = op == T("+") ? 1 : -1;
            const double a1 = degToRad(T1);
            const double a2 = degToRad(T2);
            const double xl = chk(M1 * std::cos(a1));
            const double xr = chk(M2 * std::cos(a2));
            const double yl = chk(M1 * std::sin(a1));
            const double yr = chk(M2 * std::sin(a2));
            const double x = sign > 0 ? chk(xl + xr) : chk(xl - xr);
            const double y = sign > 0 ? chk(yl + yr) : chk(yl - yr);
            if (y == 0) {
                R = std::fabs(x);
            } else if (x == 0) {
                R = std::fabs(y);
            } else {
                const double squares = std::pow(x, 2) + std::pow(y, 2);
                R = std::isfinite(squares) && squares >= 0x1p-1022 ? std::sqrt(squares)
                                                                   : chk(std::hypot(x, y));
            }
            A = complexAngle(x, y);
        } else if (op == T("*")) {
            R = chk(M1 * M2);
            A = chk(T1 + T2);
        } else if (op == T("/")) {
            if (M2 == 0) {
                raise(kDivisionByZero);
                return Text();
            }
            R = chk(M1 / M2);
            A = chk(T1 - T2);
        } else if (op == T("^")) {
            const RealArgument exponent = readRealArgument(encode(czs2));
            if (!exponent.real) {
                // The principal value, from the shared complex functions.
                const ComplexResult w =
                    complexPower(rectangularOf({M1, T1}), rectangularOf({M2, T2}));
                if (!w.error.empty()) {
                    raise(w.error);
                    return Text();
                }
                return T(complexText(w.value));
            }
            const double E = exponent.value;
            if (M1 == 0 && E < 0) {
                raise(kDivisionByZero);
                return Text();
            }
            if (M1 <= 0 && E == 0.5) {
                R = chk(std::pow(std::fabs(M1), E));
                A = chk(chk(T1 * E) + 90);
            } else if (M1 <= 0 && E == 0.333333333333333) {
                R = -chk(std::pow(std::fabs(M1), E));
                A = chk(T1 * E);
            } else if (M1 < 0 && E < 1 && E != std::trunc(E)) {
                raise(kNegativeRoot);
                return T("0");
            } else {
                R = chk(std::pow(M1, E));
                A = chk(T1 * E);
            }
        }
        const double a = roundTo(A, 8);
        if (a == 0) return T(heldText(R));
        if (a == 180) return R < 0 ? T(heldText(-R)) : T("-") + T(heldText(R));
        return T(heldText(R)) + T("ej") + T(numberText(A));
    } catch (const ArithmeticFault& fault) {
        raise(fault.message);
        return Text();
    }
}

// ---------------------------------------------------------------- operator passes

Text ReferenceEngine::addSubtractPass(Text s) {
    if (errorFlag == -1) return Text();
    Text op = T("+");
    while (contains(s, '-') || contains(s, '+')) {
        const Scan scan = operandScan(s, Pass::AddSubtract, op);
        const Text result = kernel(scan.left, scan.right, op);
        if (scan.stop == 0) {
            s = result;
            break;
        }
        s = result + from(s, scan.stop);
    }
    if (!contains(s, '+')) return kernel(s, Text(), T("+"));
    return s;
}

namespace {
template <typename Kernel>
Text headPass(Text s, Pass pass, const Text& operators, Kernel&& kernel) {
    Text op;
    auto anyOperator = [&] { return s.find_first_of(operators) != Text::npos; };
    while (anyOperator()) {
        const Scan scan = operandScan(s, pass, op);
        const Text result = kernel(scan.left, scan.right, op);
        Text next = firstChars(s, scan.headEnd) + result;
        if (scan.stop != 0) next += from(s, scan.stop);
        s = next;
    }
    return s;
}
}  // namespace

Text ReferenceEngine::powerPass(Text s) {
    if (errorFlag == -1) return Text();
    return headPass(
        std::move(s), Pass::Power, T("^"),
        [this](const Text& a, const Text& b, const Text& o) { return kernel(a, b, o); });
}

Text ReferenceEngine::multiplyDividePass(Text s) {
    if (errorFlag == -1) return Text();
    return headPass(
        std::move(s), Pass::MultiplyDivide, T("*/"),
        [this](const Text& a, const Text& b, const Text& o) { return kernel(a, b, o); });
}

// ---------------------------------------------------------------- brackets

namespace {
// The last "(" before the first ")" (L) and that ")" (F), 1-based, 0 when absent.
void innermost(const Text& s, std::size_t& L, std::size_t& F) {
    L = 0;
    F = 0;
    for (std::size_t i = 1; i <= s.size(); ++i) {
        if (at(s, i) == '(') L = i;
        if (at(s, i) == ')') {
            F = i;
            return;
        }
    }
}
}  // namespace

std::size_t ReferenceEngine::bracketCheck(Text& s) {
    int pairs = 0;
    while (true) {
        if (!contains(s, '(') && !contains(s, ')')) return 0;
        std::size_t L, F;
        innermost(s, L, F);
        if (L != 0 && F != 0) {
            s[L - 1] = '?';
            s[F - 1] = '?';
        }
        if (L == 0 && F != 0) {
            raise(kBracketMismatch);
            return F;
        }
        if (L != 0 && F == 0) {
            raise(kBracketMismatch);
            return L;
        }
        ++pairs;
        if (pairs > 10) return 0;
    }
}

namespace {
std::size_t nameAt(const Text& s, std::size_t i);
bool endsWithBareJ(const Text& s);
}  // namespace

Text ReferenceEngine::bracketReduction(Text s) {
    if (errorFlag == -1) return Text();
    while (contains(s, '(')) {
        std::size_t L, F;
        innermost(s, L, F);
        if (L == 0 || F == 0) {
            // Brackets that do not pair up: the first error raised stays.
            if (errorFlag == 0) raise(kBracketMismatch);
            return Text();
        }
        Text inner = s.substr(L, F - L - 1);
        lower(inner);
        inner = functionPass(inner);
        lower(inner);
        inner = powerPass(inner);
        lower(inner);
        inner = multiplyDividePass(inner);
        lower(inner);
        inner = addSubtractPass(inner);
        lower(inner);
        Text before = firstChars(s, L - 1);
        std::size_t rest = F + 1;
        if (errorFlag == 0 && endsWithBareJ(before)) {
            // "j(": the bracket's value times j, one operand.
            before.pop_back();
            inner = kernel(T("j1"), inner, T("*"));
            lower(inner);
        }
        if (errorFlag == 0) {
            // A factorial behind the bracket takes its whole value.
            if (nextOf(s, F) == '!') {
                std::string_view error;
                const std::string product = factorialText(encode(inner), &error);
                if (!error.empty()) {
                    raise(error);
                } else {
                    inner = T(product);
                    rest = F + 2;
                }
            }
        }
        if (errorFlag == 0) {
            // "-(-3)": a negative value behind a sign drops both signs.
            const char32_t sign = before.size() >= 2 ? before[before.size() - 2] : '(';
            const bool signOfValue =
                sign == '(' || sign == '*' || sign == '/' || sign == '^' ||
                (isLetter(sign) && endsWithFunctionName(before.substr(0, before.size() - 1)));
            if (!inner.empty() && inner[0] == '-' && !before.empty() && before.back() == '-' &&
                signOfValue) {
                before.pop_back();
                inner.erase(0, 1);
            } else if ((nextOf(s, rest - 1) == 'e' || nextOf(s, rest - 1) == 'E') &&
                       contains(inner, 'j')) {
                // A complex value that an angle follows is multiplied by it.
                inner += '*';
            }
        }
        s = before + inner + from(s, rest);
    }
    if (contains(s, ')')) {
        if (errorFlag == 0) raise(kBracketMismatch);
        return Text();
    }
    return s;
}

// ---------------------------------------------------------------- repair

namespace {
// The length of the function name (any case) at position i (0-based), or 0.
std::size_t nameAt(const Text& s, std::size_t i) {
    Text rest = s.substr(i, 6);
    lower(rest);
    for (const Text& name : kNames)
        if (rest.substr(0, name.size()) == name) return name.size();
    return 0;
}

// Whether the text ends with the "j" of an "ej".
bool endsWithEj(const Text& s) { return s.size() >= 2 && isJ(s.back()) && isE(s[s.size() - 2]); }

// Whether the text ends with a "j" without a coefficient: not the "j" of "ej",
// nor one behind a digit or point.
bool endsWithBareJ(const Text& s) {
    if (s.empty() || !isJ(s.back())) return false;
    if (s.size() == 1) return true;
    const char32_t b = s[s.size() - 2];
    return !isE(b) && !isDigit(b) && b != '.';
}

// Whether the text ends a value: a digit, ")", "!" or a "j" outside "ej".
bool endsValue(const Text& s) {
    if (s.empty()) return false;
    const char32_t c = s.back();
    return isDigit(c) || c == ')' || c == '!' || (isJ(c) && !endsWithEj(s));
}
}  // namespace

Text ReferenceEngine::repair(Text s) {
    // 1. Blanks.
    while (!s.empty() && s.front() == ' ') s.erase(0, 1);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    while (contains(s, ' ')) s.erase(s.find(' '), 1);
    if (s.empty()) return T("0");

    // 2. Dangling last character, once.
    const char32_t last = s.back();
    const char32_t before = s.size() > 1 ? s[s.size() - 2] : kNone;
    if (isJ(last)) {
        if (!isE(before) && !isDigit(before) && before != '.') s += '1';
    } else if (isOperator(last) || last == '^') {
        s.pop_back();
    } else if (isE(last) && (isDigit(before) || before == '.')) {
        s.pop_back();
    }

    // 3. Signs, read from the left: a run of signs is the one sign it amounts
    // to; it gives way to a "*" or "/" behind it; a "+" where a value begins
    // goes; of "*" and "/" side by side the later stays.
    Text signs;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (isSign(c)) {
            std::size_t minus = 0;
            std::size_t k = i;
            while (k < s.size() && isSign(s[k])) minus += s[k++] == '-' ? 1 : 0;
            const std::size_t run = k - i;
            i = k - 1;
            if (k < s.size() && (s[k] == '*' || s[k] == '/')) continue;
            const bool valueBegins = signs.empty() || signs.back() == '(' || signs.back() == '*' ||
                                     signs.back() == '/' || signs.back() == '^' ||
                                     endsWithEj(signs);
            if (minus % 2 == 1) {
                // A run of signs behind a bare "j" is an operator: "j+-83" is j1-83.
                if (run >= 2 && endsWithBareJ(signs)) signs += '1';
                signs += '-';
            } else if (!valueBegins) {
                signs += '+';
            }
        } else if ((c == '*' || c == '/') && !signs.empty() &&
                   (signs.back() == '*' || signs.back() == '/')) {
            signs.back() = c;
        } else {
            signs += c;
        }
    }

    // 4. Values, read from the left: stray points go; "*" goes between a value
    // and a value that follows it; a bare "j" gets the coefficient 1.
    Text out;
    for (std::size_t i = 0; i < signs.size(); ++i) {
        const char32_t c = signs[i];
        const char32_t nx = i + 1 < signs.size() ? signs[i + 1] : kNone;
        const bool afterValueEnd = !out.empty() && (out.back() == ')' || out.back() == '!');
        const std::size_t name = nameAt(signs, i);
        if (c == '.') {
            if (!isDigit(nx)) continue;
            if (afterValueEnd) out += '*';
            out += c;
        } else if (isDigit(c)) {
            if (afterValueEnd) out += '*';
            out += c;
        } else if (c == '(') {
            // "j(": the bracket's coefficient j.
            if (endsValue(out) && !endsWithBareJ(out)) out += '*';
            out += c;
        } else if (isJ(c)) {
            if (!out.empty() && (isE(out.back()) || isDigit(out.back()))) {
                out += c;
            } else {
                if (afterValueEnd) out += '*';
                out += c;
                const char32_t after = i + 2 < signs.size() ? signs[i + 2] : kNone;
                const bool signedCoefficient = nx == '-' && (isDigit(after) || after == '.');
                if (!isDigit(nx) && nx != '.' && nx != '(' && !signedCoefficient) out += '1';
            }
        } else if (name != 0) {
            if (endsValue(out)) out += '*';
            out += signs.substr(i, name);
            i += name - 1;
        } else {
            out += c;
        }
    }
    return out;
}

// ---------------------------------------------------------------- the check after the repair

bool ReferenceEngine::malformedPart(const Text& s, std::size_t& start, std::size_t& length,
                                    std::string& message) {
    // Cut the text into parts and look at them from the left, remembering
    // whether a value is still awaited and which operator awaits it.
    bool awaiting = true;     // a value must come next
    bool afterValue = false;  // the last part was ")" or "!" or a number
    bool afterClose = false;
    bool afterSign = false;
    std::size_t waiting = 0;  // the operator that awaits its value
    auto refuse = [&](std::size_t at, std::size_t n, bool number) {
        start = at;
        length = n;
        const std::string part = encode(s.substr(at, n));
        message = number ? malformedNumberMessage(part) : missingOperandMessage(part);
        return true;
    };
    const std::string utf8 = ascii(s);
    for (std::size_t i = 0; i < s.size();) {
        const char32_t c = s[i];
        if (isDigit(c) || c == '.' || isE(c) || isJ(c)) {
            const std::size_t end = numberItemEnd(utf8, i);
            const Text item = s.substr(i, end - i);
            if (item.size() == 1 && isJ(c) && end < s.size() && s[end] == '(' && awaiting) {
                i = end;  // "j(": the coefficient of the bracket that follows
                continue;
            }
            const bool angle =
                (afterValue || afterClose) && item.size() >= 2 && isE(item[0]) && isJ(item[1]);
            if (!isWellFormedNumber(encode(item)) || (!awaiting && !angle))
                return refuse(i, item.size(), true);
            awaiting = false;
            afterValue = true;
            afterClose = false;
            afterSign = false;
            i = end;
            continue;
        }
        if (const std::size_t name = nameAt(s, i); name != 0) {
            std::size_t k = i + name;
            if (k < s.size() && s[k] == '-') ++k;
            // A number, a bracket, or another function with its argument.
            const bool operand = k < s.size() && (isDigit(s[k]) || s[k] == '.' || isE(s[k]) ||
                                                  isJ(s[k]) || s[k] == '(' || nameAt(s, k) != 0);
            if (!operand) return refuse(i, name, false);
            awaiting = true;
            afterValue = afterClose = afterSign = false;
            i += name;
            continue;
        }
        if (c == '(') {
            if (i + 1 < s.size() && s[i + 1] == ')') return refuse(i, 2, false);
            awaiting = true;
            afterValue = afterClose = afterSign = false;
        } else if (c == ')') {
            if (awaiting) return refuse(waiting, 1, false);
            afterClose = true;
            afterValue = afterSign = false;
        } else if (c == '!') {
            if (awaiting) return refuse(i, 1, false);
            afterValue = true;
            afterClose = afterSign = false;
        } else if (isOperator(c) || c == '^') {
            if (awaiting) {
                if (c != '-' || afterSign) return refuse(i, 1, false);
                afterSign = true;
            } else {
                awaiting = true;
                afterSign = false;
            }
            afterValue = afterClose = false;
            waiting = i;
        }
        ++i;
    }
    if (awaiting && !s.empty() && (isOperator(s.back()) || s.back() == '^'))
        return refuse(waiting, 1, false);
    return false;
}

// ---------------------------------------------------------------- functions

// Marks a function's value in the sweep that computed it: a function that
// takes it waits for the next sweep.
constexpr char32_t kFresh = 0x1;

void dropMarks(Text& s) {
    Text out;
    for (char32_t c : s)
        if (c != kFresh) out += c;
    s = out;
}

Text ReferenceEngine::functionPass(Text s) {
    if (errorFlag == -1) return Text();
    // Function step, in sweeps: a function whose argument is another function
    // ("sinln2") waits until that one has its value.
    bool waiting = true;
    // A failed factorial of a function's value ends the pass at once: the
    // factorial step below is not reached.
    bool factorialFailed = false;
    while (waiting && errorFlag == 0) {
        waiting = false;
        std::size_t k = 1;
        std::size_t searchFrom = 0;
        while (k <= 10) {
            const Text& name = kNames[k - 1];
            const std::size_t found = s.find(name, searchFrom);
            if (found == Text::npos) {
                ++k;
                searchFrom = 0;
                continue;
            }
            const std::size_t p = found + 1;
            // The argument: an optional "-" and the number item behind the name.
            std::size_t j = p + name.size();  // 1-based
            if (j <= s.size() && at(s, j) == '-') ++j;
            if (j <= s.size() && (at(s, j) == kFresh || nameAt(s, j - 1) != 0)) {
                waiting = true;
                searchFrom = found + 1;
                continue;
            }
            const bool operand = j <= s.size() && (isDigit(at(s, j)) || at(s, j) == '.' ||
                                                   isE(at(s, j)) || isJ(at(s, j)));
            if (!operand) {
                raise(missingOperandMessage(encode(name)));
                break;
            }
            const std::size_t itemChars = numberItemEnd(ascii(s), j - 1) - (j - 1);
            const std::size_t q = j + itemChars <= s.size() ? j + itemChars : 0;
            const Text argument = s.substr(p + name.size() - 1, j + itemChars - (p + name.size()));
            std::string_view failure;
            Text result;
            try {
                const RealArgument real = readRealArgument(encode(argument));
                const double x = real.value;
                std::size_t kind = k;
                if (!real.real) {
                    // Off the real axis: the principal value, from the shared complex
                    // functions.
                    const ComplexResult w =
                        complexFunction(static_cast<ComplexFunction>(k - 1),
                                        rectangularOf(readPolar(encode(argument))));
                    if (!w.error.empty()) throw ArithmeticFault{w.error};
                    result = T(complexText(w.value));
                    kind = 0;  // no real case below
                }
                const double rightAngle = 2 * std::atan(1.0);
                switch (kind) {
                    case 0:
                        break;
                    case 1:
                        if (std::fabs(x) > 1) {
                            failure = kArcsinDomain;
                        } else if (x == 1) {
                            result = T("90");
                        } else if (x == -1) {
                            result = T("-90");
                        } else {
                            result = T(heldText(
                                radToDeg(std::atan(chk(x / std::sqrt(1 - std::pow(x, 2)))))));
                        }
                        break;
                    case 2:
                        if (std::fabs(x) > 1) {
                            failure = kArccosDomain;
                        } else if (x == 1) {
                            result = T("0");
                        } else if (x == -1) {
                            result = T("180");
                        } else {
                            result = T(heldText(radToDeg(
                                rightAngle + std::atan(chk(-x / std::sqrt(1 - std::pow(x, 2)))))));
                        }
                        break;
                    case 3:
                        result = T(heldText(radToDeg(std::atan(x))));
                        break;
                    case 4:
                        if (x > 1e8) {
                            result = T(heldText(radToDeg(std::atan(1 / x))));
                        } else if (x < -1e8) {
                            result = T(heldText(radToDeg(2 * rightAngle + std::atan(1 / x))));
                        } else {
                            result = T(heldText(radToDeg(rightAngle - std::atan(x))));
                        }
                        break;
                    case 5:
                        result = T(heldText(chk(std::sin(degToRad(x)))));
                        break;
                    case 6:
                        result = T(heldText(chk(std::cos(degToRad(x)))));
                        break;
                    case 7:
                        if (std::fabs(std::fmod(poleRounded(x), 180)) == 90) {
                            failure = kTangentOf90;
                        } else {
                            result = T(heldText(chk(std::tan(degToRad(x)))));
                        }
                        break;
                    case 8:
                        if (std::fmod(poleRounded(x), 180) == 0) {
                            failure = kCotangentOf0;
                        } else {
                            const double t = std::tan(degToRad(x));
                            if (t == 0) throw ArithmeticFault{kDivisionByZero};
                            result = T(heldText(chk(1 / t)));
                        }
                        break;
                    case 9:
                        if (x <= 0) {
                            failure = kLogDomain;
                        } else {
                            result = T(heldText(chk(std::log(x))));
                        }
                        break;
                    default:
                        if (x <= 0) {
                            failure = kLogDomain;
                        } else {
                            result = T(heldText(chk(std::log(x) / std::log(10.0))));
                        }
                        break;
                }
            } catch (const ArithmeticFault& fault) {
                failure = fault.message;
            }
            std::size_t rest = q;
            // The function that is the argument of another leaves a "!" behind it
            // to the outermost one: f g x! is (f(g(x)))!.
            Text outside = firstChars(s, p - 1);
            if (!outside.empty() && outside.back() == '-') outside.pop_back();
            const bool outermost = !endsWithFunctionName(outside);
            if (failure.empty() && outermost && q != 0 && at(s, q) == '!') {
                // A factorial behind a function takes the function's value.
                std::string_view error;
                const std::string product = factorialText(encode(result), &error);
                if (!error.empty()) {
                    failure = error;
                    factorialFailed = true;
                } else {
                    result = T(product);
                    rest = q + 1 <= s.size() ? q + 1 : 0;
                }
            }
            if (!failure.empty()) {
                raise(failure);
                break;
            }
            Text head = firstChars(s, p - 1);
            // A negative value behind a sign drops both signs ("-sin-30" is 0.5).
            if (!result.empty() && result[0] == '-' && !head.empty() && head.back() == '-') {
                const char32_t sign = head.size() >= 2 ? head[head.size() - 2] : '(';
                if (sign == '(' || sign == '*' || sign == '/' || sign == '^' ||
                    (isLetter(sign) && endsWithFunctionName(head.substr(0, head.size() - 1)))) {
                    head.pop_back();
                    result.erase(0, 1);
                }
            }
            Text spliced = head;
            spliced += kFresh;
            spliced += result;
            if (rest != 0) spliced += from(s, rest);
            s = spliced;
            k = 1;
            searchFrom = 0;
        }
        dropMarks(s);
    }
    if (factorialFailed) return s;

    // Factorial step: the number item in front of the first "!" each time.
    while (contains(s, '!')) {
        const std::size_t bang = s.find('!');  // 0-based
        const std::string head = ascii(firstChars(s, bang));
        const std::size_t m = numberItemStart(head, head.size());
        if (m == head.size()) {
            raise(missingOperandMessage("!"));
            return s;
        }
        std::string_view error;
        const std::string product = factorialText(head.substr(m), &error);
        if (!error.empty()) {
            raise(error);
            return s;
        }
        s = firstChars(s, m) + T(product) + from(s, bang + 2);
    }
    return s;
}

// ---------------------------------------------------------------- notation, vocabulary

Text ReferenceEngine::translate(const Text& s) {
    Text out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out += c - 0xFF01 + 0x21;
        } else if (c == 0x3000 || c == 0x00A0) {
            out += U' ';
        } else if (c == 0x2220) {
            out += T("ej");
        } else if (c == 0x00B0) {
            // dropped
        } else if (c == 0x00D7 || c == 0x00B7 || c == 0x22C5) {
            out += U'*';
        } else if (c == 0x00F7) {
            out += U'/';
        } else if (c == 0x2212) {
            out += U'-';
        } else if (c == 0x03C0) {
            // "*" where a value touches π on either side.
            std::size_t last = out.size();
            while (last > 0 && out[last - 1] == ' ') --last;
            if (last > 0 && (isDigit(out[last - 1]) || out[last - 1] == '.' ||
                             out[last - 1] == ')' || out[last - 1] == '!' || isJ(out[last - 1])))
                out += U'*';
            out += T("3.14159265358979");
            std::size_t k = i + 1;
            while (k < s.size() && s[k] == ' ') ++k;
            if (k < s.size()) {
                char32_t nx = s[k];
                if (nx >= 0xFF01 && nx <= 0xFF5E) nx = nx - 0xFF01 + 0x21;
                if (nx == 0x03C0 || isDigit(nx) || nx == '.' || nx == '(' ||
                    (isLetter(nx) && !isE(nx)))
                    out += U'*';
            }
        } else if (c == 0x3002) {
            out += U'.';
        } else {
            out += c;
        }
    }
    return out;
}

namespace {
bool inVocabulary(char32_t c) { return isDigit(c) || contains(T(".+-*/^()! "), c); }

bool splits(Text letters) {
    lower(letters);
    static const std::array<Text, 12> words = {T("arcsin"), T("arccos"), T("arctan"), T("arcctn"),
                                               T("sin"),    T("cos"),    T("tan"),    T("ctn"),
                                               T("ln"),     T("log"),    T("e"),      T("j")};
    while (!letters.empty()) {
        std::size_t longest = 0;
        for (const Text& w : words)
            if (letters.substr(0, w.size()) == w && w.size() > longest) longest = w.size();
        if (longest == 0) return false;
        letters = letters.substr(longest);
    }
    return true;
}
}  // namespace

bool ReferenceEngine::unknownItem(const Text& s, std::size_t& start, std::size_t& length) {
    // Cut the text into maximal runs of letters, single vocabulary characters and
    // maximal runs of everything else, and look at them from the left.
    std::size_t i = 0;
    while (i < s.size()) {
        std::size_t j = i + 1;
        if (isLetter(s[i])) {
            while (j < s.size() && isLetter(s[j])) ++j;
            if (!splits(s.substr(i, j - i))) {
                start = i;
                length = j - i;
                return true;
            }
        } else if (!inVocabulary(s[i])) {
            while (j < s.size() && !isLetter(s[j]) && !inVocabulary(s[j])) ++j;
            start = i;
            length = j - i;
            return true;
        }
        i = j;
    }
    return false;
}

// ---------------------------------------------------------------- conversions, driver

Text ReferenceEngine::convert(Text s) {
    Text result = s;
    if (ejToAlgebraic == -1) {
        ejToAlgebraic = 0;
        const std::size_t p = s.find(T("ej"));
        if (p == Text::npos) return result;
        try {
            const double A = value(s.substr(0, p));
            const double theta = value(s.substr(p + 2));
            const double r = degToRad(theta);
            const double im = chk(A * std::sin(r));
            const bool plus = *leadingNumberGeneral(numberText(im)) >= 0;
            const double a = roundTo(chk(A * std::cos(r)), 15);
            const double b = roundTo(im, 15);
            if (plus) {
                result = T(numberText(a)) + T("+j") + T(numberText(b));
            } else {
                result = T(numberText(a)) + T("-j") + T(numberText(std::fabs(b)));
            }
        } catch (const ArithmeticFault& fault) {
            raise(fault.message);
            return Text();
        }
        return result;
    }
    lower(s);
    result = addSubtractPass(s);
    ejToAlgebraic = -1;
    return result;
}

Text ReferenceEngine::wholeExpression(Text t) {
    t = bracketReduction(t);
    lower(t);
    t = functionPass(t);
    t = powerPass(t);
    lower(t);
    t = multiplyDividePass(t);
    lower(t);
    return addSubtractPass(t);
}

Text ReferenceEngine::rewrite180(const Text& text) {
    const std::size_t found = text.find(T("ej"));
    if (found == Text::npos) return text;
    const std::size_t p = found + 1;
    double a = 0;
    try {
        a = roundTo(value(from(text, p + 2)), 8);
    } catch (const ArithmeticFault& fault) {
        if (errorFlag == 0) raise(fault.message);
        return text;
    }
    if (a != 180) return text;
    const Text magnitude = firstChars(text, p - 1);
    // The magnitude's own sign is dropped instead of doubled.
    if (!magnitude.empty() && magnitude[0] == '-') return magnitude.substr(1);
    return T("-") + magnitude;
}

Outcome ReferenceEngine::evaluate(std::string_view input) {
    ejToAlgebraic = -1;
    errorFlag = 0;
    errorText.clear();
    Outcome out;
    const Text translated = translate(decode(input));
    Text e = translated;
    if (e.find_first_not_of(U' ') == Text::npos) e = T("0");
    Text text1;
    std::size_t start = 0;
    std::size_t length = 0;
    if (unknownItem(e, start, length)) {
        raise(unrecognisedInputMessage(encode(e.substr(start, length))));
        text1 = e;
        out.selectionStart = utf16Units(text1, start);
        out.selectionLength = utf16Units(text1.substr(start), length);
    } else {
        Text copy = e;
        const std::size_t P = bracketCheck(copy);
        if (P == 0) {
            e = repair(e);
            text1 = e;
            std::string message;
            if (malformedPart(e, start, length, message)) {
                raise(message);
                out.selectionStart = utf16Units(text1, start);
                out.selectionLength = utf16Units(text1.substr(start), length);
            } else {
                out.text2 = encode(rewrite180(wholeExpression(e)));
            }
        } else {
            text1 = translated;
            out.selectionStart = utf16Units(text1, P - 1);
            out.selectionLength = 1;
        }
    }
    out.text1 = encode(text1);
    if (errorFlag == -1) {
        out.text2 = errorDisplay(errorText);
        out.failed = true;
        if (out.selectionLength == 0) {
            out.selectionStart = utf16Units(text1, text1.size());
            out.focusInput = false;
        }
        return out;
    }
    out.selectionStart = utf16Units(text1, text1.size());
    return out;
}

// ---------------------------------------------------------------- UTF-8 entry points

std::string ReferenceEngine::operate(std::string_view a, std::string_view b, std::string_view op) {
    return encode(kernel(decode(a), decode(b), decode(op)));
}
std::size_t ReferenceEngine::checkBrackets(std::string& s) {
    Text t = decode(s);
    const std::size_t p = bracketCheck(t);
    s = encode(t);
    return p;
}
std::string ReferenceEngine::repaired(std::string_view s) { return encode(repair(decode(s))); }
std::string ReferenceEngine::switchForm(std::string_view s) { return encode(convert(decode(s))); }

}  // namespace kalvox::reference
