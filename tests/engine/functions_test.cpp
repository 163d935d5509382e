#include <gtest/gtest.h>

#include "engine/engine.h"

namespace kalvox {
namespace {

struct FunctionCase {
    const char* name;
    const char* text;
    const char* result;
};

class FunctionPassTest : public testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionPassTest, Evaluates) {
    Engine engine;
    EXPECT_EQ(engine.hsjs(GetParam().text), GetParam().result);
    EXPECT_FALSE(engine.hasError()) << engine.errorText;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FunctionPassTest,
    testing::Values(
        FunctionCase{"sine", "sin30", "0.5"}, FunctionCase{"signed_argument", "sin-30", "-0.5"},
        FunctionCase{"common_log", "log100", "2"}, FunctionCase{"arcsin_one", "arcsin1", "90"},
        FunctionCase{"arccos_one", "arccos1", "0"}, FunctionCase{"arcsin_half", "arcsin0.5", "30"},
        FunctionCase{"arcsin_minus_one", "arcsin-1", "-90"},
        FunctionCase{"arccos_minus_one", "arccos-1", "180"},
        FunctionCase{"arctan_one", "arctan1", "45"}, FunctionCase{"arcctn_one", "arcctn1", "45"},
        FunctionCase{"table_order_decides", "sin30+arcsin1", "0.5+90"},
        FunctionCase{"complex_behind_name", "sin1+j2", "0.0174524064372835+j2"},
        FunctionCase{"exponential_on_the_axis", "cos2ej180", "0.999390827019096"},
        FunctionCase{"zero_imaginary_is_real", "sinj0", "0"},
        FunctionCase{"whole_item_is_the_argument", "sin1e2", "0.984807753012208"},
        FunctionCase{"tan_near_pole_computed", "tan89.9999", "572957.794594094"},
        FunctionCase{"negative_value_after_sign", "2*-sin-30", "2*0.5"},
        FunctionCase{"factorial", "5!", "120"}, FunctionCase{"zero_factorial", "0!", "1"},
        FunctionCase{"two_factorials", "3!+4!", "6+24"},
        FunctionCase{"signed_factorial", "-3!", "-6"},
        FunctionCase{"factorial_97", "97!", "9.61927596824821E+151"},
        FunctionCase{"factorial_170", "170!", "7.25741561530799E+306"},
        FunctionCase{"function_then_factorial", "sin90!", "1"},
        FunctionCase{"minus_stays_outside", "-3!", "-6"},
        FunctionCase{"factorial_of_factorial", "3!!", "720"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FunctionErrorCase {
    const char* name;
    const char* text;
    const char* message;
    const char* result;
};

class FunctionErrorTest : public testing::TestWithParam<FunctionErrorCase> {};

TEST_P(FunctionErrorTest, RaisesAndLeavesTheName) {
    Engine engine;
    EXPECT_EQ(engine.hsjs(GetParam().text), GetParam().result);
    EXPECT_TRUE(engine.hasError());
    EXPECT_EQ(engine.errorText, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FunctionErrorTest,
    testing::Values(
        FunctionErrorCase{"arcsin_range", "arcsin1.5", "不能对大于1的数求反正弦函数", "arcsin1.5"},
        FunctionErrorCase{"arcsin_negative_range", "arcsin-1.5", "不能对大于1的数求反正弦函数",
                          "arcsin-1.5"},
        FunctionErrorCase{"arccos_range", "arccos-2", "不能对大于1的数求反余弦函数", "arccos-2"},
        FunctionErrorCase{"tan90", "tan90", "不能对90度求正切函数", "tan90"},
        FunctionErrorCase{"ctn0", "ctn0", "不能对0求余切函数", "ctn0"},
        FunctionErrorCase{"ln0", "ln0", "不能对小于等于零的值求对数", "ln0"},
        FunctionErrorCase{"log_negative", "log-5", "不能对小于等于零的值求对数", "log-5"},
        FunctionErrorCase{"ln_alone", "ln", "缺少运算对象“ln”", "ln"},
        FunctionErrorCase{"later_functions_untouched", "ln0+log100", "不能对小于等于零的值求对数",
                          "ln0+log100"},
        FunctionErrorCase{"factorial_171", "171!", "阶乘计算出现溢出", "171!"},
        FunctionErrorCase{"factorial_message_wins", "ln0+171!", "阶乘计算出现溢出", "ln0+171!"},
        FunctionErrorCase{"factorial_after_function_error", "ln0+3!", "不能对小于等于零的值求对数",
                          "ln0+6"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FunctionPass, ArgumentTooLargeIsOverflow) {
    Engine engine;
    const std::string text = "sin" + std::string(400, '9');
    EXPECT_EQ(engine.hsjs(text), text);
    EXPECT_EQ(engine.errorText, "溢出");
}

TEST(FunctionPass, HugeFactorialDigitsAreRefused) {
    Engine engine;
    engine.hsjs(std::string(400, '9') + "!");
    EXPECT_EQ(engine.errorText, "阶乘计算出现溢出");
}

TEST(FunctionPass, ReturnsEmptyWhenAnErrorIsSet) {
    Engine engine;
    engine.raise(kDivisionByZero);
    EXPECT_EQ(engine.hsjs("sin30"), "");
}

}  // namespace
}  // namespace kalvox
