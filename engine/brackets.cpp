// Brackets: the check before evaluation (khpp) and the reduction from the
// innermost pair outwards (khys).

#include <vector>

#include "engine/detail/characters.h"
#include "engine/engine.h"
#include "engine/function_names.h"
#include "engine/number_item.h"
#include "engine/number_text.h"

namespace kalvox {

namespace {
// khpp stops after this many matched pairs and reports balance.
constexpr int kCheckedPairs = 10;

struct InnermostPair {
    std::size_t open = std::string::npos;   // last "(" before the first ")"
    std::size_t close = std::string::npos;  // first ")"
};

// Puts the value of a bracket where the bracket stood: out holds the text
// before "(", s[close] is its ")". A factorial right behind the bracket takes
// the whole value ("(-3)!" is the factorial of -3); a negative value behind a
// sign loses both signs ("-(-3)" is 3, "2*-(-3)" is 2*3); a complex value
// that an angle follows is multiplied by it ("(1+j)ej30").
void spliceBracketValue(Engine& engine, std::string& out, std::string& value, const std::string& s,
                        std::size_t& close) {
    if (engine.hasError()) {
        out += value;
        return;
    }
    const char after = close + 1 < s.size() ? s[close + 1] : '\0';
    if (after == '!') {
        std::string_view error;
        std::string product = factorialText(value, &error);
        if (!error.empty()) {
            engine.raise(error);
            out += value;
            return;
        }
        value.swap(product);
        ++close;
    }
    if (!value.empty() && value[0] == '-' && !out.empty() && out.back() == '-') {
        const char sign = out.size() >= 2 ? out[out.size() - 2] : '(';
        // Behind a function name the "-" is the argument's sign: the "j" of
        // "conj" and the "e" of "re" end a name, not a number.
        const bool signOfValue = sign == '(' || sign == '*' || sign == '/' || sign == '|' ||
                                 sign == '^' || functionNameEndsAt(out, out.size() - 1);
        if (signOfValue) {
            out.pop_back();
            out.append(value, 1);
            return;
        }
    }
    out += value;
    if (isE(after) && value.find('j') != std::string::npos) out += '*';
}

InnermostPair findInnermost(const std::string& s) {
    InnermostPair pair;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '(') {
            pair.open = i;
        } else if (s[i] == ')') {
            pair.close = i;
            break;
        }
    }
    return pair;
}
}  // namespace

std::size_t Engine::khpp(std::string& s) {
    int pairs = 0;
    while (s.find('(') != std::string::npos || s.find(')') != std::string::npos) {
        InnermostPair pair = findInnermost(s);
        const bool hasOpen = pair.open != std::string::npos;
        const bool hasClose = pair.close != std::string::npos;
        if (!hasOpen && hasClose) {
            raise(kBracketMismatch);
            return pair.close + 1;
        }
        if (hasOpen && !hasClose) {
            raise(kBracketMismatch);
            return pair.open + 1;
        }
        s[pair.open] = '?';
        s[pair.close] = '?';
        if (++pairs > kCheckedPairs) return 0;
    }
    return 0;
}

std::string Engine::khys(std::string s) {
    if (hasError()) return "";
    if (s.find('(') == std::string::npos) {
        if (s.find(')') == std::string::npos) return s;
        // A ")" without any "(": brackets that do not pair up.
        raise(kBracketMismatch);
        return "";
    }
    // One sweep from left to right. `out` is the text up to the current
    // character with every pair closed so far already replaced by its value;
    // `opens` holds the positions in `out` of the "(" not yet closed. The first
    // ")" of the text always closes the last "(" before it, which is the top
    // of the stack, and the value spliced in holds no bracket, so pairs are
    // reduced in the same order as by finding the innermost pair again and
    // again from the first character.
    std::string out;
    out.reserve(s.size());
    std::vector<std::size_t> opens;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '(') {
            opens.push_back(out.size());
            out += c;
        } else if (c == ')') {
            if (opens.empty()) {
                // Brackets that do not pair up (beyond what the check looks at).
                if (!hasError()) raise(kBracketMismatch);
                return "";
            }
            const std::size_t open = opens.back();
            opens.pop_back();
            std::string inner = out.substr(open + 1);
            lowerCase(inner);  // the way into the chain
            inner = passChain(std::move(inner), nullptr);
            // The value stands in the reduced text in lower case.
            lowerCase(inner);
            out.resize(open);
            spliceBracketValue(*this, out, inner, s, i);
        } else {
            out += c;
        }
    }
    if (!opens.empty()) {
        if (!hasError()) raise(kBracketMismatch);
        return "";
    }
    return out;
}

}  // namespace kalvox
