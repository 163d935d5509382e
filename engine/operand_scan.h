#pragma once
// The operand scan shared by the three operator passes.

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvox {

// Which operator pass is scanning.
enum class PassKind {
    Power,           // "^"; boundaries + - * /
    MultiplyDivide,  // "*" "/"; boundaries + -
    AddSubtract,     // "+" "-"; the left operand always starts the text
};

// The part of a pass's text that a cycle still has to look at: a short piece
// spliced in by the last cycle (`front`) followed by the untouched rest of the
// pass's input (`tail`). `base` is the number of characters in front of it
// that no later cycle can change; positions below are counted over the whole
// text, from 0.
struct ScanWindow {
    std::string_view front;
    std::string_view tail;
    std::size_t base = 0;

    std::size_t end() const { return base + front.size() + tail.size(); }
    char at(std::size_t i) const {
        const std::size_t k = i - base;
        return k < front.size() ? front[k] : tail[k - front.size()];
    }
    // Appends the characters at positions [from, to) to out.
    void appendRange(std::string& out, std::size_t from, std::size_t to) const;
};

// What one scan cycle found: the leftmost operation of the pass's kind.
struct ScanCycle {
    std::string left;         // left operand text
    std::string right;        // right operand text
    std::size_t headEnd = 0;  // characters before the left operand that stay in front
    std::size_t stop = 0;     // position of the character that ended the scan,
                              // npos when the scan ran to the end
};

// Scans the window and collects one operation, exactly as a scan of the whole
// text from its first character would: the characters before the window are
// the head of the previous cycle, which hold no operator of the pass, so a scan
// from the first character reaches the window's first character in the state
// that this scan starts from. `op` is the pass's operator, kept across cycles
// of one call; the scan overwrites it when it recognises an operator.
// The found operation is written to `cycle`, whose operand texts keep their
// storage from one cycle to the next.
void scanOperation(const ScanWindow& window, PassKind kind, std::string& op, ScanCycle& cycle);

}  // namespace kalvox
