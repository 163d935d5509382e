// The operator passes: power "^", multiply/divide "*" "/", add/subtract "+" "-".
//
// Each pass repeats one cycle: the operand scan finds the leftmost operation of
// its kind, the kernel computes it, and the result is spliced back in place of
// the operands and the operator. Operators of one pass therefore evaluate
// strictly from left to right.
//
// The text is never rebuilt whole. A cycle's text is kept as three pieces: the
// settled head (`done`, text that no later cycle can change), a short piece
// spliced in by the last cycle (`front`), and the untouched rest of the input
// from `tailPos`. The head of a power or multiply/divide cycle holds no
// operator of the pass, so the next cycle's leftmost operation lies behind it:
// its scan resumes at the boundary character that closed the head, the only
// character of the head whose reading depends on what follows it. The
// add/subtract pass's left operand is always the previous result, so its text
// is always that result followed by the rest of the input.

#include "engine/operand_scan.h"

#include "engine/engine.h"

namespace kalvox {

namespace {
bool isOperatorOf(PassKind kind, char c) {
    switch (kind) {
        case PassKind::Power:
            return c == '^';
        case PassKind::MultiplyDivide:
            return c == '*' || c == '/' || c == '|';
        case PassKind::AddSubtract:
            return c == '+';
    }
    return false;
}

bool isBoundaryOf(PassKind kind, char c) {
    switch (kind) {
        case PassKind::Power:
            return c == '+' || c == '-' || c == '*' || c == '/' || c == '|';
        case PassKind::MultiplyDivide:
            return c == '+' || c == '-';
        case PassKind::AddSubtract:
            return false;
    }
    return false;
}

// Whether c is a character that none of the scan's rules names in any pass.
bool isPlain(char c) {
    switch (c) {
        case 'e':
        case 'E':
        case 'j':
        case '+':
        case '-':
        case '*':
        case '/':
        case '|':
        case '^':
            return false;
        default:
            return true;
    }
}

// A pass's operators: up to three characters (repeated where there are fewer).
struct OperatorSet {
    char a;
    char b;
    char c;
};

// Whether s holds one of the set's characters. Written without an early exit
// so that the compiler can compare many characters at once.
bool containsAnyOf(std::string_view s, OperatorSet ops) {
    bool any = false;
    for (char c : s) any |= (c == ops.a) | (c == ops.b) | (c == ops.c);
    return any;
}

// The first position from i on whose character some rule names (or the end).
std::size_t plainRunEnd(const ScanWindow& w, std::size_t i) {
    std::size_t k = i - w.base;
    const std::size_t f = w.front.size();
    while (k < f && isPlain(w.front[k])) ++k;
    if (k < f) return w.base + k;
    const char* t = w.tail.data();
    std::size_t m = k - f;
    while (m < w.tail.size() && isPlain(t[m])) ++m;
    return w.base + f + m;
}

std::size_t findLastOf(std::string_view s, OperatorSet ops) {
    for (std::size_t i = s.size(); i-- > 0;)
        if (s[i] == ops.a || s[i] == ops.b || s[i] == ops.c) return i;
    return std::string_view::npos;
}
}  // namespace

void ScanWindow::appendRange(std::string& out, std::size_t from, std::size_t to) const {
    if (from >= to) return;
    std::size_t a = from - base;
    const std::size_t b = to - base;
    if (a < front.size()) {
        const std::size_t upto = b < front.size() ? b : front.size();
        out.append(front, a, upto - a);
        a = upto;
    }
    if (a < b) out.append(tail, a - front.size(), b - a);
}

void scanOperation(const ScanWindow& w, PassKind kind, std::string& op, ScanCycle& cycle) {
    cycle.left.clear();
    cycle.right.clear();
    cycle.stop = std::string::npos;
    cycle.headEnd = w.base;
    bool right = false;   // which operand ordinary characters go to
    bool opSeen = false;  // the cycle's operator has been recognised
    const std::size_t n = w.end();
    auto selected = [&]() -> std::string& { return right ? cycle.right : cycle.left; };
    auto next = [&](std::size_t i) -> char { return i + 1 < n ? w.at(i + 1) : '\0'; };

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
            cycle.right.assign(1, '-');
            ++i;
        }
        return false;
    };

    for (std::size_t i = w.base; i < n; ++i) {
        const char c = w.at(i);
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
            if (i == 0) {
                cycle.left.assign(1, '-');  // the sign of the first number
            } else if (operatorRule(i, c)) {
                break;
            }
        } else if (isBoundaryOf(kind, c)) {
            if (opSeen) {
                cycle.stop = i;
                break;
            }
            if (next(i) == '-' || (c == '-' && i == 0)) {
                cycle.left.assign(1, '-');
                if (i != 0) {
                    cycle.headEnd = i + 1;
                    ++i;
                }
            } else {
                cycle.left.clear();
                cycle.headEnd = i + 1;
            }
        } else if (c == 'j') {
            // A sign after a coefficient's "j" ("4j-2") is an operator; after
            // any other "j" it is the sign of the imaginary part or the angle.
            const std::string& operand = selected();
            const bool coefficient =
                !operand.empty() &&
                ((operand.back() >= '0' && operand.back() <= '9') || operand.back() == '.');
            if (next(i) == '-' && !coefficient) {
                selected() += "j-";
                ++i;
            } else {
                selected() += 'j';
            }
        } else {
            // A run of characters that no rule names goes to the operand in one piece.
            const std::size_t j = plainRunEnd(w, i + 1);
            w.appendRange(selected(), i, j);
            i = j - 1;
        }
    }
}

namespace {
// The operand texts of the passes' cycles. Their storage outlives one call, so
// that operands longer than a string holds in place are not allocated again
// for every evaluation; the passes never run inside one another, and the texts
// are cleared at the start of every cycle.
ScanCycle& cycleStorage() {
    thread_local ScanCycle cycle;
    return cycle;
}

// One power or multiply/divide pass: cycles while its operators are in the text.
std::string runHeadPass(Engine& engine, std::string s, PassKind kind, OperatorSet ops) {
    if (engine.hasError()) return "";
    const std::size_t lastOperator = findLastOf(s, ops);
    if (lastOperator == std::string::npos) return s;

    std::string done;   // settled head: holds no operator of the pass
    std::string front;  // the boundary that closed the head, the last result, ...
    std::string spare;  // storage for the next front, swapped in each cycle
    std::size_t tailPos = 0;
    std::string op;
    ScanCycle& cycle = cycleStorage();
    auto operatorLeft = [&] {
        return containsAnyOf(front, ops) || (tailPos < s.size() && tailPos <= lastOperator);
    };
    while (operatorLeft()) {
        const ScanWindow w{front, std::string_view(s).substr(tailPos), done.size()};
        scanOperation(w, kind, op, cycle);
        std::string result = engine.jsjg(cycle.left, cycle.right, op);

        // New text: head, result, then the text from the stop position. The
        // head's last character stays in the piece still to be scanned.
        std::string& nextFront = spare;
        nextFront.clear();
        if (cycle.headEnd > 0) {
            w.appendRange(done, w.base, cycle.headEnd - 1);
            w.appendRange(nextFront, cycle.headEnd - 1, cycle.headEnd);
            nextFront += result;
        } else {
            nextFront.swap(result);
        }
        if (cycle.stop == std::string::npos) {
            tailPos = s.size();
        } else {
            const std::size_t k = cycle.stop - w.base;
            if (k < front.size()) {
                nextFront.append(front, k);
            } else {
                tailPos += k - front.size();
            }
        }
        front.swap(nextFront);
    }
    if (done.empty()) {
        front.append(s, tailPos);
        return front;
    }
    done += front;
    done.append(s, tailPos);
    return done;
}
}  // namespace

std::string Engine::mhsjs(std::string s) {
    return runHeadPass(*this, std::move(s), PassKind::Power, {'^', '^', '^'});
}

std::string Engine::chenfachufays(std::string s) {
    return runHeadPass(*this, std::move(s), PassKind::MultiplyDivide, {'*', '/', '|'});
}

std::string Engine::jjfys(std::string s) {
    if (hasError()) return "";
    std::string op = "+";
    if (containsAnyOf(s, {'+', '-', '-'})) {
        // Every cycle's text is the previous result followed by the rest of the
        // input from the operator that stopped the previous scan.
        std::string front;
        std::size_t tailPos = 0;
        ScanCycle& cycle = cycleStorage();
        while (true) {
            const ScanWindow w{front, std::string_view(s).substr(tailPos), 0};
            scanOperation(w, PassKind::AddSubtract, op, cycle);
            std::string result = jsjg(cycle.left, cycle.right, op);
            if (cycle.stop == std::string::npos) {
                s = std::move(result);
                break;
            }
            if (cycle.stop < front.size()) {
                result.append(front, cycle.stop);
            } else {
                tailPos += cycle.stop - front.size();
            }
            front = std::move(result);
        }
    }
    if (s.find('+') == std::string::npos) return jsjg(s, "", "+");
    return s;
}

}  // namespace kalvox
