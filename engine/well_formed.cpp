// The check after the repair: number items and missing operands.

#include "engine/well_formed.h"

#include "engine/detail/characters.h"
#include "engine/error_messages.h"
#include "engine/function_names.h"
#include "engine/number_item.h"

namespace kalvox {

namespace {
// What the part before the current one was.
enum class Before {
    Start,     // nothing
    Open,      // "("
    Operator,  // a two-operand operator
    Sign,      // the sign of the next value
    Name,      // a function name
    Value,     // a number item, "!" or a factorial
    Close,     // ")"
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

MalformedPart missing(std::string_view s, std::size_t at, std::size_t length) {
    // The parallel operator stands as one "|" here and is named as written.
    if (s.substr(at, length) == "|") return {at, length, missingOperandMessage("||")};
    return {at, length, missingOperandMessage(s.substr(at, length))};
}
}  // namespace

MalformedPart findMalformedPart(std::string_view s) {
    const std::size_t n = s.size();
    Before before = Before::Start;
    std::size_t lastOperator = 0;  // the operator or sign that waits for its value
    auto expectsValue = [&] {
        return before == Before::Start || before == Before::Open || before == Before::Operator ||
               before == Before::Sign || before == Before::Name;
    };
    std::size_t i = 0;
    while (i < n) {
        const char c = s[i];
        if (isDigit(c) || c == '.') {
            // The common plain number "D", "D.D" or ".D", read without the
            // general rules.
            std::size_t k = i;
            bool point = false;
            bool twoPoints = false;
            while (k < n && (isDigit(s[k]) || s[k] == '.')) {
                twoPoints |= point && s[k] == '.';
                point |= s[k] == '.';
                ++k;
            }
            if (!twoPoints && s[k - 1] != '.' && (k == n || !isNumberItemChar(s[k])) &&
                expectsValue()) {
                before = Before::Value;
                i = k;
                continue;
            }
        }
        // "exp" begins with the exponent letter; a name is no number.
        if (isNumberItemChar(c) && !(isE(c) && functionNameAt(s, i) != 0)) {
            const std::size_t end = numberItemEnd(s, i);
            const std::string_view item = s.substr(i, end - i);
            if (item.size() == 1 && isJ(c) && end < n && s[end] == '(' && expectsValue()) {
                // "j(": the bracket's coefficient j.
                before = Before::Sign;
                i = end;
                continue;
            }
            // A phasor whose angle is a bracket or a function behind: "1ej(90+30)",
            // "100ej-arccos0.9". Its magnitude is a real or left out.
            if (const std::size_t ej = phasorEjEnd(s, i, end); ej != 0) {
                const std::string_view magnitude = s.substr(i, ej - 2 - i);
                const bool realMagnitude =
                    magnitude.empty() || (isWellFormedNumber(magnitude) &&
                                          magnitude.find_first_of("jJ") == std::string_view::npos);
                const bool placed =
                    expectsValue() || before == Before::Close || before == Before::Value;
                if (!realMagnitude || !placed)
                    return {i, item.size(), malformedNumberMessage(item)};
                before = ej < end ? Before::Sign : Before::Name;
                i = end;
                continue;
            }
            // After ")" or "!" only an angle may follow at once: "(2)ej30".
            const bool angleAfterValue = (before == Before::Close || before == Before::Value) &&
                                         item.size() >= 2 && isE(item[0]) && isJ(item[1]);
            if (!isWellFormedNumber(item) || (!expectsValue() && !angleAfterValue))
                return {i, item.size(), malformedNumberMessage(item)};
            before = Before::Value;
            i = end;
            continue;
        }
        if (const std::size_t name = isLetter(c) ? functionNameAt(s, i) : 0; name != 0) {
            std::size_t j = i + name;
            if (j < n && s[j] == '-') ++j;
            // The argument: a number item, a bracket, or a function with its own
            // argument (f g x is f(g(x))).
            const bool function = j < n && isLetter(s[j]) && functionNameAt(s, j) != 0;
            const bool item = j < n && isNumberItemChar(s[j]) && !function;
            if (!(item || function || (j < n && s[j] == '('))) return missing(s, i, name);
            before = Before::Name;
            i += name;
            continue;
        }
        switch (c) {
            case '(':
                if (i + 1 < n && s[i + 1] == ')') return missing(s, i, 2);
                before = Before::Open;
                break;
            case ')':
                if (expectsValue()) return missing(s, lastOperator, 1);
                before = Before::Close;
                break;
            case '!':
                if (expectsValue()) return missing(s, i, 1);
                before = Before::Value;
                break;
            case '+':
            case '-':
            case '*':
            case '/':
            case '|':
            case '^':
                if (expectsValue()) {
                    const bool sign = c == '-' && before != Before::Sign;
                    if (!sign) return missing(s, i, 1);
                    before = Before::Sign;
                } else {
                    before = Before::Operator;
                }
                lastOperator = i;
                break;
            default:
                break;
        }
        ++i;
    }
    if (n > 0 && (before == Before::Operator || before == Before::Sign))
        return missing(s, lastOperator, 1);
    return {};
}

}  // namespace kalvox
