#pragma once
// The check after the repair: every number item is a number, and no operator,
// bracket, "!" or function name lacks its operand.

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvox {

// A refused part of a repaired text, as a byte range, with its message;
// length 0 = the text is well formed.
struct MalformedPart {
    std::size_t start = 0;
    std::size_t length = 0;
    std::string message;
};

// The first part of a repaired text that is not well formed.
MalformedPart findMalformedPart(std::string_view text);

}  // namespace kalvox
