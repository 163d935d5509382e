#pragma once
// An independent reading of expression texts by their meaning in ordinary
// engineering mathematics: a recursive-descent evaluator over complex doubles.
// It shares nothing with the engine; it only knows the notation (angles in
// degrees, "j4", "4j" and "2ej30" as literals, SI prefixes behind numbers,
// Euler's number "e", angles that are expressions behind "ej" and "∠", the
// degree sign, implicit products, functions of one signed operand, "!" and "^").

#include <complex>
#include <string>
#include <string_view>
#include <vector>

namespace kalvox::meaning {

// The points where ordinary notation may be read two ways.
struct ReadingRules {
    bool powerRightAssociative = true;     // 2^3^2 = 2^(3^2), else (2^3)^2
    bool signBindsTighter = false;         // -3^2 and 2*-3^2 with (-3)^2, else -(3^2)
    bool implicitBindsTighter = false;     // 1/2(3) = 1/(2*3), else (1/2)*3
    bool jMinusIsLiteral = true;           // j-4 = j(-4), else j minus 4
    bool factorialInsideFunction = false;  // sin3! = sin(3!), else (sin3)!
    // Which root a fractional power of a negative or complex base takes: its angle
    // is the base's principal angle plus this many turns, times the exponent.
    int branchTurns = 0;
};

// Every combination of the rules above, with the principal root.
std::vector<ReadingRules> allReadingRules();

// What a text means.
struct Meaning {
    enum class Kind { Value, Undefined, Malformed };
    Kind kind = Kind::Malformed;
    std::complex<double> value;
    // How far the value moves when every operand and intermediate result is off
    // by one part in 1e12: the scale of the rounding a correct calculation may show.
    double sensitivity = 0;
    // The text sits on a boundary (a pole, a whole number, a real axis within
    // rounding, a repaired dangling operator): a refusal is an acceptable answer too.
    bool refusalAcceptable = false;
    // The value depends on rounding residues (a quotient by a cancelled sum) or on
    // more than one branch choice: any answer is acceptable.
    bool anyValueAcceptable = false;
    // The value holds a fractional power of a negative or complex base, so
    // other branchTurns give other roots that are as right.
    bool branchDependent = false;
    std::string reason;  // why a text is undefined or malformed
};

// Reads one text by the given rules.
Meaning readMeaning(std::string_view text, const ReadingRules& rules = {});

}  // namespace kalvox::meaning
