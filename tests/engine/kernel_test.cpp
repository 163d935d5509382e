#include <gtest/gtest.h>

#include "engine/operations.h"

namespace kalvox {
namespace {

struct KernelCase {
    const char* name;
    const char* left;
    const char* op;
    const char* right;
    const char* result;
};

class KernelResultTest : public testing::TestWithParam<KernelCase> {};

TEST_P(KernelResultTest, GivesTheValueText) {
    const auto& c = GetParam();
    const Computed r = operate(c.left, c.right, c.op[0]);
    EXPECT_EQ(r.text, c.result);
    EXPECT_FALSE(r.failed()) << r.error;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, KernelResultTest,
    testing::Values(
        KernelCase{"phasor_product", "2ej30", "*", "3ej60", "6ej90"},
        KernelCase{"phasor_quotient", "6ej90", "/", "3ej30", "2ej60"},
        KernelCase{"product_at_180_is_negated_real", "2ej90", "*", "2ej90", "-4"},
        KernelCase{"negative_real_product", "2", "*", "-3", "-6"},
        KernelCase{"angles_not_brought_into_range", "1ej120", "*", "1ej120", "1ej240"},
        KernelCase{"ej_alone_is_magnitude_one", "ej30", "*", "2", "2ej30"},
        KernelCase{"real_quotient", "10", "/", "4", "2.5"},
        KernelCase{"real_sum", "1", "+", "2", "3"},
        KernelCase{"difference_angle_180", "3", "-", "8", "-5"},
        KernelCase{"difference_zero", "5", "-", "5", "0"},
        KernelCase{"real_plus_imaginary", "3", "+", "j4", "5ej53.130102354156"},
        KernelCase{"phasor_sum", "2ej30", "+", "3ej60", "4.83655919486294ej48.0675372919715"},
        KernelCase{"rounding_residue_shows", "1ej30", "+", "1ej30", "2ej29.9999999999983"},
        KernelCase{"conjugates_sum_to_real", "2ej30", "+", "2ej-30", "3.46410161513776"},
        KernelCase{"phasor_square", "2ej30", "^", "2", "4ej60"},
        KernelCase{"phasor_square_root", "2ej30", "^", "0.5", "1.4142135623731ej15"},
        KernelCase{"negative_phasor_square_root", "-2ej30", "^", "0.5", "1.4142135623731ej105"},
        KernelCase{"square_root_of_negative", "-4", "^", "0.5", "2ej90"},
        KernelCase{"cube_root_of_negative", "-8", "^", "0.333333333333333", "-2"},
        KernelCase{"odd_power_of_negative", "-2", "^", "3", "-8"},
        KernelCase{"negative_exponent", "2", "^", "-1", "0.5"},
        KernelCase{"even_power_of_negative", "-4", "^", "2", "16"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, KernelResultTest,
    testing::Values(
        KernelCase{"empty_angle_text", "3ej", "+", "", "3"},
        KernelCase{"bare_j_is_zero", "j", "+", "", "0"},
        KernelCase{"empty_right_keeps_real", "3", "+", "", "3"},
        KernelCase{"empty_right_keeps_negative", "-3", "+", "", "-3"},
        KernelCase{"empty_right_imaginary_to_exponential", "j4", "+", "", "4ej90"},
        KernelCase{"empty_right_shows_residue", "2ej30", "+", "", "2ej29.9999999999983"},
        KernelCase{"coefficient_before_j", "4j", "+", "", "4ej90"},
        KernelCase{"negative_imaginary", "3", "+", "-j4", "5ej-53.130102354156"},
        KernelCase{"zero_magnitude_keeps_angle", "0", "*", "2ej30", "0ej30"},
        KernelCase{"zero_at_180_is_minus_zero", "0", "*", "2ej180", "-0"},
        KernelCase{"angle_rounding_to_180", "2ej90", "*", "3ej90.000000001", "-6"},
        KernelCase{"full_turn_not_folded", "1ej180", "*", "1ej180", "1ej360"},
        KernelCase{"negative_angles_not_folded", "1ej-100", "*", "1ej-100", "1ej-200"},
        KernelCase{"negative_magnitude_at_180_no_double_minus", "-2ej90", "*", "2ej90", "4"},
        KernelCase{"unknown_operator", "2", "%", "3", "0"},
        KernelCase{"upper_case_exponent_operand", "1E-05", "*", "2", "2E-05"},
        KernelCase{"zero_base_square_root", "0", "^", "0.5", "0ej90"},
        KernelCase{"zero_base_power_one", "0", "^", "1", "0"},
        KernelCase{"blank_inside_magnitude", "- 4", "*", "1", "-4"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Kernel, CancellingSumsLeaveResidue) {
    const std::string tiny = operate("1ej90", "1ej-90", '+').text;
    EXPECT_NE(tiny, "0");
    EXPECT_NE(tiny.find("E-1"), std::string::npos) << tiny;
    const std::string negOne = operate("1ej120", "1ej-120", '+').text;
    ASSERT_EQ(negOne.substr(0, 3), "-0.") << negOne;  // -0.999999999999999x
}

struct KernelErrorCase {
    const char* name;
    const char* left;
    const char* op;
    const char* right;
    const char* message;
};

class KernelErrorTest : public testing::TestWithParam<KernelErrorCase> {};

TEST_P(KernelErrorTest, RaisesTheMessage) {
    const auto& c = GetParam();
    const Computed r = operate(c.left, c.right, c.op[0]);
    EXPECT_EQ(r.text, "");
    EXPECT_EQ(r.error, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, KernelErrorTest,
    testing::Values(
        KernelErrorCase{"division_by_zero", "1", "/", "0", "除数为零"},
        KernelErrorCase{"division_by_empty", "1", "/", "", "除数为零"},
        KernelErrorCase{"zero_to_negative_power", "0", "^", "-1", "除数为零"},
        KernelErrorCase{"negative_below_one", "-4", "^", "0.25", "不能对负数求小于1的各次方"},
        KernelErrorCase{"zero_text_not_exactly_0", "0.0", "^", "-1", "除数为零"},
        KernelErrorCase{"zero_to_imaginary_power", "0", "^", "j4", "除数为零"},
        KernelErrorCase{"negative_to_one_and_a_half", "-4", "^", "1.5", "无效的过程调用或参数"},
        KernelErrorCase{"product_overflow", "1e200", "*", "1e200", "溢出"},
        KernelErrorCase{"power_overflow", "10", "^", "400", "溢出"},
        KernelErrorCase{"sum_overflow", "1e308", "+", "1e308", "溢出"},
        KernelErrorCase{"operand_too_large", "1e999", "+", "1", "溢出"},
        KernelErrorCase{"angle_too_large", "1ej1e308", "+", "1", "溢出"},
        KernelErrorCase{"quotient_overflow", "1e300", "/", "1e-300", "溢出"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kalvox
