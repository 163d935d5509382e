// The function pass: elementary functions written before their argument
// ("sin30", "arccos-0.5", "log100"), then factorials ("5!").

#include <array>
#include <cmath>

#include "engine/engine.h"
#include "engine/number_text.h"

namespace kalvox {

namespace {
// Function names in search order: every inverse name before the name it contains.
constexpr std::array<std::string_view, 10> kNames = {"arcsin", "arccos", "arctan", "arcctn", "sin",
                                                     "cos",    "tan",    "ctn",    "ln",     "log"};

// Largest n whose factorial the pass computes.
constexpr double kFactorialLimit = 97;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the UTF-8 character that starts with byte c.
std::size_t charLength(unsigned char c) {
    if (c >= 0xF0) return 4;
    if (c >= 0xE0) return 3;
    if (c >= 0xC0) return 2;
    return 1;
}

double power2(double x) { return checked(std::pow(x, 2)); }

// The value of function k (0-based) at x, or the message of a failed check.
struct FunctionValue {
    std::string text;
    std::string_view error;
};

FunctionValue evaluateFunction(std::size_t k, double x) {
    const double rightAngle = 2 * std::atan(1.0);
    switch (k) {
        case 0:  // arcsin
            if (std::fabs(x) > 1) return {"", kArcsinDomain};
            if (x == 1) return {"90", {}};
            if (x == -1) return {"-90", {}};
            return {numberText(radToDeg(std::atan(checked(x / std::sqrt(1 - power2(x)))))), {}};
        case 1:  // arccos
            if (std::fabs(x) > 1) return {"", kArccosDomain};
            if (x == 1) return {"0", {}};
            if (x == -1) return {"180", {}};
            return {numberText(
                        radToDeg(rightAngle + std::atan(checked(-x / std::sqrt(1 - power2(x)))))),
                    {}};
        case 2:  // arctan
            return {numberText(radToDeg(std::atan(x))), {}};
        case 3:  // arcctn
            return {numberText(radToDeg(rightAngle - std::atan(x))), {}};
        case 4:  // sin
            return {numberText(checked(std::sin(degToRad(x)))), {}};
        case 5:  // cos
            return {numberText(checked(std::cos(degToRad(x)))), {}};
        case 6:  // tan
            if (x == 90) return {"", kTangentOf90};
            return {numberText(checked(std::tan(degToRad(x)))), {}};
        case 7: {  // ctn
            if (x == 0) return {"", kCotangentOf0};
            const double t = std::tan(degToRad(x));
            if (t == 0) throw ArithmeticFault{kDivisionByZero};
            return {numberText(checked(1 / t)), {}};
        }
        case 8:  // ln
            if (x <= 0) return {"", kLogDomain};
            return {numberText(checked(std::log(x))), {}};
        default:  // log
            if (x <= 0) return {"", kLogDomain};
            return {numberText(checked(std::log(x) / std::log(10.0))), {}};
    }
}

// Replaces every function name and its argument by the value. Returns false
// when a function failed; the failing name stays in the text.
//
// The search for the first name of the table that occurs anywhere, started
// again from "arcsin" after every function, comes down to one sweep per name
// in table order: a value spliced in starts with a digit or "-" and ends with
// a digit, so a replacement never makes a new occurrence of any name, and the
// names only get fewer. Within one name's sweep the next first occurrence lies
// behind the value just spliced in, where the text is still the input's.
bool functionStep(Engine& engine, std::string& s) {
    // Every name holds at least one of these letters.
    bool anyName = false;
    for (char c : s) anyName |= (c == 'a') | (c == 'c') | (c == 'l') | (c == 's') | (c == 't');
    if (!anyName) return true;
    std::string out;
    for (std::size_t k = 0; k < kNames.size(); ++k) {
        const std::string_view name = kNames[k];
        std::size_t p = s.find(name);
        if (p == std::string::npos) continue;
        out.clear();
        out.reserve(s.size());
        std::size_t copied = 0;  // s[0, copied) is in out
        while (p != std::string::npos) {
            // The argument: the character right after the name, whatever it is,
            // then the longest run of digits and points.
            const std::size_t argStart = p + name.size();
            std::size_t q = argStart;
            if (q < s.size()) q += charLength(static_cast<unsigned char>(s[q]));
            if (q > s.size()) q = s.size();
            while (q < s.size() && (isDigit(s[q]) || s[q] == '.')) ++q;
            const std::string_view argument(s.data() + argStart, q - argStart);
            std::string_view failure;
            try {
                FunctionValue value = evaluateFunction(k, leadingValue(argument));
                failure = value.error;
                if (failure.empty()) {
                    out.append(s, copied, p - copied);
                    out += value.text;
                    copied = q;
                }
            } catch (const ArithmeticFault& fault) {
                failure = fault.message;
            }
            if (!failure.empty()) {
                out.append(s, copied);
                s = std::move(out);
                engine.raise(failure);
                return false;
            }
            p = s.find(name, q);
        }
        out.append(s, copied);
        s.swap(out);
    }
    return true;
}

// n! for n = 0 ... 97, multiplied in rising order; 0! is written "0".
const std::array<std::string, 98>& factorialTexts() {
    static const std::array<std::string, 98> texts = [] {
        std::array<std::string, 98> t;
        double product = 1;
        // GCC 12 false positive (GCC bug 105329): -Wrestrict inside std::string.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
        t[0] = "0";
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
        for (int n = 1; n <= 97; ++n) {
            product *= n;
            t[static_cast<std::size_t>(n)] = numberText(product);
        }
        return t;
    }();
    return texts;
}

// Replaces every "n!" by n factorial, from left to right, in one sweep: the
// digits in front of each "!" are the digits at the end of the text rebuilt so
// far, which may include the value of the factorial before it.
void factorialStep(Engine& engine, std::string& s) {
    std::size_t bang = s.find('!');
    if (bang == std::string::npos) return;
    const auto& texts = factorialTexts();
    std::string out;
    out.reserve(s.size());
    std::size_t copied = 0;  // s[0, copied) is in out
    while (bang != std::string::npos) {
        out.append(s, copied, bang - copied);
        std::size_t m = out.size();
        while (m > 0 && isDigit(out[m - 1])) --m;
        const std::string_view run(out.data() + m, out.size() - m);
        const auto n = leadingNumber(run);
        if (!n || *n > kFactorialLimit) {
            out.append(s, bang);
            s = std::move(out);
            engine.raise(kFactorialOverflow);
            return;
        }
        out.resize(m);
        out += texts[static_cast<std::size_t>(*n)];
        copied = bang + 1;
        bang = s.find('!', copied);
    }
    out.append(s, copied);
    s = std::move(out);
}
}  // namespace

std::string Engine::hsjs(std::string s) {
    if (hasError()) return "";
    functionStep(*this, s);
    factorialStep(*this, s);
    return s;
}

}  // namespace kalvox
