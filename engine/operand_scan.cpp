// The operator passes: power "^", multiply/divide "*" "/", add/subtract "+" "-".
//
// Each pass repeats one cycle: the operand scan finds the leftmost operation of
// its kind, the kernel computes it, and the result is spliced back in place of
// the operands and the operator. Operators of one pass therefore evaluate
// strictly from left to right.

#include "engine/operand_scan.h"

#include "engine/engine.h"

namespace kalvox {

namespace {
bool isOperatorOf(PassKind kind, char c) {
    switch (kind) {
        case PassKind::Power: return c == '^';
        case PassKind::MultiplyDivide: return c == '*' || c == '/';
        case PassKind::AddSubtract: return c == '+';
    }
    return false;
}

bool isBoundaryOf(PassKind kind, char c) {
    switch (kind) {
        case PassKind::Power: return c == '+' || c == '-' || c == '*' || c == '/';
        case PassKind::MultiplyDivide: return c == '+' || c == '-';
        case PassKind::AddSubtract: return false;
    }
    return false;
}

bool containsAny(const std::string& s, std::string_view chars) {
    return s.find_first_of(chars) != std::string::npos;
}
}  // namespace

ScanCycle scanOperation(std::string_view s, PassKind kind, std::string& op, std::size_t from) {
    ScanCycle cycle;
    cycle.stop = std::string::npos;
    cycle.headEnd = from;
    bool right = false;    // which operand ordinary characters go to
    bool opSeen = false;   // the cycle's operator has been recognised
    const std::size_t n = s.size();
    auto selected = [&]() -> std::string& { return right ? cycle.right : cycle.left; };
    auto next = [&](std::size_t i) -> char { return i + 1 < n ? s[i + 1] : '\0'; };

    // The operator rule: a second operator ends the scan; a "-" right after the
    // operator is the sign of the right operand.
    auto operatorRule = [&](std::size_t& i, char c) -> bool {
        if (opSeen) {
            cycle.stop = i;
            return true;
        }
        op.assign(1, c);
        opSeen = true;
        right = true;
        if (next(i) == '-') {
            cycle.right = "-";
            ++i;
        }
        return false;
    };

    for (std::size_t i = from; i < n; ++i) {
        const char c = s[i];
        if (c == 'e' || c == 'E') {
            // A sign right after an exponent letter belongs to the number.
            const char nx = next(i);
            if (nx == '+' || nx == '-') {
                selected() += 'e';
                selected() += nx;
                ++i;
            } else {
                selected() += c;
            }
        } else if (isOperatorOf(kind, c)) {
            if (operatorRule(i, c)) break;
        } else if (kind == PassKind::AddSubtract && c == '-') {
            if (opSeen) {
                cycle.stop = i;
                break;
            }
            if (i == from) {
                cycle.left = "-";  // the sign of the first number
            } else if (operatorRule(i, c)) {
                break;
            }
        } else if (isBoundaryOf(kind, c)) {
            if (opSeen) {
                cycle.stop = i;
                break;
            }
            if (next(i) == '-' || (c == '-' && i == from)) {
                cycle.left = "-";
                if (i != from) {
                    cycle.headEnd = i + 1;
                    ++i;
                }
            } else {
                cycle.left.clear();
                cycle.headEnd = i + 1;
            }
        } else if (c == 'j') {
            if (next(i) == '-') {
                selected() += "j-";
                ++i;
            } else {
                selected() += 'j';
            }
        } else {
            selected() += c;
        }
    }
    return cycle;
}

namespace {
// One power or multiply/divide pass: cycles while its operators are in the text.
std::string runHeadPass(Engine& engine, std::string s, PassKind kind, std::string_view ops) {
    if (engine.errorFlag == -1) return "";
    std::string op;
    while (containsAny(s, ops)) {
        ScanCycle cycle = scanOperation(s, kind, op);
        std::string result = engine.jsjg(cycle.left, cycle.right, op);
        std::string next = s.substr(0, cycle.headEnd);
        next += result;
        if (cycle.stop != std::string::npos) next.append(s, cycle.stop);
        s = std::move(next);
    }
    return s;
}
}  // namespace

std::string Engine::mhsjs(std::string s) { return runHeadPass(*this, std::move(s), PassKind::Power, "^"); }

std::string Engine::chenfachufays(std::string s) {
    return runHeadPass(*this, std::move(s), PassKind::MultiplyDivide, "*/");
}

std::string Engine::jjfys(std::string s) {
    if (errorFlag == -1) return "";
    std::string op = "+";
    while (containsAny(s, "+-")) {
        ScanCycle cycle = scanOperation(s, PassKind::AddSubtract, op);
        std::string result = jsjg(cycle.left, cycle.right, op);
        if (cycle.stop == std::string::npos) {
            s = std::move(result);
            break;
        }
        result.append(s, cycle.stop);
        s = std::move(result);
    }
    if (s.find('+') == std::string::npos) return jsjg(s, "", "+");
    return s;
}

}  // namespace kalvox
