// Expressions as engineers commonly write them: each gives the value it means
// or a refusal that selects the offending part.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/engine.h"
#include "engine/number_item.h"
#include "engine/number_text.h"

namespace kalvox {
namespace {

struct MeaningCase {
    const char* name;
    const char* typed;
    const char* text1;  // the repaired input
    const char* text2;  // the output
};

class WrittenValueTest : public testing::TestWithParam<MeaningCase> {};

TEST_P(WrittenValueTest, GivesTheValueItMeans) {
    Engine engine;
    const auto& c = GetParam();
    const Outcome out = engine.evaluate(c.typed);
    EXPECT_EQ(out.text1, c.text1);
    EXPECT_EQ(out.text2, c.text2);
    EXPECT_FALSE(out.failed) << out.text2;
}

INSTANTIATE_TEST_SUITE_P(
    Signs, WrittenValueTest,
    testing::Values(MeaningCase{"minus_after_times", "2*-3", "2*-3", "-6"},
                    MeaningCase{"two_minus_are_plus", "5--2", "5+2", "7"},
                    MeaningCase{"plus_minus_is_minus", "5+-2", "5-2", "3"},
                    MeaningCase{"plus_after_power_dropped", "2^+2", "2^2", "4"},
                    MeaningCase{"minus_after_power", "2^-2", "2^-2", "0.25"},
                    MeaningCase{"minus_after_divide", "2/-4", "2/-4", "-0.5"},
                    MeaningCase{"phasor_over_negative", "100ej-30/-2", "100ej-30/-2", "50ej150"},
                    MeaningCase{"plus_angle", "2ej+30", "2ej30", "2ej29.9999999999983"},
                    MeaningCase{"plus_at_start", "+5", "5", "5"},
                    MeaningCase{"plus_after_bracket", "(+3)", "(3)", "3"},
                    MeaningCase{"later_of_times_divide", "3*/2", "3/2", "1.5"},
                    MeaningCase{"sign_before_times_gives_way", "3-*2", "3*2", "6"},
                    MeaningCase{"sign_of_negative_bracket", "-(-3)", "-(-3)", "3"},
                    MeaningCase{"times_minus_negative_bracket", "2*-(-3)", "2*-(-3)", "6"},
                    MeaningCase{"minus_negative_bracket", "2-(-3)", "2-(-3)", "5"},
                    MeaningCase{"sign_of_negative_function", "-sin-30", "-sin-30", "0.5"},
                    MeaningCase{"sign_before_exponential", "-ej120", "-ej120",
                                "1ej-59.9999999999875"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Imaginary, WrittenValueTest,
    testing::Values(
        MeaningCase{"coefficient_before_j", "3+4j", "3+4j", "5ej53.130102354156"},
        MeaningCase{"reciprocal_of_coefficient", "1/2j", "1/2j", "0.5ej-90"},
        MeaningCase{"exponent_before_j", "5e-3j", "5e-3j", "0.005ej90"},
        MeaningCase{"zero_coefficient", "0j", "0j", "0"},
        MeaningCase{"coefficient_then_minus", "4j-2", "4j-2", "4.47213595499958ej116.565051177078"},
        MeaningCase{"signed_imaginary", "3+j-5", "3+j-5", "5.8309518948453ej-59.0362434679265"},
        MeaningCase{"bare_j_before_bracket", "1/(1+j)", "1/(1+j1)", "0.707106781186545ej-45"},
        MeaningCase{"bare_j_in_bracket", "(3+j)", "(3+j1)", "3.16227766016838ej18.434948822922"},
        MeaningCase{"bare_j_squared", "j^2", "j1^2", "-1"},
        MeaningCase{"bare_j_alone_in_bracket", "(j)", "(j1)", "1ej90"},
        MeaningCase{"bare_j_at_end", "2-j", "2-j1", "2.23606797749979ej-26.565051177078"},
        MeaningCase{"complex_bracket_then_angle", "(1+j)ej30", "(1+j1)ej30",
                    "1.4142135623731ej75.0000000000126"},
        MeaningCase{"real_bracket_then_angle", "(2)ej30", "(2)ej30", "2ej29.9999999999983"},
        MeaningCase{"small_value_keeps_its_angle", "1E-12ej30", "1E-12ej30",
                    "1E-12ej30.0000000001272"},
        MeaningCase{"small_quotient", "1/(1E8+j3E7)", "1/(1E8+j3E7)",
                    "9.57826285221147E-09ej-16.6992442341082"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    ImplicitProducts, WrittenValueTest,
    testing::Values(MeaningCase{"number_function", "2sin30", "2*sin30", "1"},
                    MeaningCase{"decibel_style", "20log100", "20*log100", "40"},
                    MeaningCase{"function_function", "sin30cos60", "sin30*cos60", "0.25"},
                    MeaningCase{"factorial_number", "3!2", "3!*2", "12"},
                    MeaningCase{"factorial_bracket", "2!(3)", "2!*(3)", "6"},
                    MeaningCase{"bracket_function", "(2)sin30", "(2)*sin30", "1"},
                    MeaningCase{"imaginary_function", "j4sin30", "j4*sin30", "2ej90"},
                    MeaningCase{"coefficient_bracket", "4j(2)", "4j*(2)", "8ej90"},
                    MeaningCase{"bracket_imaginary", "(2)j4", "(2)*j4", "8ej90"},
                    MeaningCase{"pasted_pi_between", "2π*50", "2*3.14159265358979*50",
                                "314.159265358979"},
                    MeaningCase{"pasted_pi_before", "π2", "3.14159265358979*2", "6.28318530717958"},
                    MeaningCase{"pasted_pi_after", "2π", "2*3.14159265358979", "6.28318530717958"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    FunctionsAndFactorials, WrittenValueTest,
    testing::Values(
        MeaningCase{"exponent_in_argument", "sin1e2", "sin1e2", "0.984807753012208"},
        MeaningCase{"exponential_on_the_axis", "sin2ej180", "sin2ej180", "-0.0348994967025009"},
        MeaningCase{"bracketed_exponential_on_the_axis", "cos(2ej180)", "cos(2ej180)",
                    "0.999390827019096"},
        MeaningCase{"zero_imaginary", "sinj0", "sinj0", "0"},
        MeaningCase{"zero_factorial", "0!", "0!", "1"},
        MeaningCase{"largest_factorial", "170!", "170!", "7.25741561530799E+306"},
        MeaningCase{"factorial_of_bracket", "(2+1)!", "(2+1)!", "6"},
        MeaningCase{"factorial_of_factorial", "3!!", "3!!", "720"},
        // Whole once computed, though its text lost the last digits on the way.
        MeaningCase{"factorial_of_computed_one", "(1/3*3)!", "(1/3*3)!", "1"},
        MeaningCase{"factorial_of_computed_whole", "(5400*75^-1)!", "(5400*75^-1)!",
                    "6.12344583768861E+103"},
        MeaningCase{"minus_outside_factorial", "-3!", "-3!", "-6"},
        MeaningCase{"factorial_before_power", "2^3!", "2^3!", "64"},
        MeaningCase{"far_arc_cotangent", "arcctn(1e9)", "arcctn(1e9)", "5.72957795130824E-08"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Powers, WrittenValueTest,
    testing::Values(MeaningCase{"zero_to_zero", "0^0", "0^0", "1"},
                    MeaningCase{"zero_to_fraction", "0^0.3", "0^0.3", "0"},
                    MeaningCase{"zero_squared", "0^2", "0^2", "0"},
                    MeaningCase{"negative_to_minus_one", "(-2)^-1", "(-2)^-1", "-0.5"},
                    MeaningCase{"negative_to_zero", "(-2)^0", "(-2)^0", "1"},
                    MeaningCase{"exponent_on_the_axis", "2^(2ej180)", "2^(2ej180)", "0.25"},
                    MeaningCase{"dangling_power", "5^", "5", "5"},
                    MeaningCase{"tiny_real", "1e-200", "1e-200", "1E-200"},
                    MeaningCase{"huge_sum", "1e200+1e200", "1e200+1e200", "2E+200"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* typed;
    const char* text1;    // the repaired input
    const char* message;  // the message the output box shows
    std::size_t start;    // the selection in text1 (0 = none when length is 0)
    std::size_t length;
};

class WrittenRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(WrittenRefusalTest, RefusesAndSelectsThePart) {
    Engine engine;
    const auto& c = GetParam();
    const Outcome out = engine.evaluate(c.typed);
    EXPECT_EQ(out.text1, c.text1);
    EXPECT_EQ(out.text2, errorDisplay(c.message));
    EXPECT_TRUE(out.failed);
    EXPECT_TRUE(isEngineMessage(c.message));
    if (c.length != 0) {
        EXPECT_EQ(out.selectionStart, c.start);
        EXPECT_EQ(out.selectionLength, c.length);
        EXPECT_TRUE(out.focusInput);
        EXPECT_EQ(refusedPart(c.message), std::string_view(c.text1).substr(c.start, c.length));
    } else {
        EXPECT_EQ(out.selectionLength, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MalformedNumbers, WrittenRefusalTest,
    testing::Values(
        RefusalCase{"two_points", "2.5.5", "2.5.5", "无法识别的数“2.5.5”", 0, 5},
        RefusalCase{"two_exponents", "1e3e2", "1e3e2", "无法识别的数“1e3e2”", 0, 5},
        RefusalCase{"fractional_exponent", "1e5.5", "1e5.5", "无法识别的数“1e5.5”", 0, 5},
        RefusalCase{"exponent_alone", "e3", "e3", "无法识别的数“e3”", 0, 2},
        RefusalCase{"capital_e_alone", "E", "E", "无法识别的数“E”", 0, 1},
        RefusalCase{"digits_both_sides_of_j", "4j5", "4j5", "无法识别的数“4j5”", 0, 3},
        RefusalCase{"two_imaginary_units", "j4j5", "j4j5", "无法识别的数“j4j5”", 0, 4},
        RefusalCase{"two_angles", "2ej30ej40", "2ej30ej40", "无法识别的数“2ej30ej40”", 0, 9},
        RefusalCase{"angle_then_j", "2ej30j", "2ej30j", "无法识别的数“2ej30j”", 0, 6},
        RefusalCase{"angle_left_out", "3ej", "3ej", "无法识别的数“3ej”", 0, 3},
        RefusalCase{"selected_where_it_stands", "2*1..5.5", "2*1.5.5", "无法识别的数“1.5.5”", 2,
                    5}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    MissingOperands, WrittenRefusalTest,
    testing::Values(
        RefusalCase{"operator_at_start", "*3", "*3", "缺少运算对象“*”", 0, 1},
        RefusalCase{"operator_before_close", "(3+)", "(3+)", "缺少运算对象“+”", 2, 1},
        RefusalCase{"operator_after_open", "(*2)", "(*2)", "缺少运算对象“*”", 1, 1},
        RefusalCase{"empty_brackets", "()", "()", "缺少运算对象“()”", 0, 2},
        RefusalCase{"sign_in_brackets", "(+)", "()", "缺少运算对象“()”", 0, 2},
        RefusalCase{"sign_alone_in_brackets", "(-)", "(-)", "缺少运算对象“-”", 1, 1},
        RefusalCase{"bang_alone", "!", "!", "缺少运算对象“!”", 0, 1},
        RefusalCase{"bang_after_operator", "2*!", "2*!", "缺少运算对象“!”", 2, 1},
        RefusalCase{"name_alone", "sin", "sin", "缺少运算对象“sin”", 0, 3},
        RefusalCase{"name_then_plus", "sin+1", "sin+1", "缺少运算对象“sin”", 0, 3},
        RefusalCase{"name_then_name_alone", "sinsin", "sinsin", "缺少运算对象“sin”", 3, 3},
        RefusalCase{"name_then_empty_brackets", "sin()", "sin()", "缺少运算对象“()”", 3, 2},
        RefusalCase{"power_then_times", "2^*3", "2^*3", "缺少运算对象“*”", 2, 1}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    UndefinedValues, WrittenRefusalTest,
    testing::Values(
        RefusalCase{"fractional_factorial", "0.5!", "0.5!", "只能对0到170的整数求阶乘", 0, 0},
        RefusalCase{"fraction_above_one", "3.5!", "3.5!", "只能对0到170的整数求阶乘", 0, 0},
        RefusalCase{"negative_bracket_factorial", "(-3)!", "(-3)!", "只能对0到170的整数求阶乘", 0,
                    0},
        RefusalCase{"complex_factorial", "(2ej30)!", "(2ej30)!", "只能对0到170的整数求阶乘", 0, 0},
        // A small fraction is no 0, a fraction near a whole number no whole number:
        // exp-1/1E8 is 3.7E-09, 2.35E8||1 is 0.9999999957.
        RefusalCase{"small_fraction_factorial", "(exp-1/1E8)!", "(exp-1/1E8)!",
                    "只能对0到170的整数求阶乘", 0, 0},
        RefusalCase{"typed_small_fraction_factorial", "2E-9!", "2E-9!", "只能对0到170的整数求阶乘",
                    0, 0},
        RefusalCase{"near_one_factorial", "(2.35E8||1)!", "(2.35E8||1)!",
                    "只能对0到170的整数求阶乘", 0, 0},
        RefusalCase{"near_three_factorial", "3.000000004!", "3.000000004!",
                    "只能对0到170的整数求阶乘", 0, 0},
        RefusalCase{"factorial_above_170", "171!", "171!", "阶乘计算出现溢出", 0, 0},
        RefusalCase{"logarithm_of_minus_one", "ln(-1)", "ln(-1)", "不能对小于等于零的值求对数", 0,
                    0},
        RefusalCase{"factorial_of_complex", "(1+j)!", "(1+j1)!", "只能对0到170的整数求阶乘", 0, 0},
        RefusalCase{"tangent_at_270", "tan(270)", "tan(270)", "不能对90度求正切函数", 0, 0},
        RefusalCase{"tangent_at_minus_90", "tan(-90)", "tan(-90)", "不能对90度求正切函数", 0, 0},
        RefusalCase{"tangent_rounds_to_90", "tan90.000000001", "tan90.000000001",
                    "不能对90度求正切函数", 0, 0},
        RefusalCase{"cotangent_at_180", "ctn(180)", "ctn(180)", "不能对0求余切函数", 0, 0},
        RefusalCase{"cotangent_at_minus_360", "ctn(-360)", "ctn(-360)", "不能对0求余切函数", 0, 0},
        RefusalCase{"zero_to_negative", "0^-1", "0^-1", "除数为零", 0, 0},
        RefusalCase{"zero_written_long_to_negative", "0.0^-1", "0.0^-1", "除数为零", 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The function keys in 输出求值 follow the same rules on a complex output.
struct OutputRuleCase {
    const char* name;
    FunctionKey key;
    const char* output;
    const char* shown;
};

class OutputRuleTest : public testing::TestWithParam<OutputRuleCase> {};

TEST_P(OutputRuleTest, AppliesTheRule) {
    Engine engine;
    const auto& c = GetParam();
    EXPECT_EQ(engine.applyToOutput(c.key, false, c.output).text2, c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OutputRuleTest,
    testing::Values(
        OutputRuleCase{"cosine_on_the_axis", FunctionKey::Cos, "2ej180", "0.999390827019096"},
        OutputRuleCase{"factorial_of_phasor", FunctionKey::Factorial, "5ej30",
                       "错误:只能对0到170的整数求阶乘"},
        OutputRuleCase{"factorial_of_zero", FunctionKey::Factorial, "0", "1"},
        OutputRuleCase{"factorial_of_170", FunctionKey::Factorial, "170", "7.25741561530799E+306"},
        OutputRuleCase{"square_of_phasor", FunctionKey::Square, "2ej30", "4ej60.0000000000018"}),
    [](const auto& info) { return std::string(info.param.name); });

// Number items: which are numbers.
TEST(NumberItems, WellFormedAndNot) {
    for (const char* good : {"2", "2.5", ".5", "1e3", "1E-05", "2.5e+3", "j4", "j-4", "J4", "4j",
                             "2.5e-3j", "2ej30", "2ej-30", "ej45", "1.5e-05ej30", "2ej1e-05"})
        EXPECT_TRUE(isWellFormedNumber(good)) << good;
    for (const char* bad : {"", "e", "j", "2.5.5", "1e3e2", "1e5.5", "e3", "4j5", "j4j5",
                            "2ej30ej40", "2ej30j", "3ej", "2e", "j-", "ej", "2ej-", "..5"})
        EXPECT_FALSE(isWellFormedNumber(bad)) << bad;
}

// A value text read as a real argument.
TEST(NumberItems, RealArguments) {
    struct Row {
        const char* text;
        bool real;
        double value;
    };
    for (const Row& r :
         {Row{"-30", true, -30}, Row{"2ej180", true, -2}, Row{"2ej360", true, 2},
          Row{"2ej-180.000000001", true, -2}, Row{"0ej30", true, 0}, Row{"j0", true, 0},
          Row{"-j-4", false, 0}, Row{"2ej30", false, 0}, Row{"-ej180", true, 1}}) {
        const RealArgument a = readRealArgument(r.text);
        EXPECT_EQ(a.real, r.real) << r.text;
        if (r.real) {
            EXPECT_EQ(a.value, r.value) << r.text;
        }
    }
}

// Below 0.01 the parts keep 10 significant digits for the angle; from 0.01 up
// the angle is as before.
TEST(ComplexAngle, SmallValuesKeepTheirAngle) {
    EXPECT_NEAR(complexAngle(8.66025403784439e-13, 5e-13), 30, 1e-9);
    EXPECT_NEAR(complexAngle(-1e-300, -1e-300), -135, 1e-9);
    EXPECT_EQ(complexAngle(0, 0), 0);
    EXPECT_EQ(complexAngle(0.01, 0.01), radToDeg(std::atan(1.0)));
}

}  // namespace
}  // namespace kalvox
