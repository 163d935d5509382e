#pragma once
// The operand scan shared by the three operator passes.

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvox {

// Which operator pass is scanning.
enum class PassKind {
    Power,        // "^"; boundaries + - * /
    MultiplyDivide,  // "*" "/"; boundaries + -
    AddSubtract,  // "+" "-"; the left operand always starts the text
};

// What one scan cycle found: the leftmost operation of the pass's kind.
struct ScanCycle {
    std::string left;         // left operand text
    std::string right;        // right operand text
    std::size_t headEnd = 0;  // characters before the left operand that stay in front
    std::size_t stop = 0;     // 0-based position of the character that ended the scan,
                              // npos when the scan ran to the end
};

// Scans s from `from` (0-based) and collects one operation. `op` is the pass's
// operator, kept across cycles of one call; the scan overwrites it when it
// recognises an operator.
ScanCycle scanOperation(std::string_view s, PassKind kind, std::string& op, std::size_t from = 0);

}  // namespace kalvox
