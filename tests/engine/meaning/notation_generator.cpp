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
constexpr std::array<std::string_view, 24> kReals = {
    "0", "1", "2", "3", "5", "10", "30", "45", "60", "90", "100", "120", "180", "270", "0.5",
    ".5", "2.5", "1E3", "1e-3", "4.7e3", "220", "0.001", "1E8", "50"};
constexpr std::array<std::string_view, 30> kComplexes = {
    "j4", "4j", "j", "j0.5", "2.5j", "J3", "0j", "j0", "5e-3j", "2ej30", "2ej-30", "ej45",
    "10ej-120", "1ej90", "2ej180", "1E-12ej30", "3ej+60", "1ej120", "1EJ-120", "4j", "j2",
    "100ej-30", "0.5ej270", "1ej360", "2ej90", "7ej-180", "ej120", "ej-120", "j3E7", "230ej-120"};
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
constexpr std::array<std::string_view, 5> kSuperscriptExponents = {
    "\u00B2", "\u00B3", "\u207B\u00B9", "\u00B9\u2070", "\u207B\u00B3"};
// Factorials, some of values that are whole only once computed.
constexpr std::array<std::string_view, 14> kFactorials = {
    "3!", "0!", "5!", "1!", "170!", "(1/3*3)!", "(0.1*30)!", "(5400/75)!", "(2+1)!",
    "(1ej360*3)!", "(j^4*4)!", "(-2ej180)!", "(10/4*2)!", "(2/3*6)!"};
constexpr std::array<std::string_view, 26> kBroken = {
    "2.5.5", "1e3e2", "4j5", "e3", "e", "j4j5", "2ej30ej40", "2ej30j", "1e5.5", "3ej1e", "*3",
    "()", "sin", "sin+1", "sinsin", "(3+)", "(*2)", "(+)", "!", "(!)", "1..2", "3ej(2)",
    "j4jj", "2ej30.5.5", "1e", "()2"};
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

std::string NotationGenerator::realNumber() { return std::string(kReals[below(kReals.size())]); }

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
    if (chance(15))
        return base + std::string(kSuperscriptExponents[below(kSuperscriptExponents.size())]);
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

std::string NotationGenerator::broken() { return std::string(kBroken[below(kBroken.size())]); }

}  // namespace kalvox::meaning
