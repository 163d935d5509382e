#pragma once
// A plain, literal rendering of the calculator's evaluation as text rewriting,
// step by step, kept with the tests as the yardstick for the engine, which
// reads a text once and parses it by precedence: both must give the same texts.
//
// Every stage here does exactly what its description says and nothing clever:
// scans restart at the first character after every change, texts are copied
// and spliced whole every cycle, the function names are searched from the first
// one after every function, and positions are counted in characters (the text
// is decoded to code points first). It is slow on long texts on purpose; it is
// only ever run by the differential test.
//
// Only the number helpers (number text, leading-number parse, rounding, angle
// conversions) and the complex functions (checked against std::complex on
// their own) are shared with the engine; the kernel, the passes, the bracket
// procedures, the repair, the function pass, the conversions, the notation
// translation with the vocabulary check and the driver are written here
// independently.

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/engine.h"

namespace kalvox::reference {

// Texts as the reference works on them: one element per character.
using Text = std::u32string;

Text decode(std::string_view utf8);
std::string encode(const Text& text);

class ReferenceEngine {
public:
    // errorFlag: 0 = no error in the current evaluation, -1 = an error was raised.
    int errorFlag = 0;
    // errorText: message of the raised error.
    std::string errorText;
    // ejToAlgebraic: direction of the next ej-j conversion, -1 = to a+jb, 0 = back.
    int ejToAlgebraic = -1;

    // The "=" key, with the same outcome conventions as kalvox::Engine::evaluate.
    Outcome evaluate(std::string_view input);

    // The steps on UTF-8 texts, each a literal rendering of its algorithm: the
    // kernel, the bracket check (0 or the 1-based position of the offending
    // bracket in characters), the repair and the ej-j conversion in the
    // direction ejToAlgebraic says.
    std::string operate(std::string_view left, std::string_view right, std::string_view op);
    std::size_t checkBrackets(std::string& s);
    std::string repaired(std::string_view s);
    std::string switchForm(std::string_view s);

    // The same on decoded texts.
    Text kernel(const Text& czs1, const Text& czs2, const Text& op);
    Text addSubtractPass(Text s);
    Text powerPass(Text s);
    Text multiplyDividePass(Text s);
    std::size_t bracketCheck(Text& s);
    Text bracketReduction(Text s);
    Text repair(Text s);
    Text functionPass(Text s);
    Text convert(Text s);
    Text wholeExpression(Text s);
    // Notation translation of pasted text, character by character.
    Text translate(const Text& s);
    // The first item outside the vocabulary (character positions); false when none.
    bool unknownItem(const Text& s, std::size_t& start, std::size_t& length);

    // The first part of a repaired text that is not well formed (character
    // positions) with its message; false when none.
    bool malformedPart(const Text& s, std::size_t& start, std::size_t& length,
                       std::string& message);

    // Records an error, as kalvox::Engine::raise does.
    void raise(std::string_view message);

    // A value at 180 degrees shown as a negative real.
    Text shownAt180(const Text& text) { return rewrite180(text); }

private:
    Text rewrite180(const Text& text);
};

}  // namespace kalvox::reference
