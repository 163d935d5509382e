#pragma once
// The evaluator's computations on value texts: the operation kernel, the
// functions, the factorial and the rounding between two steps.
//
// The rounding is one policy: every value that passes from one step to the next
// is a value text, a real with 15 significant digits ("0.333333333333333",
// "1E-05") or an exponential value as its magnitude and angle texts ("2ej30"),
// and the next step reads that text. A result is therefore the same whatever
// order independent steps run in, and the same on every platform.

#include <cstddef>
#include <string>
#include <string_view>

namespace kalvox {

// A computed value text, or the message of the refusal (then text is empty).
struct Computed {
    std::string text;
    std::string_view error;

    bool failed() const { return !error.empty(); }
};

// The operation kernel: one two-operand operation on value texts. op is one of
// "+", "-", "*", "/", "|" (the parallel connection a||b) and "^". An empty text
// reads as 0.
Computed operate(std::string_view left, std::string_view right, char op);

// The same, the result written into out (whose storage is reused); returns the
// message of the refusal, empty on success (out is then the result). out must
// not be the storage of either operand.
std::string_view operate(std::string_view left, std::string_view right, char op, std::string& out);

// A value text written again as the kernel writes a result: the value plus
// nothing. Every bracket's value and every whole evaluation ends with it.
inline Computed settled(std::string_view value) { return operate(value, {}, '+'); }

// Function `name` (its index in kFunctionNames) of the value text `argument`.
Computed applyFunction(std::size_t name, std::string_view argument);

// The phasor of a magnitude item ("2", "2e3"; "" for 1) and an angle in
// degrees that is a value text: "1ej(90+30)" is polarValue("1", "120"). An
// angle off the real axis is refused.
Computed polarValue(std::string_view magnitude, std::string_view angle);

// The factorial of a value text: a whole number from 0 to 170.
Computed factorialOf(std::string_view value);

// The value text with its sign changed: "-2" -> "2", "2ej30" -> "-2ej30".
std::string negated(std::string_view value);

}  // namespace kalvox
