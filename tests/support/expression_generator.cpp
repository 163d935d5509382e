#include "tests/support/expression_generator.h"

#include <array>
#include <string_view>

#include "engine/detail/gcc_workarounds.h"

namespace kalvox::reference {

std::uint64_t ExpressionGenerator::next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

namespace {
// The token tables, laid out by hand.
// clang-format off
constexpr std::array<std::string_view, 21> kNumbers = {
    "0", "1", "2", "3", "30", "45", "60", "90", "180", "0.5", ".5", "3.", "1e-05", "1E+16",
    "2.5e+3", "1e-5", "97", "98", "0.333333333333333", "-1", "12.75"};
constexpr std::array<std::string_view, 16> kValues = {
    "2ej30", "ej45", "5ej-30", "1ej120", "2ej180", "7ej-180", "j4", "4j", "-j4", "j", "j-4",
    "3ej", "2ej90", "1.5e-05ej30", "2ej1e-05", "0ej90"};
constexpr std::array<std::string_view, 24> kNames = {
    "arcsin", "arccos", "arctan", "arcctn", "sin", "cos", "tan", "ctn", "ln", "log", "SIN", "Cos",
    "ARCSIN", "arc", "si", "lo", "sinln", "e", "E", "J", "EJ", "x", "a", "c"};
constexpr std::array<std::string_view, 9> kOperators = {"+", "-", "*", "/", "^", "+-", "*-", "--",
                                                         "^-"};
constexpr std::array<std::string_view, 14> kOdd = {
    " ", "  ", ".", "..", "!", "?", "é", "中", "😀", "\t", "e+", "E-", "j-", "°"};
// clang-format on
}  // namespace

std::string ExpressionGenerator::expression(int maxTokens) {
    std::string s;
    const int tokens = 1 + static_cast<int>(below(static_cast<std::size_t>(maxTokens)));
    for (int t = 0; t < tokens; ++t) {
        switch (below(12)) {
            case 0:
            case 1:
                s += kNumbers[below(kNumbers.size())];
                break;
            case 2:
                s += kValues[below(kValues.size())];
                break;
            case 3:
                s += kNames[below(kNames.size())];
                break;
            case 4:
            case 5:
            case 6:
                s += kOperators[below(kOperators.size())];
                break;
            case 7:
                s += below(2) ? "(" : ")";
                break;
            case 8:
                s += kOdd[below(kOdd.size())];
                break;
            case 9: {
                // a bracketed group, so that brackets mostly pair up
                s += "(";
                s += kNumbers[below(kNumbers.size())];
                s += kOperators[below(4)];
                s += kValues[below(kValues.size())];
                s += ")";
                break;
            }
            case 10:
                s += static_cast<char>('0' + below(10));
                break;
            default:
                s += "!";
                break;
        }
    }
    return s;
}

namespace {
std::string repeatTo(std::string_view unit, std::string_view last, std::size_t length) {
    std::string body;
    while (body.size() + unit.size() + last.size() <= length) body += unit;
    body += last;
    // Leading zeros make up the exact length: "000+..." adds a zero term.
    if (body.size() + 2 <= length) body = std::string(length - body.size() - 1, '0') + "+" + body;
    return body;
}

std::string nested(std::size_t length) {
    const std::size_t depth = (length - 1) / 4;
    std::string s(depth, '(');
    s += "1";
    for (std::size_t i = 0; i < depth; ++i) {
        s += "+1)";
    }
    KALVOX_RESTRICT_WARNING_OFF
    while (s.size() < length) s.insert(depth, "0");
    KALVOX_RESTRICT_WARNING_ON
    return s;
}
}  // namespace

std::vector<LongShape> longShapes(std::size_t length) {
    return {
        {"sum", repeatTo("12.5+", "1", length)},
        {"products_and_sums", repeatTo("2*3.5+4/8-", "1", length)},
        {"power_chain", repeatTo("1^", "2", length)},
        {"nested_brackets", nested(length)},
        {"functions", repeatTo("sin30+cos60-tan45+ln2+log100-arcsin0.5+", "1", length)},
        {"factorials", repeatTo("5!+3!-", "1", length)},
        {"repairs", repeatTo("2(1) (2)j+ 3.+", "1", length)},
        {"complex_sum", repeatTo("2ej30+j4-3ej-45+", "1", length)},
    };
}

const std::vector<std::string>& tableExpressions() {
    // clang-format off
    static const std::vector<std::string> kTable = {
        // whole evaluations
        "1+2*3", "2^2*3-1", "2(1+1)(3)", "sin30+arcsin1", "3!+4!", "2*-3", "2*(-3)", "-8^(1/3)",
        "-4^0.5", "2ej30*2ej60", "2ej90*2ej90", "10/0", "-4^0.25", "ln0", "", "   ", "(1+2", "1+2)",
        "7ej180", "7ej-180", "2ej30*3+j4", "+", "-2ej90*2ej90", "0*2ej180", "1e999", "-4^1.5",
        // operator passes
        "5-3-1", "3+j4", "-5+3", "-5", "1e-05+1", "1E-05+1", "2.5e+3-1", "2+-3", "3-j-4", "5ej-30",
        "10-2+3", "5--3", "12", "5ej30", "j4", "2*3*4", "1-2*3", "1--2*3", "-2*3", "1e-05*2",
        "5ej-30*2", "2^3^2", "2*3^2", "-3^2", "2^-1", "2-3^2", "2*-3^2", "8/2/2", "2*3/4",
        "1+j1+2", "*5", "2*", "1ej90+1ej-90", "1ej120+1ej-120", "2ej90*3ej90.000000001",
        "1ej180*1ej180", "1ej-100*1ej-100", "0^0.5", "0^0.25", "0^0", "0.0^-1", "0^-1",
        // brackets
        "(()", "())", ")(", "((1+2)*3)", "((1+2)*(3+4))", "(2)", "()", "(1)+(2)", "sin(30)",
        "(2+1)!", "-(2+3)", "2-(3-5)", "2(3)", "sin(ln(2))",
        "(1)+(1)+(1)+(1)+(1)+(1)+(1)+(1)+(1)+(1)+(1)+(1)+((1)", "((((((((((((1))))))))))))",
        // repair
        "  1 + 2  ", "3+", "3+j", "j", "3*/2", "5--2", "(1)(2)", "(2)3", "j+2", "3+j-5", "j*2",
        "3.+2", "3..5", "2ej-30*3", "2+4j", "3.", "2E", "2.(3)", "2-j", "2e", "2ej", "3+-",
        // functions
        "sin30", "sin-30", "log100", "arcsin1", "arccos1", "arcsin0.5", "arcsin1.5", "arccos-2",
        "arcsin-1.5", "tan90", "tan270", "tan-90", "ctn0", "ctn180", "log-5", "ln", "sin",
        "sin1+j2", "sin2ej30", "sinj2", "5!", "0!", "-3!", "97!", "98!", "!", "sin90!", "sinln2",
        "arcsin-1", "arccos-1", "ln0+99!", "SIN30", "sin.5", "ctn1e-320",
        // conversions
        "5ej53.130102354156", "5ej-53.130102354156", "10ej180", "2.5ej180.000000001",
        "5ej179.9999",
    };
    // clang-format on
    return kTable;
}

}  // namespace kalvox::reference
