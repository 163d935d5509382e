#include "tests/engine/meaning/notation_generator.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace kalvox::meaning {

namespace {
// Concatenation by appending (g++ 12 warns wrongly about "x" + std::string).
std::string join(std::initializer_list<std::string_view> parts) {
    std::string t;
    for (auto p : parts) t.append(p);
    return t;
}

// clang-format off
constexpr std::array<std::string_view, 31> kReals = {
    "0", "1", "2", "3", "5", "10", "30", "45", "60", "90", "100", "120", "180", "270", "0.5",
    ".5", "2.5", "1E3", "1e-3", "4.7e3", "220", "0.001", "1E8", "50",
    // SI prefixes
    "4.7k", "100\u00B5", "2.2n", "10m", "1M", "3.3\u03BC", "47u"};
// Prefixes of other sizes, now and then in place of a real.
constexpr std::array<std::string_view, 5> kRarePrefixed = {"220p", "1G", "0.5T", "15k", "2.5M"};
constexpr std::array<std::string_view, 38> kComplexes = {
    "j4", "4j", "j", "j0.5", "2.5j", "J3", "0j", "j0", "5e-3j", "2ej30", "2ej-30", "ej45",
    "10ej-120", "1ej90", "2ej180", "1E-12ej30", "3ej+60", "1ej120", "1EJ-120", "4j", "j2",
    "100ej-30", "0.5ej270", "1ej360", "2ej90", "7ej-180", "ej120", "ej-120", "j3E7", "230ej-120",
    // SI prefixes on magnitudes and coefficients, "∠" for "ej"
    "j4.7k", "4.7kj", "2kej30", "1mej-45", "j10m", "10\u2220-30", "5\u2220120", "1k\u222060"};
constexpr std::array<std::string_view, 10> kFunctions = {
    "sin", "cos", "tan", "ctn", "arcsin", "arccos", "arctan", "arcctn", "ln", "log"};
// The words of complex values; "√" is pasted "sqrt".
constexpr std::array<std::string_view, 9> kComplexWords = {
    "conj", "abs", "arg", "re", "im", "sqrt", "exp", "\u221A", "CONJ"};
constexpr std::array<std::string_view, 10> kInverseArguments = {
    "0.5", "1", "0", ".2", "0.8", "-1", "1.5", "(1/2)", "(3ej180)", "j0.5"};
// Operators with the signs that may follow them.
constexpr std::array<std::string_view, 22> kOperators = {
    "+", "-", "*", "/", "+", "-", "*", "/", "*-", "/-", "--", "+-", "-+", "*+", "/+", "---",
    "+", "*", "||", "||-", "\u2225", "*||"};
constexpr std::array<std::string_view, 16> kExponents = {
    "2", "3", "-1", "+2", "-2", "0", "0.5", "j4", "(1ej90)", "(2)", "(1+1)", "-0.5",
    "(1+j)", "(0.5-j2)", "-j", "(2ej-30)"};
// Exponents written as superscripts.
constexpr std::array<std::string_view, 6> kSuperscriptExponents = {
    "\u00B2", "\u00B3", "\u207B\u00B9", "\u00B9\u2070", "\u207B\u00B3", "\u00B2\u207B\u00B9"};
// What may follow superscripts: a factor ("2²3" is 2²·3) or a refused item.
constexpr std::array<std::string_view, 8> kBehindSuperscripts = {
    "3", ".5", " 2", "j2", "\u222030", "e", "k", "!"};
// Factorials, some of values that are whole only once computed.
constexpr std::array<std::string_view, 14> kFactorials = {
    "3!", "0!", "5!", "1!", "170!", "(1/3*3)!", "(0.1*30)!", "(5400/75)!", "(2+1)!",
    "(1ej360*3)!", "(j^4*4)!", "(-2ej180)!", "(10/4*2)!", "(2/3*6)!"};
constexpr std::array<std::string_view, 35> kBroken = {
    "2.5.5", "1e3e2", "4j5", "e3", "E", "j4j5", "2ej30ej40", "2ej30j", "1e5.5", "3ej1e", "*3",
    "()", "sin", "sin+1", "sinsin", "(3+)", "(*2)", "(+)", "!", "(!)", "1..2", "E^2",
    "j4jj", "2ej30.5.5", "1e", "()2",
    // prefixes where none may stand, "e" followed by a number
    "2ej30k", "1k2", "1kk", "1.5e3k", "k", "m2", "e-1", "e+-1", "2\u222030k"};
// Euler's number as engineers write it.
constexpr std::array<std::string_view, 14> kEulerShapes = {
    "e", "e^-1", "e^(j*30*\u03C0/180)", "e^(-5m/(1k*10\u00B5))", "(2)e", "e(2)", "2*e", "ln(e)",
    "lne", "sine", "e^(1+j)", "-e", "e\u00B2", "e^(-1/(2.2k*100n))"};
// Angles that are expressions behind "ej" or "∠": brackets and functions.
constexpr std::array<std::string_view, 14> kAngleExpressions = {
    "(90+30)", "(30)", "(-45)", "(180/4)", "(30\u00B0)", "(2*60)", "arccos(0.9)", "arccos0.9",
    "arcsin(0.5)", "arctan1", "arg(3+j4)", "sin30", "sqrt(900)", "(j)"};
// Where a degree sign counts (the operand of sin ... ctn, an angle) and where it
// stands in radians (exp's operand, an exponent), unless a degree context inside
// holds it.
constexpr std::array<std::string_view, 6> kDegreeFunctions = {"sin", "cos", "tan",
                                                              "ctn", "2sin", "arcsin"};
constexpr std::array<std::string_view, 5> kDegreeArguments = {"30\u00B0", "(45\u00B0)",
                                                              "(-60\u00B0)", "90\u00B0", "0.5\u00B0"};
constexpr std::array<std::string_view, 5> kRadianOpenings = {"exp(", "e^(", "2^(", "(1+j)^(",
                                                             "exp-("};
constexpr std::array<std::string_view, 9> kRadianContents = {
    "j30\u00B0", "30\u00B0", "-j45\u00B0", "j*sin(30\u00B0)", "1ej30\u00B0", "j*cos60\u00B0",
    "2ej(45\u00B0)", "\u2220-30\u00B0", "j2"};
// clang-format on
}  // namespace

std::uint64_t NotationGenerator::next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::string NotationGenerator::text() {
    std::string t = expression(2);
    if (chance(20)) {
        // A broken piece joined by an operator, in front or behind.
        const std::string piece = broken();
        t = chance(50) ? join({piece, "+", t}) : join({t, "*", piece});
    }
    return t;
}

std::string NotationGenerator::expression(int depth) {
    std::string t = term(depth);
    const std::size_t more = below(3);
    for (std::size_t i = 0; i < more; ++i) {
        t += kOperators[below(kOperators.size())];
        t += term(depth);
    }
    return t;
}

std::string NotationGenerator::term(int depth) {
    switch (below(10)) {
        case 0:
            return power(depth);
        case 1:
        case 2:
            return implicitProduct(depth);
        case 3:
            return join({"-", operand(depth)});
        default:
            return operand(depth);
    }
}

std::string NotationGenerator::operand(int depth) {
    if (chance(15)) {
        switch (below(3)) {
            case 0:
                return euler(depth);
            case 1:
                return phasorOfAngleExpression(depth);
            default:
                return degreeSign();
        }
    }
    switch (below(depth > 0 ? 9 : 5)) {
        case 0:
        case 1:
            return realNumber();
        case 2:
        case 3:
            return number();
        case 4:
            return std::string(kFactorials[below(kFactorials.size())]);
        case 5:
        case 6:
            return function(depth - 1);
        case 7:
            return bracket(depth - 1) + (chance(25) ? "!" : "");
        default:
            return bracket(depth - 1);
    }
}

std::string NotationGenerator::realNumber() {
    if (chance(3)) return std::string(kRarePrefixed[below(kRarePrefixed.size())]);
    return std::string(kReals[below(kReals.size())]);
}

std::string NotationGenerator::number() {
    if (chance(50)) return realNumber();
    return std::string(kComplexes[below(kComplexes.size())]);
}

std::string NotationGenerator::function(int depth) {
    if (chance(35)) {
        // A word of complex values: its argument may be complex.
        const std::string_view word = kComplexWords[below(kComplexWords.size())];
        std::string arg = depth >= 0 && chance(50) ? bracket(depth) : number();
        if (chance(20) && arg[0] != '-') arg = join({"-", arg});
        return std::string(word) + arg;
    }
    const std::string_view name = kFunctions[below(kFunctions.size())];
    std::string arg;
    if (name.starts_with("arcsin") || name.starts_with("arccos")) {
        arg = kInverseArguments[below(kInverseArguments.size())];
    } else if (depth >= 0 && chance(15)) {
        arg = function(depth - 1);  // a function of a function
    } else if (depth >= 0 && chance(40)) {
        arg = bracket(depth);
    } else {
        arg = chance(70) ? realNumber() : number();  // a complex one gives its principal value
    }
    if (chance(20) && arg[0] != '-') arg = join({"-", arg});
    return std::string(name) + arg;
}

std::string NotationGenerator::bracket(int depth) {
    return join({"(", depth < 0 ? number() : expression(depth), ")"});
}

std::string NotationGenerator::power(int depth) {
    std::string base;
    switch (below(4)) {
        case 0:
            base = realNumber();
            break;
        case 1:
            base = "j";
            break;
        default:
            base = bracket(depth - 1);
    }
    if (chance(15)) {
        std::string written =
            base + std::string(kSuperscriptExponents[below(kSuperscriptExponents.size())]);
        if (chance(20)) written += kBehindSuperscripts[below(kBehindSuperscripts.size())];
        return written;
    }
    return join({base, "^", kExponents[below(kExponents.size())]});
}

std::string NotationGenerator::implicitProduct(int depth) {
    // The left side ends a value, the right side begins one without a sign; a
    // number never follows a number, which would make them one item.
    switch (below(7)) {
        case 0:
            return realNumber() + function(depth - 1);
        case 1:
            return number() + bracket(depth - 1);
        case 2:
            return bracket(depth - 1) + bracket(depth - 1);
        case 3:
            return bracket(depth - 1) + (chance(50) ? realNumber() : function(depth - 1));
        case 4:
            return std::string(chance(50) ? "3!" : "2!") + (chance(50) ? "2" : "(3)");
        case 5:
            return join({realNumber(), "π", chance(50) ? "" : "*50"});
        default:
            return std::string(chance(50) ? "j4" : "2ej30") + function(depth - 1);
    }
}

std::string NotationGenerator::euler(int depth) {
    if (depth >= 0 && chance(20)) return join({"e^", bracket(depth - 1)});  // often complex
    if (chance(20)) return join({"e^", kExponents[below(kExponents.size())]});
    return std::string(kEulerShapes[below(kEulerShapes.size())]);
}

std::string NotationGenerator::phasorOfAngleExpression(int depth) {
    std::string t = chance(25) ? "" : realNumber();
    t += chance(50) ? "ej" : "\u2220";
    if (chance(30)) t += "-";
    if (depth >= 0 && chance(20)) {
        t += chance(50) ? bracket(depth - 1) : function(depth - 1);
    } else {
        t += kAngleExpressions[below(kAngleExpressions.size())];
    }
    // Magnitude and angle make one operand: "2ej(30)^2" is (2ej30)^2.
    if (chance(15)) t += "^2";
    return t;
}

std::string NotationGenerator::degreeSign() {
    if (chance(50)) {
        return join({kRadianOpenings[below(kRadianOpenings.size())],
                     kRadianContents[below(kRadianContents.size())], ")"});
    }
    if (chance(30)) {
        // An angle with its degree sign.
        return join({chance(50) ? "2" : "", chance(50) ? "ej" : "\u2220", chance(30) ? "-" : "",
                     kDegreeArguments[below(kDegreeArguments.size())]});
    }
    return join({kDegreeFunctions[below(kDegreeFunctions.size())],
                 kDegreeArguments[below(kDegreeArguments.size())]});
}

std::string NotationGenerator::broken() { return std::string(kBroken[below(kBroken.size())]); }

}  // namespace kalvox::meaning
