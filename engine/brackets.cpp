// The bracket check of the front: the first bracket without its partner.

#include "engine/front.h"

namespace kalvox {

namespace {
// The check stops after this many matched pairs and reports balance.
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

std::size_t findUnpairedBracket(std::string& s) {
    int pairs = 0;
    while (s.find('(') != std::string::npos || s.find(')') != std::string::npos) {
        InnermostPair pair = findInnermost(s);
        const bool hasOpen = pair.open != std::string::npos;
        const bool hasClose = pair.close != std::string::npos;
        if (!hasOpen && hasClose) return pair.close + 1;
        if (hasOpen && !hasClose) return pair.open + 1;
        s[pair.open] = '?';
        s[pair.close] = '?';
        if (++pairs > kCheckedPairs) return 0;
    }
    return 0;
}

}  // namespace kalvox
