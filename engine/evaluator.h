#pragma once
// The evaluator: a normalised text read by the lexer, parsed by precedence with
// an explicit stack and computed on value texts.

#include <string>
#include <string_view>

#include "engine/engine.h"

namespace kalvox {

// The value of a text, or the message of its first fault.
struct Evaluation {
    std::string value;
    std::string error;  // empty: value holds the result
    // The part of the text a refusal selects, as a byte range (length 0: none).
    std::size_t errorStart = 0;
    std::size_t errorLength = 0;

    bool failed() const { return !error.empty(); }
};

// Evaluates a text that the front has let through (or one built by a function
// key). The value is as the kernel writes it; a value at 180 degrees is not yet
// shown as a negative real.
// trace, when given, sees the stages "tokens", "postfix" and "result".
Evaluation evaluateText(std::string_view text, const TraceSink* trace = nullptr);

// A value at 180 degrees shown as a negative real ("5ej180" -> "-5"); any other
// text as it is.
Evaluation shownAt180(std::string text);

}  // namespace kalvox
