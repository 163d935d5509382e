// How Kalvox reads a text: each grammar rule and each reading that the
// grammar mends, from the typed text to both boxes and the selection.

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/error_messages.h"
#include "tests/engine/evaluation_cases.h"

namespace kalvox {
namespace {

using testing_support::ReadingCase;
using testing_support::RefusalCase;

class GrammarRuleTest : public testing::TestWithParam<ReadingCase> {};

TEST_P(GrammarRuleTest, ReadsTheTextSo) { testing_support::expectReading(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Rules, GrammarRuleTest,
    testing::Values(
        // A sign where a value begins applies before "^" and after "!".
        ReadingCase{"sign_before_power", "-2^2", "-2^2", "4"},
        ReadingCase{"sign_before_bracket_power", "-(5-7)^2", "-(5-7)^2", "4"},
        ReadingCase{"sign_before_function_power", "-sin30^2", "-sin30^2", "0.25"},
        ReadingCase{"sign_after_factorial", "-3!", "-3!", "-6"},
        ReadingCase{"sign_behind_operator", "2*-3^2", "2*-3^2", "18"},
        ReadingCase{"minus_behind_value_is_subtraction", "3-2^2", "3-2^2", "-1"},
        // "^" is taken from the left.
        ReadingCase{"power_left_to_right", "2^3^2", "2^3^2", "64"},
        ReadingCase{"signed_exponent_then_power", "2^-2^2", "2^-2^2", "0.0625"},
        // A function takes the operand behind it, then "!", "^", "*", "+".
        ReadingCase{"function_before_power", "sin30^2", "sin30^2", "0.25"},
        ReadingCase{"argument_sign", "sin-30", "sin-30", "-0.5"},
        ReadingCase{"factorial_before_power", "2^3!", "2^3!", "64"},
        ReadingCase{"factorial_of_factorial", "3!!", "3!!", "720"},
        ReadingCase{"products_before_sums", "12*34+56/78-9", "12*34+56/78-9", "399.717948717949"},
        ReadingCase{"bracket_factorial_takes_its_value", "sin(3)!", "sin(3)!", "0.104528463267653"},
        // Implicit products as they were.
        ReadingCase{"number_before_bracket", "2(3)", "2*(3)", "6"},
        ReadingCase{"implicit_product_after_quotient", "1/2(3)", "1/2*(3)", "1.5"},
        ReadingCase{"coefficient_j_before_bracket", "2j(3)", "2j*(3)", "6ej90"},
        // An angle behind a bracket: one number with a real value, a factor of a
        // complex one.
        ReadingCase{"angle_behind_real_bracket", "(2)ej30", "(2)ej30", "2ej29.9999999999983"},
        ReadingCase{"angle_behind_complex_bracket", "(1+j)ej30^2", "(1+j1)ej30^2",
                    "1.4142135623731ej104.999999999987"},
        ReadingCase{"phasor_sum", "2ej30*3+j4", "2ej30*3+j4", "8.71779788708135ej53.4132244463687"},
        ReadingCase{"function_sum", "sin30+arcsin1", "sin30+arcsin1", "90.5"}),
    [](const auto& info) { return std::string(info.param.name); });

// The readings the grammar mends: what the text means, where it was refused or
// read otherwise.
INSTANTIATE_TEST_SUITE_P(
    Mends, GrammarRuleTest,
    testing::Values(
        // A run of signs after a bare "j" is an operator; a single "-" is the
        // coefficient's sign.
        ReadingCase{"j_plus_minus", "j+-83", "j1-83", "83.0060238777885ej179.309722802135"},
        ReadingCase{"j_minus_plus", "j-+29", "j1-29", "29.0172362570938ej178.025065989118"},
        ReadingCase{"upper_case_j_plus_minus", "J+-83", "J1-83",
                    "83.0060238777885ej179.309722802135"},
        ReadingCase{"half_j_plus_minus", ".5*j+-83", ".5*j1-83",
                    "83.0015060104333ej179.654848876836"},
        ReadingCase{"j_single_minus_stays_signed", "j-4", "j-4", "4ej-90"},
        ReadingCase{"j_sign_run_before_parallel", "j---60||90", "j1-60||90",
                    "36.0138862107382ej178.408859728805"},
        ReadingCase{"sum_with_j_plus_minus", "sin100+j+-8^-46", "sin100+j1-8^-46",
                    "1.40351213403838ej45.4385485867484"},
        // f g x = f(g(x)).
        ReadingCase{"tan_of_arccos", "tan arccos 0.7", "tanarccos0.7", "1.02020406122041"},
        ReadingCase{"tan_of_arccos_joined", "tanarccos0.7", "tanarccos0.7", "1.02020406122041"},
        ReadingCase{"signed_inner_function", "sin-cos30", "sin-cos30", "-0.0151144191721904"},
        ReadingCase{"function_of_function_of_bracket", "cos arctan(3/4)", "cosarctan(3/4)", "0.8"},
        ReadingCase{"ln_of_ln", "lnln10", "lnln10", "0.834032445247958"},
        ReadingCase{"sin_of_sin", "sinsin30", "sinsin30", "0.00872653549837393"},
        ReadingCase{"sin_of_exp", "sin-exp2", "sin-exp2", "-0.128606177989746"},
        ReadingCase{"power_factor_correction", "100e3*(tan arccos 0.7 - tan arccos 0.95)",
                    "100e3*(tanarccos0.7-tanarccos0.95)", "69151.9956041547"},
        // "j(" is the bracket's imaginary coefficient, one operand as "j4" is.
        ReadingCase{"one_over_j_omega_c", "1/j(2*π*50*10E-6)", "1/j(2*3.14159265358979*50*10E-6)",
                    "318.309886183791ej-89.9999999999999"},
        ReadingCase{"j_bracket", "j(3)", "j(3)", "3ej90"},
        ReadingCase{"upper_case_j_bracket", "J(3)", "J(3)", "3ej90"},
        ReadingCase{"signed_j_bracket", "-j(3)", "-j(3)", "3ej-90"},
        ReadingCase{"j_bracket_is_one_operand", "j(3)^2", "j(3)^2", "-9"},
        ReadingCase{"j_bracket_of_complex", "j(2+j)", "j(2+j1)",
                    "2.23606797749979ej116.565051177078"},
        ReadingCase{"factorial_after_positive_function", "sin90!", "sin90!", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

class GrammarRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(GrammarRefusalTest, RefusesAndSelects) { testing_support::expectRefusal(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Table, GrammarRefusalTest,
    testing::Values(
        // A factorial after a function takes the function's value, sign and all.
        RefusalCase{"factorial_of_negative_sine", "5*sin-90!", "5*sin-90!",
                    "只能对0到170的整数求阶乘", 0, 0},
        RefusalCase{"factorial_of_negative_cosine", "cos180!", "cos180!",
                    "只能对0到170的整数求阶乘", 0, 0},
        RefusalCase{"factorial_of_a_sine", "sin30!", "sin30!", "只能对0到170的整数求阶乘", 0, 0},
        // A name still needs something behind it.
        RefusalCase{"name_alone", "sin", "sin", "缺少运算对象“sin”", 0, 3},
        RefusalCase{"name_then_plus", "sin+", "sin", "缺少运算对象“sin”", 0, 3},
        RefusalCase{"name_then_empty_bracket", "sin()", "sin()", "缺少运算对象“()”", 3, 2},
        RefusalCase{"name_then_name_alone", "sin sin", "sinsin", "缺少运算对象“sin”", 3, 3},
        RefusalCase{"j_empty_bracket", "j()", "j()", "缺少运算对象“()”", 1, 2},
        RefusalCase{"j_open_bracket", "j(", "j(", "括号不匹配", 1, 1},
        // With several faults the first in the order of the steps is reported:
        // an inner bracket first, then functions, factorials, powers, products, sums.
        RefusalCase{"inner_bracket_first", "ln0+(1/0)", "ln0+(1/0)", "除数为零", 0, 0},
        RefusalCase{"functions_before_quotients", "1/0+ln0", "1/0+ln0",
                    "不能对小于等于零的值求对数", 0, 0},
        RefusalCase{"functions_in_table_order", "ln0+arcsin2", "ln0+arcsin2",
                    "不能对大于1的数求反正弦函数", 0, 0},
        RefusalCase{"powers_before_products", "1/0*(-4)^0.5^0.5", "1/0*(-4)^0.5^0.5", "除数为零", 0,
                    0},
        RefusalCase{"factorial_of_complex", "(3+j4)!", "(3+j4)!", "只能对0到170的整数求阶乘", 0,
                    0}),
    [](const auto& info) { return std::string(info.param.name); });

// Deep brackets are read on the evaluator's own stacks, never the call stack.
TEST(GrammarDepth, HundredThousandNestedBrackets) {
    constexpr std::size_t kDepth = 100000;
    std::string text(kDepth, '(');
    text += "2";
    text.append(kDepth, ')');
    text += "^2";
    const Outcome out = Engine().evaluate(text);
    EXPECT_EQ(out.text2, "4");
    EXPECT_EQ(out.text1.size(), text.size());
}

TEST(GrammarDepth, HundredThousandNestedFunctions) {
    std::string text;
    for (int i = 0; i < 100000; ++i) text += "sqrt";
    text += "1";
    EXPECT_EQ(Engine().evaluate(text).text2, "1");
}

TEST(GrammarDepth, DeepBracketsWithAFaultInside) {
    constexpr std::size_t kDepth = 100000;
    std::string text(kDepth, '(');
    text += "1/0";
    text.append(kDepth, ')');
    EXPECT_EQ(Engine().evaluate(text).text2, errorDisplay(kDivisionByZero));
}

}  // namespace
}  // namespace kalvox
