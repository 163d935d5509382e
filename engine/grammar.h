#pragma once
// How Kalvox reads a text: the operators and how tightly each binds, written
// once. The README's table "How Kalvox reads a text" lists the same rules.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/lexer.h"

namespace kalvox {

// Where an operator stands: before its operand, between two, or behind one.
enum class Fixity : std::uint8_t { Prefix, Infix, Postfix };

// The step of the evaluation an operator belongs to. When a text has more than
// one fault, the one reported is the first in this order (after the faults of
// the brackets closed before), and within a step the leftmost; functions go in
// the order of kFunctionNames.
enum class Step : std::uint8_t { Functions, Factorials, Powers, Products, Sums, Settling };

struct OperatorRule {
    TokenKind kind;
    Fixity fixity;
    std::uint8_t precedence;  // higher binds tighter
    Step step;
    char kernelOperator;  // the kernel's operator of an infix one
};

// Operators bind in this order, tightest first; infix ones group from the left.
//   -  behind a function name   the argument's sign: sin-30 = sin(-30)
//   sin cos ... conj abs ...    a function of the operand behind it; f g x = f(g(x))
//   2ej ej  (before a bracket   the phasor whose angle in degrees is the operand
//            or a function)     behind: 1ej(90+30) = 1ej120, 2ej(30)^2 = (2ej30)^2
//   !                           the factorial of the value before it
//   -  where a value begins     the value's sign, before a power: -2^2 = 4, -3! = -6
//   ^                           power, left to right: 2^3^2 = 64
//   *  /  ||                    product, quotient, parallel connection
//   +  -                        sum, difference
inline constexpr std::array<OperatorRule, 11> kOperatorRules = {{
    {TokenKind::ArgumentSign, Fixity::Prefix, 7, Step::Functions, 0},
    {TokenKind::Name, Fixity::Prefix, 6, Step::Functions, 0},
    {TokenKind::Polar, Fixity::Prefix, 6, Step::Functions, 0},
    {TokenKind::Factorial, Fixity::Postfix, 5, Step::Factorials, 0},
    {TokenKind::Sign, Fixity::Prefix, 4, Step::Functions, 0},
    {TokenKind::Power, Fixity::Infix, 3, Step::Powers, '^'},
    {TokenKind::Times, Fixity::Infix, 2, Step::Products, '*'},
    {TokenKind::Divide, Fixity::Infix, 2, Step::Products, '/'},
    {TokenKind::Parallel, Fixity::Infix, 2, Step::Products, '|'},
    {TokenKind::Plus, Fixity::Infix, 1, Step::Sums, '+'},
    {TokenKind::Minus, Fixity::Infix, 1, Step::Sums, '-'},
}};

namespace detail {
inline constexpr std::size_t kTokenKinds = static_cast<std::size_t>(TokenKind::Close) + 1;

// kOperatorRules indexed by token kind: the place of its rule, or kOperatorRules.size().
constexpr std::array<std::size_t, kTokenKinds> ruleIndex() {
    std::array<std::size_t, kTokenKinds> index{};
    index.fill(kOperatorRules.size());
    for (std::size_t k = 0; k < kOperatorRules.size(); ++k)
        index[static_cast<std::size_t>(kOperatorRules[k].kind)] = k;
    return index;
}
inline constexpr std::array<std::size_t, kTokenKinds> kRuleIndex = ruleIndex();
}  // namespace detail

// The rule of an operator token; nullptr for an operand or a bracket.
constexpr const OperatorRule* operatorRule(TokenKind kind) {
    const std::size_t k = detail::kRuleIndex[static_cast<std::size_t>(kind)];
    return k < kOperatorRules.size() ? &kOperatorRules[k] : nullptr;
}

}  // namespace kalvox
