#include "tests/engine/meaning/meaning_evaluator.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <span>

namespace kalvox::meaning {

std::vector<ReadingRules> allReadingRules() {
    std::vector<ReadingRules> rules;
    for (int bits = 0; bits < 32; ++bits)
        rules.push_back({(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0,
                         (bits & 16) != 0, 0});
    return rules;
}

namespace {

using Complex = std::complex<double>;

// The π a user types or pastes, as the calculator writes it.
constexpr double kTypedPi = 3.14159265358979;
// Relative disturbance of every operand and intermediate result on the two
// disturbed tracks; the spread it causes is the rounding a correct answer may show.
constexpr double kDisturbance = 1e-12;
// A value whose disturbed tracks move by more than this share of itself is a
// residue of cancelling operands: its exact size, angle or sign means nothing.
constexpr double kResidueShare = 1e-6;
// Angles (radians) from the real axis: below kRealAxis a value is real, above
// kOffAxis it is not; in between either reading is acceptable.
constexpr double kRealAxis = 1e-11;
constexpr double kOffAxis = 1e-8;
// The tolerance of an answer is this many times the spread of the disturbed tracks.
constexpr double kSpreadFactor = 1e5;
// Sizes below this may have passed below 1E-308 on the calculator's way, where it
// refuses them; the margin covers the rounding of its value texts.
constexpr double kSubnormalMargin = 1e-305;

constexpr std::array<std::string_view, 17> kFunctionNames = {
    "arcsin", "arccos", "arctan", "arcctn", "sin", "cos", "tan",  "ctn", "ln",
    "log",    "conj",   "abs",    "arg",    "re",  "im",  "sqrt", "exp"};

// The parallel operator "||" as the reader holds it, one character.
constexpr char kParallel = '%';
// Euler's number as a user types it ("e"), the text the calculator writes for it,
// and as the reader holds it, one character.
constexpr double kTypedEuler = 2.71828182845905;
constexpr char kEuler = '@';
// A degree sign as the reader holds it until it is dropped.
constexpr char kDegreeSign = '\'';

// An SI prefix directly behind a number's digits, and the exponent it stands for.
struct SiPrefix {
    std::string_view written;
    std::string_view exponent;
};

constexpr std::array<SiPrefix, 10> kSiPrefixes = {{
    {"p", "e-12"},
    {"n", "e-9"},
    {"u", "e-6"},
    {"\u00B5", "e-6"},  // µ, the micro sign
    {"\u03BC", "e-6"},  // μ, the Greek letter
    {"m", "e-3"},
    {"k", "e3"},
    {"M", "e6"},
    {"G", "e9"},
    {"T", "e12"},
}};

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool isFunctionName(std::string_view word) {
    return std::any_of(kFunctionNames.begin(), kFunctionNames.end(),
                       [&](std::string_view name) { return equalIgnoringCase(word, name); });
}

// The words a run of letters splits into (the function names, "e", "j" and "ans",
// any case), the longest first from the left; nullopt when it does not split.
std::optional<std::vector<std::string_view>> wordsOf(std::string_view letters) {
    static constexpr std::string_view kOtherWords[] = {"ans", "e", "j"};
    std::vector<std::string_view> words;
    std::size_t p = 0;
    while (p < letters.size()) {
        std::size_t longest = 0;
        for (const auto& list : {std::span<const std::string_view>(kFunctionNames),
                                 std::span<const std::string_view>(kOtherWords)}) {
            for (const auto word : list) {
                if (word.size() > longest &&
                    equalIgnoringCase(letters.substr(p, word.size()), word))
                    longest = word.size();
            }
        }
        if (longest == 0) return std::nullopt;
        words.push_back(letters.substr(p, longest));
        p += longest;
    }
    return words;
}

// The run of letters that ends at t[end - 1].
std::string_view lettersBefore(std::string_view t, std::size_t end) {
    std::size_t start = end;
    while (start > 0 && isLetter(t[start - 1])) --start;
    return t.substr(start, end - start);
}

// Whether the digits at the end of t belong to an exponent ("1.5e3") or to an
// angle ("2ej30", "sinej30"), where no prefix may follow.
bool endsInExponentOrAngle(std::string_view t) {
    std::size_t j = t.size();
    while (j > 0 && (isDigit(t[j - 1]) || t[j - 1] == '.')) --j;
    while (j > 0 && (t[j - 1] == '+' || t[j - 1] == '-')) --j;
    if (j == 0) return false;
    if (j >= 2 && (t[j - 1] == 'e' || t[j - 1] == 'E')) return isDigit(t[j - 2]) || t[j - 2] == '.';
    const auto words = wordsOf(lettersBefore(t, j));
    return words && words->size() >= 2 && equalIgnoringCase((*words)[words->size() - 2], "e") &&
           equalIgnoringCase(words->back(), "j");
}

// Marks each lower-case "e" that stands as an operand of its own as Euler's
// number: no digit, point or letter before it, except a function name ("lne",
// "sine"), and no digit, point or letter after it, nor signs and a digit ("e-1"
// is a number without its mantissa, "ej30" a phasor, "exp" a function).
void markEuler(std::string& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != 'e') continue;
        const std::string_view letters = lettersBefore(t, i);
        const char before = i > 0 ? t[i - 1] : '\0';
        bool freeBefore = !isDigit(before) && before != '.';
        if (!letters.empty()) {
            const auto words = wordsOf(letters);
            freeBefore = words && isFunctionName(words->back());
        }
        std::size_t next = i + 1;
        while (next < t.size() && (t[next] == '+' || t[next] == '-')) ++next;
        const char after = next < t.size() ? t[next] : '\0';
        const bool numberAfter = isDigit(after) || after == '.';
        const bool letterAfter = i + 1 < t.size() && isLetter(t[i + 1]);
        if (freeBefore && !numberAfter && !letterAfter) t[i] = kEuler;
    }
}

double radians(double degrees) { return degrees * std::numbers::pi / 180; }
double degrees(double radians) { return radians * 180 / std::numbers::pi; }

// Why a reading stops.
struct Stop {
    Meaning::Kind kind;
    std::string reason;
};

// One value on three tracks: [0] exact, [1] and [2] with every step disturbed.
struct Value {
    std::array<Complex, 3> track;
    const Complex& exact() const { return track[0]; }
    bool allZero() const {
        return std::all_of(track.begin(), track.end(), [](Complex z) { return z == Complex{}; });
    }
    double spread() const {
        return std::max(std::abs(track[1] - track[0]), std::abs(track[2] - track[0]));
    }
    // A value left over from cancelling operands.
    bool residue() const { return spread() > kResidueShare * std::abs(track[0]); }
};

Value constant(Complex z) { return Value{{z, z, z}}; }

// Reads an unsigned real "D[.D][e[±]D]" or ".D[e[±]D]"; "3." is read as 3.
std::optional<double> unsignedReal(std::string_view t) {
    std::size_t i = 0;
    std::size_t digits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && t[i] == 'e') {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    return std::strtod(std::string(t).c_str(), nullptr);
}

std::optional<double> signedReal(std::string_view t) {
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.remove_prefix(1);
    }
    auto r = unsignedReal(t);
    if (r && negative) *r = -*r;
    return r;
}

// The value of one number item: a real, "jR", "j-R", "Rj", "j", or "[R]ej[±]R".
std::optional<Complex> numberItem(std::string_view item) {
    if (auto ej = item.find("ej"); ej != std::string_view::npos) {
        std::optional<double> magnitude = 1.0;
        if (ej > 0) magnitude = unsignedReal(item.substr(0, ej));
        auto angle = signedReal(item.substr(ej + 2));
        if (!magnitude || !angle) return std::nullopt;
        return std::polar(*magnitude, radians(*angle));
    }
    if (item.front() == 'j') {
        if (item.size() == 1) return Complex{0, 1};
        auto r = signedReal(item.substr(1));
        if (!r || item[1] == '+') return std::nullopt;
        return Complex{0, *r};
    }
    if (item.back() == 'j') {
        auto r = unsignedReal(item.substr(0, item.size() - 1));
        if (!r) return std::nullopt;
        return Complex{0, *r};
    }
    auto r = unsignedReal(item);
    if (!r) return std::nullopt;
    return Complex{*r, 0};
}

class Reader {
public:
    Reader(std::string text, const ReadingRules& rules) : s_(std::move(text)), rules_(rules) {}

    Meaning read() {
        Meaning m;
        try {
            prepare();
            Value v = constant(0);
            if (s_.empty()) {
                lenient();  // an empty text reads as 0
            } else {
                v = expression();
                if (pos_ != s_.size()) malformed("unexpected \"" + s_.substr(pos_, 1) + "\"");
                checkDegreeSigns();
            }
            m.kind = Meaning::Kind::Value;
            m.value = v.exact();
            m.sensitivity = v.spread();
            if (!std::isfinite(m.value.real()) || !std::isfinite(m.value.imag())) {
                if (!anyValue_) throw Stop{Meaning::Kind::Undefined, "overflow"};
            }
        } catch (const Stop& stop) {
            m.kind = stop.kind;
            m.reason = stop.reason;
        }
        m.refusalAcceptable = refusalOk_ || anyValue_;
        m.anyValueAcceptable = anyValue_;
        m.branchDependent = branchDependent_;
        return m;
    }

private:
    std::string s_;
    std::size_t pos_ = 0;
    ReadingRules rules_;
    bool refusalOk_ = false;
    bool anyValue_ = false;
    bool branchDependent_ = false;
    int branchPowers_ = 0;
    bool afterAdditive_ = false;            // the next signs follow a binary "+" or "-"
    std::vector<std::size_t> degreeSigns_;  // where in s_ a dropped "°" stood
    std::uint64_t noise_ = 0x243F6A8885A308D3ULL;

    // A stretch of s_ (both ends included) that holds an angle in degrees (the
    // operand of sin ... ctn, the angle behind "ej") or in radians (the operand of
    // exp, an exponent); the later of two that begin at one place lies inside.
    struct AngleContext {
        std::size_t from;
        std::size_t to;
        bool radians;
    };
    std::vector<AngleContext> contexts_;

    std::size_t openContext(bool radians) {
        contexts_.push_back({pos_, std::string::npos, radians});
        return contexts_.size() - 1;
    }
    void closeContext(std::size_t k) { contexts_[k].to = pos_; }

    // A "°" in an angle in radians would turn 30 degrees into 30 radians: it is
    // refused unless a stretch in degrees nested in there holds it.
    void checkDegreeSigns() const {
        for (const std::size_t p : degreeSigns_) {
            const AngleContext* innermost = nullptr;
            for (const auto& c : contexts_) {
                if (c.from <= p && p <= c.to && (!innermost || c.from >= innermost->from))
                    innermost = &c;
            }
            if (innermost && innermost->radians) malformed("a degree sign in radians");
        }
    }

    [[noreturn]] static void malformed(std::string why) {
        throw Stop{Meaning::Kind::Malformed, std::move(why)};
    }
    [[noreturn]] static void undefined(std::string why) {
        throw Stop{Meaning::Kind::Undefined, std::move(why)};
    }
    void lenient() { refusalOk_ = true; }
    void unreliable() {
        refusalOk_ = true;
        anyValue_ = true;
    }

    // A factor in ±[0.5, 1] for the disturbed tracks.
    double wobble() {
        noise_ = noise_ * 6364136223846793005ULL + 1442695040888963407ULL;
        const double r = static_cast<double>(noise_ >> 11) / 9007199254740992.0;
        return (noise_ & 1) ? 0.5 + r / 2 : -0.5 - r / 2;
    }
    // Disturbs the two tracks of a freshly computed value.
    Value settle(Value v) {
        // Below 1E-308 doubles are subnormal: the calculator refuses such a size
        // ("下溢") rather than show digits it does not have.
        const double size = std::abs(v.track[0]);
        if (size != 0 && size < kSubnormalMargin) lenient();
        for (std::size_t k = 1; k < 3; ++k) {
            v.track[k] *= 1 + kDisturbance * wobble();
            if (v.track[k].imag() != 0) v.track[k] *= std::polar(1.0, kDisturbance * wobble());
        }
        if (!std::isfinite(std::abs(v.track[0]))) {
            if (anyValue_) return v;
            undefined("overflow");
        }
        for (std::size_t k = 1; k < 3; ++k)
            if (!std::isfinite(std::abs(v.track[k]))) {
                lenient();
                v.track[k] = v.track[0];
            }
        return v;
    }

    // The digit or "-" a superscript at s_[i] stands for in an exponent, with its
    // length in bytes; 0 for none.
    std::size_t superscriptAt(std::size_t i, char& stands) const {
        static constexpr std::string_view kSuperscripts[] = {"\u2070", "\u00B9", "\u00B2", "\u00B3",
                                                             "\u2074", "\u2075", "\u2076", "\u2077",
                                                             "\u2078", "\u2079", "\u207B"};
        for (std::size_t d = 0; d < std::size(kSuperscripts); ++d) {
            if (s_.compare(i, kSuperscripts[d].size(), kSuperscripts[d]) == 0) {
                stands = d == 10 ? '-' : static_cast<char>('0' + d);
                return kSuperscripts[d].size();
            }
        }
        return 0;
    }

    // Superscripts are a whole exponent: a value that follows them ("2²3",
    // "2²j4", "3²∠30") is a factor of its own, and a factorial ("5²!") has no
    // clear reading: is it (5²)! or 5^(2!)?
    void closeSuperscripts(std::size_t next, std::string& t) const {
        char stands = 0;
        if (superscriptAt(next, stands)) return;  // the run goes on
        while (next < s_.size() && s_[next] == ' ') ++next;
        if (next >= s_.size()) return;
        const char c = s_[next];
        if (c == '!') malformed("a factorial behind superscripts");
        if (isDigit(c) || c == '.' || isLetter(c) || s_.compare(next, 3, "\u2220") == 0 ||
            s_.compare(next, 2, "\u00B5") == 0 || s_.compare(next, 2, "\u03BC") == 0)
            t += '*';
    }

    // The SI prefix written at s_[i], with the exponent it stands for; its length
    // in bytes, 0 for none. A letter is a prefix when its run of letters does not
    // split into words but the rest of the run does ("4.7kj", "2kej30"; "2Tan45"
    // is 2·tan45).
    std::size_t siPrefixAt(std::size_t i, std::string_view& exponent) const {
        for (const auto& prefix : kSiPrefixes) {
            if (s_.compare(i, prefix.written.size(), prefix.written) != 0) continue;
            exponent = prefix.exponent;
            if (!isLetter(s_[i])) return prefix.written.size();  // µ, μ
            std::size_t end = i;
            while (end < s_.size() && isLetter(s_[end])) ++end;
            const std::string_view run = std::string_view(s_).substr(i, end - i);
            const bool isPrefix = !wordsOf(run) && wordsOf(run.substr(1));
            return isPrefix ? 1 : 0;
        }
        return 0;
    }

    // A prefix at s_[i] behind the digits at the end of t, written into t as the
    // exponent it stands for; its length in bytes, 0 for none.
    std::size_t siPrefix(std::size_t i, std::string& t) {
        std::string_view exponent;
        const std::size_t length = siPrefixAt(i, exponent);
        if (length == 0) return 0;
        const char next = i + length < s_.size() ? s_[i + length] : '\0';
        if (isDigit(next) || next == '.') malformed("a digit behind a prefix");
        if (endsInExponentOrAngle(t)) malformed("a prefix behind an exponent or an angle");
        t += exponent;
        // A function name straight behind a prefix ("2ksin30") is hardly written:
        // a refusal is fair too.
        std::size_t end = i + length;
        while (end < s_.size() && isLetter(s_[end])) ++end;
        const std::string_view rest = std::string_view(s_).substr(i + length, end - i - length);
        if (!rest.empty() && !equalIgnoringCase(rest, "j") && !equalIgnoringCase(rest, "ej"))
            lenient();
        return length;
    }

    // Lower case, π, "∠", SI prefixes, Euler's number, degree signs, blanks,
    // superscripts, the dangling last operator and runs of operators.
    void prepare() {
        std::string t;
        for (std::size_t i = 0; i < s_.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(s_[i]);
            char stands = 0;
            if (superscriptAt(i, stands)) {
                // A run of superscripts is one exponent, in brackets when a minus
                // stands inside it: "2²⁻¹" is 2^(2-1).
                std::string exponent;
                while (const std::size_t length = superscriptAt(i, stands)) {
                    exponent += stands;
                    i += length;
                }
                --i;
                const bool inner = exponent.find('-', 1) != std::string::npos &&
                                   isDigit(exponent[exponent.find('-', 1) - 1]);
                t += inner ? "^(" + exponent + ")" : "^" + exponent;
                if (isDigit(exponent.back())) closeSuperscripts(i + 1, t);
                continue;
            }
            if (i > 0 && isDigit(s_[i - 1])) {
                if (const std::size_t length = siPrefix(i, t)) {
                    i += length - 1;
                    continue;
                }
            }
            if (s_.compare(i, 3, "\u2220") == 0) {
                t += "ej";  // ∠
                i += 2;
            } else if (s_.compare(i, 2, "\u00B0") == 0) {
                t += kDegreeSign;  // °
                ++i;
            } else if (c == 0xCF && i + 1 < s_.size() &&
                       static_cast<unsigned char>(s_[i + 1]) == 0x80) {
                t += '#';  // π
                ++i;
            } else if (s_.compare(i, 3, "\u221A") == 0) {
                t += "sqrt";  // √
                i += 2;
            } else if (s_.compare(i, 3, "\u2225") == 0) {
                t += kParallel;  // ∥
                i += 2;
            } else if (c == '|') {
                // Only the pair "||" is an operator.
                std::size_t end = i;
                while (end < s_.size() && s_[end] == '|') ++end;
                if (end - i != 2) malformed("a run of \"|\" other than \"||\"");
                t += kParallel;
                i = end - 1;
            } else if (c == ' ') {
                continue;
            } else if (c >= 0x80 || !(std::isalnum(c) ||
                                      std::string_view("+-*/^().!").find(static_cast<char>(c)) !=
                                          std::string_view::npos)) {
                malformed("unknown character");
            } else {
                t += static_cast<char>(c);
            }
        }
        markEuler(t);  // before lower case: "E" is never Euler's number
        // The calculator drops a dangling operator, run of signs or upper-case
        // exponent letter at the end ("5*" is 5, "5--" is 5, "2E" is 2); ordinary
        // notation would call them incomplete, so either reading is accepted. A
        // lower-case "2e" stays: it is malformed, not 2.
        if (!t.empty() && (t.back() == '+' || t.back() == '-')) {
            while (!t.empty() && (t.back() == '+' || t.back() == '-')) t.pop_back();
            lenient();  // a run of signs amounts to one dangling sign
        } else if (!t.empty() &&
                   std::string_view("*/^%").find(t.back()) != std::string_view::npos) {
            t.pop_back();
            lenient();
        } else if (t.size() >= 2 && t.back() == 'E' &&
                   (std::isdigit(static_cast<unsigned char>(t[t.size() - 2])) ||
                    t[t.size() - 2] == '.')) {
            t.pop_back();
            lenient();
        }
        for (char& ch : t) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        // The calculator drops a point that no digit follows ("3." is 3, "1..2" is 1.2);
        // ordinary notation would not read "1..2" at all.
        std::string points;
        for (std::size_t i = 0; i < t.size(); ++i) {
            const bool digitNext =
                i + 1 < t.size() && std::isdigit(static_cast<unsigned char>(t[i + 1]));
            if (t[i] == '.' && !digitNext) {
                const bool digitBefore =
                    i > 0 && std::isdigit(static_cast<unsigned char>(t[i - 1]));
                const bool endsNumber = digitBefore && (i + 1 == t.size() || t[i + 1] != '.');
                if (!endsNumber) lenient();  // "3." is ordinary; "1..2" and "5.." are not
                continue;
            }
            points += t[i];
        }
        t = points;
        // In a run of operators that holds "*", "/" or "||", the calculator keeps the
        // last of them with the signs behind it ("3*/2" is 3/2, "3+*2" is 3*2).
        std::string u;
        for (std::size_t i = 0; i < t.size();) {
            if (std::string_view("+-*/%").find(t[i]) == std::string_view::npos) {
                u += t[i++];
                continue;
            }
            std::size_t end = i;
            while (end < t.size() &&
                   std::string_view("+-*/%").find(t[end]) != std::string_view::npos)
                ++end;
            const std::string run = t.substr(i, end - i);
            const std::size_t last = run.find_last_of("*/%");
            if (last != std::string::npos && last > 0) {
                u += run.substr(last);
                lenient();
            } else {
                u += run;
            }
            i = end;
        }
        // A degree sign is dropped; where it stood is kept, for it is refused in an
        // angle in radians.
        s_.clear();
        for (const char ch : u) {
            if (ch == kDegreeSign) {
                degreeSigns_.push_back(s_.size());
            } else {
                s_ += ch;
            }
        }
    }

    char peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }

    bool startsValue() const {
        const char c = peek();
        if (c == '\0') return false;
        return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'j' || c == 'e' ||
               c == '(' || c == '#' || c == kEuler || functionAt(pos_) != nullptr;
    }

    const std::string_view* functionAt(std::size_t p) const {
        for (const auto& name : kFunctionNames)
            if (s_.compare(p, name.size(), name) == 0) return &name;
        return nullptr;
    }

    Value expression() {
        Value v = term();
        while (peek() == '+' || peek() == '-') {
            const char op = s_[pos_++];
            afterAdditive_ = true;
            Value w = term();
            for (std::size_t k = 0; k < 3; ++k)
                v.track[k] = op == '+' ? v.track[k] + w.track[k] : v.track[k] - w.track[k];
            v = settle(v);
        }
        return v;
    }

    Value factor() { return rules_.implicitBindsTighter ? juxtaposition() : signedPower(); }

    Value juxtaposition() {
        Value v = signedPower();
        while (startsValue()) v = multiply(v, power());
        return v;
    }

    Value term() {
        Value v = factor();
        for (;;) {
            if (peek() == '*') {
                ++pos_;
                v = multiply(v, factor());
            } else if (peek() == '/') {
                ++pos_;
                v = divide(v, factor());
            } else if (peek() == kParallel) {
                ++pos_;
                v = parallel(v, factor());
            } else if (!rules_.implicitBindsTighter && startsValue()) {
                v = multiply(v, power());
            } else {
                return v;
            }
        }
    }

    Value multiply(Value a, const Value& b) {
        for (std::size_t k = 0; k < 3; ++k) a.track[k] *= b.track[k];
        return settle(a);
    }

    // a||b = a*b/(a+b), the parallel connection.
    Value parallel(const Value& a, const Value& b) {
        Value sum;
        for (std::size_t k = 0; k < 3; ++k) sum.track[k] = a.track[k] + b.track[k];
        sum = settle(sum);
        // a*b/(a+b) without a*b overflowing: the smaller times the larger's share of
        // the sum, which is near 1 (the smaller's share underflows when the two
        // differ greatly).
        if (std::abs(a.exact()) >= std::abs(b.exact())) return multiply(b, divide(a, sum));
        return multiply(a, divide(b, sum));
    }

    Value divide(Value a, const Value& b) {
        if (b.allZero()) undefined("division by zero");
        if (b.exact() == Complex{} || b.residue()) {
            unreliable();
            if (b.exact() == Complex{}) return constant(0);
        }
        for (std::size_t k = 0; k < 3; ++k)
            a.track[k] =
                b.track[k] == Complex{} ? a.track[0] / b.track[0] : a.track[k] / b.track[k];
        return settle(a);
    }

    // A run of signs; true when it amounts to "-".
    bool signs() {
        bool negative = false;
        while (peek() == '+' || peek() == '-') negative ^= s_[pos_++] == '-';
        return negative;
    }

    static Value negate(Value v) {
        for (auto& z : v.track) z = -z;
        return v;
    }

    Value signedPower() {
        // Signs behind a "+" or "-" only add to it: "5+-3^2" is 5-9 on every reading.
        const bool additive = afterAdditive_;
        afterAdditive_ = false;
        const bool negative = signs();
        if (!rules_.signBindsTighter || additive) {
            Value v = power();
            return negative ? negate(v) : v;
        }
        Value base = postfix();
        if (negative) base = negate(base);
        return powerTail(base);
    }

    Value power() { return powerTail(postfix()); }

    Value powerTail(Value base) {
        if (rules_.powerRightAssociative) {
            if (peek() != '^') return base;
            ++pos_;
            const std::size_t context = openContext(true);
            const Value e = signedPower();
            closeContext(context);
            return raise(base, e);
        }
        while (peek() == '^') {
            ++pos_;
            const std::size_t context = openContext(true);
            const bool negative = signs();
            Value e = postfix();
            closeContext(context);
            base = raise(base, negative ? negate(e) : e);
        }
        return base;
    }

    Value postfix() {
        Value v = primary();
        while (peek() == '!') {
            ++pos_;
            v = factorial(v);
        }
        return v;
    }

    Value primary() {
        const char c = peek();
        if (c == '(') {
            ++pos_;
            if (peek() == ')') malformed("empty brackets");
            Value v = expression();
            if (peek() != ')') malformed("missing \")\"");
            ++pos_;
            return v;
        }
        if (c == '#') {
            ++pos_;
            return settle(constant(kTypedPi));
        }
        if (c == kEuler) {
            ++pos_;
            return settle(constant(kTypedEuler));
        }
        if (s_.compare(pos_, 3, "ans") == 0) undefined("no last result in a single text");
        if (const auto* name = functionAt(pos_)) {
            pos_ += name->size();
            return function(*name);
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'j' || c == 'e')
            return number();
        if (c == '\0') malformed("missing operand at the end");
        malformed(std::string("missing operand before \"") + c + "\"");
    }

    // A maximal run of digits, ".", "e" and "j", with the sign of an exponent, of
    // an angle after "ej" and of the coefficient of a leading "j".
    Value number() {
        const std::size_t start = pos_;
        std::string item;
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == 'e' && functionAt(pos_) != nullptr) break;  // "exp" after a number
            if (std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'e' || c == 'j') {
                item += c;
                ++pos_;
                continue;
            }
            if ((c == '+' || c == '-') && pos_ > start) {
                const char prev = s_[pos_ - 1];
                const bool afterEj = prev == 'j' && pos_ - 1 > start && s_[pos_ - 2] == 'e';
                const bool afterLeadingJ = prev == 'j' && pos_ - 1 == start;
                if (afterEj && !digitAfterSigns(pos_)) break;  // "2ej-arccos0.9"
                if (prev == 'e' || afterEj) {
                    // The calculator reads a run of signs here as the one sign it
                    // amounts to ("1e+-3" as 1e-3); ordinary notation would not.
                    const std::size_t run = pos_;
                    const bool negative = signs();
                    if (pos_ - run > 1) lenient();
                    item += negative ? '-' : '+';
                    continue;
                }
                if (afterLeadingJ && rules_.jMinusIsLiteral) {
                    // "j-4" is j(-4); so is "j--+4"... after the calculator's sign runs.
                    std::size_t end = pos_;
                    bool negative = false;
                    while (end < s_.size() && (s_[end] == '+' || s_[end] == '-'))
                        negative ^= s_[end++] == '-';
                    const char after = end < s_.size() ? s_[end] : '\0';
                    const bool digitAfter =
                        std::isdigit(static_cast<unsigned char>(after)) || after == '.';
                    // Only a single "-" is the coefficient's sign: a run of signs
                    // behind "j" is an operator ("j+-83" is j-83).
                    const bool single = end - pos_ == 1;
                    if (negative && digitAfter && single) {
                        item += '-';
                        pos_ = end;
                        continue;
                    }
                    if (negative && after == '#' && single) {
                        // "j-π" is j(-π) too, π being the number the calculator inserts.
                        item += "-3.14159265358979";
                        pos_ = end + 1;
                        break;
                    }
                }
            }
            break;
        }
        if (item == "j" && peek() == '(') {
            // "j(...)": the bracket's value times j, one operand as "j4" is.
            Value inner = primary();
            return multiply(constant(Complex{0, 1}), inner);
        }
        if (item.ends_with("ej") && (peek() == '(' || peek() == '-' || functionAt(pos_)))
            return phasorOfAngleExpression(std::string_view(item).substr(0, item.size() - 2));
        auto z = numberItem(item);
        if (!z) malformed("not a number: " + item);
        if (!std::isfinite(z->real()) || !std::isfinite(z->imag())) undefined("overflow");
        Value v = constant(*z);
        if (const auto ej = item.find("ej"); ej != std::string::npos) {
            // The angle is an operand too: disturb it like every other.
            const double angle = *signedReal(std::string_view(item).substr(ej + 2));
            for (std::size_t k = 1; k < 3; ++k)
                v.track[k] =
                    std::polar(std::abs(*z), radians(angle * (1 + kDisturbance * wobble())));
            contexts_.push_back({s_.find("ej", start) + 2, pos_, false});
        }
        return settle(v);
    }

    bool digitAfterSigns(std::size_t p) const {
        while (p < s_.size() && (s_[p] == '+' || s_[p] == '-')) ++p;
        return p < s_.size() && (isDigit(s_[p]) || s_[p] == '.');
    }

    // "[R]ej" and an angle that is an expression: a bracket or a function with its
    // operand, with one "-" in front ("100ej-arccos0.9", "1ej(90+30)"). The angle
    // is in degrees and real; magnitude and angle make one operand.
    Value phasorOfAngleExpression(std::string_view magnitudeText) {
        const auto magnitude = magnitudeText.empty() ? 1.0 : unsignedReal(magnitudeText);
        if (!magnitude) malformed("not a magnitude: " + std::string(magnitudeText));
        const std::size_t context = openContext(false);
        const bool negative = peek() == '-';
        if (negative) ++pos_;
        Value angle;
        if (peek() == '(') {
            angle = primary();
        } else if (const auto* name = functionAt(pos_)) {
            pos_ += name->size();
            angle = function(*name);
        } else {
            malformed("no angle behind \"ej\"");
        }
        closeContext(context);
        if (negative) angle = negate(angle);
        const auto a = realOf(angle, "complex angle");
        Value v;
        for (std::size_t k = 0; k < 3; ++k) v.track[k] = std::polar(*magnitude, radians(a[k]));
        return settle(v);
    }

    // The real number a value stands for, on every track; a value off the real
    // axis is refused with `what`.
    std::array<double, 3> realOf(const Value& v, const char* what) {
        const Complex z = v.exact();
        std::array<double, 3> x{};
        if (z.imag() == 0) {
            for (std::size_t k = 0; k < 3; ++k) x[k] = v.track[k].real();
            return x;
        }
        if (v.residue()) unreliable();
        const double angle = std::abs(std::arg(z));
        const double off = std::min(angle, std::numbers::pi - angle);
        if (off >= kOffAxis && !v.residue()) undefined(what);
        if (off > kRealAxis) lenient();
        const double sign = angle < std::numbers::pi / 2 ? 1.0 : -1.0;
        for (std::size_t k = 0; k < 3; ++k) x[k] = sign * std::abs(v.track[k]);
        return x;
    }

    Value fromReals(const std::array<double, 3>& x) {
        Value v;
        for (std::size_t k = 0; k < 3; ++k) v.track[k] = Complex{x[k], 0};
        return settle(v);
    }

    Value function(std::string_view name) {
        // sin ... ctn take degrees, exp radians; the other functions neither.
        const bool inDegrees = name == "sin" || name == "cos" || name == "tan" || name == "ctn";
        const bool angleOperand = inDegrees || name == "exp";
        const std::size_t context = angleOperand ? openContext(!inDegrees) : 0;
        // One "-" is the argument's sign; a run of signs amounts to one sign, which
        // ordinary notation would hardly write ("sin+-30"); a lone "+" leaves the
        // function without its argument ("sin+1").
        bool negative = false;
        const std::size_t signsStart = pos_;
        if (peek() == '-' || peek() == '+') {
            negative = signs();
            if (pos_ - signsStart == 1 && !negative)
                malformed("function " + std::string(name) + " without its argument");
            if (pos_ - signsStart > 1) {
                lenient();
                if (!negative) malformed("function " + std::string(name) + " followed by \"+\"");
            }
        }
        const char c = peek();
        Value arg;
        if (const auto* inner = functionAt(pos_)) {
            // A function of a function: f g x is f(g(x)).
            pos_ += inner->size();
            arg = function(*inner);
        } else if (c == '(') {
            arg = primary();
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'j' ||
                   c == 'e') {
            arg = number();
        } else if (c == '#' || c == kEuler) {
            arg = primary();
        } else {
            malformed("function " + std::string(name) + " without its argument");
        }
        if (rules_.factorialInsideFunction) {
            while (peek() == '!') {
                ++pos_;
                arg = factorial(arg);
            }
        }
        if (angleOperand) closeContext(context);
        if (negative) arg = negate(arg);
        if (name == "conj" || name == "abs" || name == "arg" || name == "re" || name == "im" ||
            name == "sqrt")
            return complexWord(name, arg);
        if (offTheRealAxis(arg)) return offAxisFunction(name, arg);
        if (name == "exp") {
            auto e = realOf(arg, "function of a complex value");
            std::array<double, 3> y{};
            for (std::size_t k = 0; k < 3; ++k) y[k] = std::exp(e[k]);
            return fromReals(y);
        }
        auto x = realOf(arg, "function of a complex value");
        const double x0 = x[0];
        const double xSpread = std::max(std::abs(x[1] - x0), std::abs(x[2] - x0));
        std::array<double, 3> y{};
        auto each = [&](auto f) {
            for (std::size_t k = 0; k < 3; ++k) y[k] = f(x[k]);
        };
        if ((name == "sin" || name == "cos") && kSpreadFactor * xSpread > 1) unreliable();
        if (name == "sin") {
            each([](double a) { return std::sin(radians(a)); });
        } else if (name == "cos") {
            each([](double a) { return std::cos(radians(a)); });
        } else if ((name == "tan" || name == "ctn") && kSpreadFactor * xSpread > 1) {
            // The angle is not known to a degree: neither the value nor a pole means anything.
            unreliable();
            each([](double a) { return std::tan(radians(a)); });
        } else if (name == "tan" || name == "ctn") {
            // Poles: tan at odd multiples of 90, ctn at multiples of 180.
            const double k = std::round(x0 / 90);
            const bool poleOfThis = (std::fmod(std::abs(k), 2.0) == 1) == (name == "tan");
            const double distance = std::abs(x0 - 90 * k);
            if (poleOfThis) {
                const double sure = std::max(1e-9, 1e-14 * std::abs(x0));
                if (distance <= sure) {
                    if (arg.residue()) {
                        unreliable();
                    } else {
                        undefined(std::string(name) + " at its pole");
                    }
                } else if (distance < 1e-6) {
                    unreliable();
                }
            }
            if (name == "tan") {
                each([](double a) { return std::tan(radians(a)); });
            } else {
                each([](double a) { return std::cos(radians(a)) / std::sin(radians(a)); });
            }
        } else if (name == "arcsin" || name == "arccos") {
            if (std::abs(x0) > 1) {
                if (std::abs(x0) - 1 > 1e-12) undefined(std::string(name) + " beyond 1");
                lenient();
            }
            if (x0 == -1) lenient();  // the formulas of some calculators divide by zero here
            for (auto& a : x) a = std::clamp(a, -1.0, 1.0);
            if (name == "arcsin") {
                each([](double a) { return degrees(std::asin(a)); });
            } else {
                each([](double a) { return degrees(std::acos(a)); });
            }
        } else if (name == "arctan") {
            each([](double a) { return degrees(std::atan(a)); });
        } else if (name == "arcctn") {
            each([](double a) { return degrees(std::atan2(1.0, a)); });
        } else {  // ln, log
            // The logarithm of a residue of cancelling operands (im(1ej360)) means
            // nothing, whichever sign the residue came out with.
            if (arg.residue() && !arg.allZero()) unreliable();
            if (x0 <= 0) {
                if (!arg.residue() || arg.allZero()) undefined("logarithm of a value <= 0");
                unreliable();  // a residue of cancelling operands
                return constant(0);
            }
            for (auto& a : x) a = a > 0 ? a : x0;
            if (name == "ln") {
                each([](double a) { return std::log(a); });
            } else {
                each([](double a) { return std::log10(a); });
            }
        }
        if (name == "arcctn" || name == "arccos") {
            // Calculators take these as a right angle minus another angle: the
            // result carries the rounding of an operand of size 90.
            for (std::size_t k = 1; k < 3; ++k) y[k] += 90 * kDisturbance * wobble();
        }
        return fromReals(y);
    }

    // Whether a value lies off the real axis, not by a residue of cancelling
    // operands; close to the axis either reading is acceptable.
    bool offTheRealAxis(const Value& v) {
        const Complex z = v.exact();
        if (z.imag() == 0 || v.residue()) return false;
        const double angle = std::abs(std::arg(z));
        const double off = std::min(angle, std::numbers::pi - angle);
        if (off <= kRealAxis) return false;
        if (off < kOffAxis) lenient();
        return true;
    }

    // sin ... log and exp of a value off the real axis: the principal value, degrees
    // in and out of the trigonometric functions, radians for exp.
    Value offAxisFunction(std::string_view name, const Value& z) {
        const Complex unit(0, 1);
        if (name == "arctan" || name == "arcctn") {
            const double distance =
                std::min(std::abs(z.exact() - unit), std::abs(z.exact() + unit));
            if (distance == 0) undefined(std::string(name) + " at its pole");
            if (distance < 1e-9) unreliable();
        }
        // Within rounding of a branch cut the calculator may land on either side:
        // ln and log cut along the negative reals, arcsin and arccos along the reals
        // beyond ±1, arctan and arcctn along the imaginary axis beyond ±j.
        const Complex z0 = z.exact();
        const double nearCut = kOffAxis * std::abs(z0);
        if (((name == "ln" || name == "log") && z0.real() < 0 && std::abs(z0.imag()) < nearCut) ||
            ((name == "arcsin" || name == "arccos") && std::abs(z0.real()) > 1 &&
             std::abs(z0.imag()) < nearCut) ||
            ((name == "arctan" || name == "arcctn") && std::abs(z0.imag()) > 1 &&
             std::abs(z0.real()) < nearCut))
            unreliable();
        // A phase not known to a radian (the imaginary part of exp's argument, the
        // real part of a trigonometric one) leaves the value anywhere on its circle.
        const bool exponential = name == "exp";
        if (exponential || name == "sin" || name == "cos" || name == "tan" || name == "ctn") {
            const auto phase = [&](const Complex& w) {
                return exponential ? w.imag() : radians(w.real());
            };
            double spread = 0;
            for (std::size_t k = 1; k < 3; ++k)
                spread = std::max(spread, std::abs(phase(z.track[k]) - phase(z0)));
            if (kSpreadFactor * spread > 1 || std::abs(phase(z0)) > 1e15) unreliable();
        }
        const auto toRadians = [](Complex w) { return w * (std::numbers::pi / 180); };
        const auto toDegrees = [](Complex w) { return w * (180 / std::numbers::pi); };
        Value v;
        for (std::size_t k = 0; k < 3; ++k) {
            const Complex w = z.track[k];
            Complex r;
            if (name == "sin") {
                r = std::sin(toRadians(w));
            } else if (name == "cos") {
                r = std::cos(toRadians(w));
            } else if (name == "tan") {
                r = std::tan(toRadians(w));
            } else if (name == "ctn") {
                r = 1.0 / std::tan(toRadians(w));  // cos / sin overflow far off the axis
            } else if (name == "arcsin") {
                r = toDegrees(std::asin(w));
            } else if (name == "arccos") {
                r = toDegrees(std::acos(w));
            } else if (name == "arctan") {
                r = toDegrees(std::atan(w));
            } else if (name == "arcctn") {
                // 90 - arctan w, which far from 0 is the arctangent of 1/w (plus 180
                // left of the imaginary axis) without the loss of digits.
                if (std::abs(w) > 1 && w.real() != 0) {
                    r = toDegrees(std::atan(1.0 / w)) + (w.real() > 0 ? 0.0 : 180.0);
                } else {
                    r = 90.0 - toDegrees(std::atan(w));
                }
            } else if (name == "ln") {
                r = std::log(w);
            } else if (name == "log") {
                r = std::log10(w);
            } else {  // exp
                r = std::exp(w);
            }
            v.track[k] = r;
        }
        return settle(v);
    }

    // The principal value of a power with an exponent off the real axis.
    Value complexPower(const Value& base, const Value& exponent) {
        const Complex e = exponent.exact();
        if (base.allZero()) {
            // 0^e is 0 for a positive real part; an imaginary e leaves it undefined.
            if (e.real() > kOffAxis * std::abs(e)) return constant(0);
            undefined("zero to a complex power without a positive real part");
        }
        if (base.residue()) unreliable();
        // Within rounding of the negative reals the base's angle may be ±180 degrees.
        const Complex b0 = base.exact();
        if (b0.real() < 0 && std::abs(b0.imag()) < kOffAxis * std::abs(b0)) unreliable();
        Value r;
        double phases[3] = {};
        for (std::size_t k = 0; k < 3; ++k) {
            // A negative real is at 180 degrees, whatever the sign of its zero part.
            const Complex b(base.track[k].real(), base.track[k].imag() + 0.0);
            const Complex t = exponent.track[k] * std::log(b);
            phases[k] = t.imag();
            r.track[k] = std::exp(t);
        }
        // As for exp: a phase not known to a radian leaves the value anywhere on
        // its circle.
        const double spread =
            std::max(std::abs(phases[1] - phases[0]), std::abs(phases[2] - phases[0]));
        if (kSpreadFactor * spread > 1 || std::abs(phases[0]) > 1e15) unreliable();
        return settle(r);
    }

    // The functions of a complex value: conj, abs, arg (degrees), re, im and sqrt
    // (a root of a negative or complex value, on the reading's branch).
    Value complexWord(std::string_view name, const Value& z) {
        if (name == "sqrt") return raise(z, constant(0.5));
        Value v;
        for (std::size_t k = 0; k < 3; ++k) {
            const Complex w = z.track[k];
            if (name == "conj") {
                v.track[k] = std::conj(w);
            } else if (name == "abs") {
                v.track[k] = std::abs(w);
            } else if (name == "re") {
                v.track[k] = w.real();
            } else if (name == "im") {
                v.track[k] = w.imag();
            } else {
                // A negative real is at 180 degrees, whatever the sign of its zero
                // imaginary part ("-50" is held as -50-j0).
                v.track[k] =
                    w == Complex{} ? 0.0 : degrees(std::arg(Complex(w.real(), w.imag() + 0.0)));
            }
        }
        if (name == "arg") {
            // The angle of a residue means nothing; near the negative real axis it
            // may come out as 180 or as just above -180.
            const double a = std::abs(std::arg(z.exact()));
            if (z.residue() || std::numbers::pi - a < kOffAxis) unreliable();
        }
        return settle(v);
    }

    Value factorial(const Value& v) {
        // A residue of cancelling operands (1E8*re(2ej90)) may as well be 0.
        if (v.residue()) unreliable();
        auto x = realOf(v, "factorial of a complex value");
        const double n = x[0];
        const double whole = std::round(n);
        if (std::abs(n - whole) > 1e-9 * std::max(1.0, std::abs(n)))
            undefined("factorial of a fraction");
        if (n != whole) lenient();
        if (whole < 0) undefined("factorial of a negative number");
        if (whole > 170) undefined("factorial overflow");
        double product = 1;
        for (int i = 2; i <= static_cast<int>(whole); ++i) product *= i;
        return settle(constant(product));
    }

    Value raise(const Value& base, const Value& exponent) {
        const Complex e = exponent.exact();
        if (offTheRealAxis(exponent)) return complexPower(base, exponent);
        std::array<double, 3> b{};
        if (e.imag() == 0) {
            for (std::size_t k = 0; k < 3; ++k) b[k] = exponent.track[k].real();
        } else {
            // An exponent that is real only up to rounding: a refusal is fair too.
            b = realOf(exponent, "complex exponent");
            lenient();
        }
        const double b0 = b[0];
        const Complex z = base.exact();
        if (base.allZero()) {
            if (b0 > 0) return constant(0);
            if (b0 == 0) return constant(1);
            undefined("zero to a negative power");
        }
        if (base.residue() && (b0 <= 0 || b0 != std::round(b0))) unreliable();
        Value r;
        const double angle = std::arg(z);
        const bool positiveReal =
            (z.imag() == 0 && z.real() > 0) || (z.imag() != 0 && std::abs(angle) <= kRealAxis);
        const bool whole = std::abs(b0 - std::round(b0)) <= 1e-12 * std::max(1.0, std::abs(b0));
        if (positiveReal) {
            for (std::size_t k = 0; k < 3; ++k)
                r.track[k] = std::pow(std::abs(base.track[k]), b[k]);
        } else {
            double turns = 0;
            // An exponent whole only within rounding may be taken for a fraction.
            if (whole && b0 != std::round(b0)) lenient();
            if (!whole) {
                // A fractional power of a negative or complex base: one of its roots.
                // One such power is judged on each branch; more than one are not judged.
                lenient();
                branchDependent_ = true;
                if (++branchPowers_ > 1) unreliable();
                turns = rules_.branchTurns;
            }
            for (std::size_t k = 0; k < 3; ++k) {
                const double m = std::abs(base.track[k]);
                const double a = std::arg(base.track[k]) + 2 * std::numbers::pi * turns;
                r.track[k] = std::polar(std::pow(m, b[k]), b[k] * a);
            }
        }
        return settle(r);
    }
};

}  // namespace

Meaning readMeaning(std::string_view text, const ReadingRules& rules) {
    return Reader(std::string(text), rules).read();
}

}  // namespace kalvox::meaning
