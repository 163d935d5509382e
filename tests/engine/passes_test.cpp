#include <gtest/gtest.h>

#include "engine/engine.h"

namespace kalvox {
namespace {

struct PassCase {
    const char* name;
    const char* text;
    const char* result;
};

class AddSubtractPassTest : public testing::TestWithParam<PassCase> {};
TEST_P(AddSubtractPassTest, Evaluates) {
    Engine engine;
    EXPECT_EQ(engine.jjfys(GetParam().text), GetParam().result);
    EXPECT_FALSE(engine.hasError());
}

INSTANTIATE_TEST_SUITE_P(
    Table, AddSubtractPassTest,
    testing::Values(
        PassCase{"left_associative", "5-3-1", "1"}, PassCase{"minus_then_plus", "10-2+3", "11"},
        PassCase{"lower_exponent_sign_stays", "1e-05+1", "1.00001"},
        PassCase{"upper_exponent_sign_stays", "1E-05+1", "1.00001"},
        PassCase{"positive_exponent", "2.5e+3-1", "2499"}, PassCase{"leading_sign", "-5+3", "-2"},
        PassCase{"double_minus", "5--3", "8"}, PassCase{"plus_minus", "2+-3", "-1"},
        PassCase{"algebraic_complex", "3+j4", "5ej53.130102354156"},
        PassCase{"negative_imaginary_part", "3-j-4", "5ej53.130102354156"},
        PassCase{"signed_angle_one_operand", "5ej-30", "5ej-30.0000000000011"},
        PassCase{"plain_number", "12", "12"}, PassCase{"lone_imaginary", "j4", "4ej90"},
        PassCase{"zero_angle_folds", "5ej0", "5"}, PassCase{"lone_negative", "-5", "-5"},
        PassCase{"empty_text", "", "0"}, PassCase{"e_notation_kept", "1E+16", "1E+16"},
        PassCase{"complex_then_real", "1+j1+2", "3.16227766016838ej18.434948822922"},
        PassCase{"leading_plus", "+5", "5"}, PassCase{"dangling_plus", "5+", "5"}),
    [](const auto& info) { return std::string(info.param.name); });

class PowerPassTest : public testing::TestWithParam<PassCase> {};
TEST_P(PowerPassTest, Evaluates) {
    Engine engine;
    EXPECT_EQ(engine.mhsjs(GetParam().text), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Table, PowerPassTest,
                         testing::Values(PassCase{"left_associative", "2^3^2", "64"},
                                         PassCase{"head_kept", "2*3^2", "2*9"},
                                         PassCase{"leading_minus_binds", "-3^2", "9"},
                                         PassCase{"negative_exponent", "2^-1", "0.5"},
                                         PassCase{"minus_is_boundary", "2-3^2", "2-9"},
                                         PassCase{"sign_after_operator", "2*-3^2", "2*9"},
                                         PassCase{"no_power_unchanged", "2*3", "2*3"},
                                         PassCase{"invalid_text_unchanged", "+*", "+*"},
                                         PassCase{"missing_base", "^2", "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

class MultiplyDividePassTest : public testing::TestWithParam<PassCase> {};
TEST_P(MultiplyDividePassTest, Evaluates) {
    Engine engine;
    EXPECT_EQ(engine.chenfachufays(GetParam().text), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Table, MultiplyDividePassTest,
                         testing::Values(PassCase{"chain", "2*3*4", "24"},
                                         PassCase{"head_kept", "1-2*3", "1-6"},
                                         PassCase{"negative_factor", "2*-3", "-6"},
                                         PassCase{"head_with_signed_operand", "1--2*3", "1--6"},
                                         PassCase{"leading_sign", "-2*3", "-6"},
                                         PassCase{"exponent_operand", "1e-05*2", "2E-05"},
                                         PassCase{"signed_angle", "5ej-30*2", "10ej-30"},
                                         PassCase{"divide_left_to_right", "8/2/2", "2"},
                                         PassCase{"mixed_left_to_right", "2*3/4", "1.5"},
                                         PassCase{"power_is_ordinary", "2^2", "2^2"},
                                         PassCase{"missing_left", "*5", "0"},
                                         PassCase{"missing_right", "2*", "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Passes, ErrorInsideAPassEndsNormally) {
    Engine engine;
    engine.chenfachufays("1/0*2*3");
    EXPECT_TRUE(engine.hasError());
    EXPECT_EQ(engine.errorText, "除数为零");
}

TEST(Passes, ReturnEmptyWhenAnErrorIsSet) {
    Engine engine;
    engine.raise(kDivisionByZero);
    EXPECT_EQ(engine.jjfys("1+2"), "");
    EXPECT_EQ(engine.mhsjs("2^2"), "");
    EXPECT_EQ(engine.chenfachufays("2*2"), "");
}

}  // namespace
}  // namespace kalvox
