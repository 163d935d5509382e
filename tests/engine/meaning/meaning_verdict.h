#pragma once
// Judges one answer of the calculator against every reading of its text.

#include <complex>
#include <optional>
#include <string>
#include <string_view>

namespace kalvox::meaning {

enum class Verdict {
    Agrees,             // a value within the tolerance of a reading
    RightRefusal,       // a refusal of a malformed or undefined text
    AllowedRefusal,     // a refusal where a reading sits on a boundary or reads two ways
    WrongValue,         // a value that no reading gives
    ValueForUndefined,  // a value where the meaning is undefined
    ValueForMalformed,  // a value for a text that cannot be read
    RefusedDefined,     // a refusal of a well-formed, defined text
};

// A wrong answer of either kind: a plausible number that is not the meaning, or a
// refusal of a text that has one.
bool isPlausibleButWrong(Verdict v);

std::string_view verdictName(Verdict v);

// The value of an output text: a real ("-2.5", "1E-05") or "RejA" (angle in degrees).
std::optional<std::complex<double>> outputValue(std::string_view text);

struct Judgement {
    Verdict verdict;
    std::string expected;  // what the readings say, for messages
};

// failed: the calculator refused the text; output: its output text otherwise.
Judgement judge(std::string_view text, bool failed, std::string_view output);

}  // namespace kalvox::meaning
