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
        FunctionCase{"name_alone", "sin", "0"},
        FunctionCase{"table_order_decides", "sin30+arcsin1", "0.5+90"},
        FunctionCase{"complex_behind_name", "sin1+j2", "0.0174524064372835+j2"},
        FunctionCase{"exponential_behind_name", "sin2ej30", "0.0348994967025009ej30"},
        FunctionCase{"char_after_name_always_taken", "sinj2", "0"},
        FunctionCase{"names_run_together", "sinln2", "0n2"},
        FunctionCase{"tan_minus_90_computed", "tan-90", "-618986325617924"},
        FunctionCase{"ctn180_computed", "ctn180", "-309493162808962"},
        FunctionCase{"factorial", "5!", "120"}, FunctionCase{"zero_factorial", "0!", "0"},
        FunctionCase{"two_factorials", "3!+4!", "6+24"},
        FunctionCase{"signed_factorial", "-3!", "-6"},
        FunctionCase{"factorial_97", "97!", "9.61927596824821E+151"},
        FunctionCase{"bare_bang", "!", "0"}, FunctionCase{"function_then_factorial", "sin90!", "1"},
        FunctionCase{"point_before_digits", "2.5!", "2.120"},
        FunctionCase{"non_ascii_argument", "sin中5", "0"}),
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
        FunctionErrorCase{"ln_alone", "ln", "不能对小于等于零的值求对数", "ln"},
        FunctionErrorCase{"later_functions_untouched", "ln0+log100", "不能对小于等于零的值求对数",
                          "ln0+log100"},
        FunctionErrorCase{"factorial_98", "98!", "阶乘计算出现溢出", "98!"},
        FunctionErrorCase{"factorial_message_wins", "ln0+98!", "阶乘计算出现溢出", "ln0+98!"},
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
