// Brackets: the check before evaluation (khpp) and the reduction from the
// innermost pair outwards (khys).

#include "engine/engine.h"
#include "engine/number_text.h"

namespace kalvox {

namespace {
constexpr std::string_view kBracketMismatch = "括号不匹配";
// khpp stops after this many matched pairs and reports balance.
constexpr int kCheckedPairs = 10;

struct InnermostPair {
    std::size_t open = std::string::npos;   // last "(" before the first ")"
    std::size_t close = std::string::npos;  // first ")"
};

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
    while (s.find_first_of("()") != std::string::npos) {
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
    if (errorFlag == -1) return "";
    while (s.find('(') != std::string::npos) {
        InnermostPair pair = findInnermost(s);
        if (pair.open == std::string::npos || pair.close == std::string::npos) {
            // Brackets that do not pair up (beyond what the check looks at).
            if (errorFlag == 0) raise(kBracketMismatch);
            return "";
        }
        std::string inner = s.substr(pair.open + 1, pair.close - pair.open - 1);
        lowerCase(inner);
        inner = hsjs(std::move(inner));
        lowerCase(inner);
        inner = mhsjs(std::move(inner));
        lowerCase(inner);
        inner = chenfachufays(std::move(inner));
        lowerCase(inner);
        inner = jjfys(std::move(inner));
        lowerCase(inner);
        std::string next = s.substr(0, pair.open);
        next += inner;
        next.append(s, pair.close + 1);
        s = std::move(next);
    }
    if (s.find(')') != std::string::npos) {
        if (errorFlag == 0) raise(kBracketMismatch);
        return "";
    }
    return s;
}

}  // namespace kalvox
