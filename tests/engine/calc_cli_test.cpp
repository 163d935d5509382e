#include "app/calc_cli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kalvox {
namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun run(std::vector<const char*> args, const std::string& input = "") {
    args.insert(args.begin(), "kalvox-calc");
    std::istringstream in(input);
    std::ostringstream out, err;
    int code = runCalc(static_cast<int>(args.size()), args.data(), in, out, err);
    return {code, out.str(), err.str()};
}

struct CliCase {
    const char* name;
    std::vector<const char*> args;
    const char* input;
    int code;
    const char* out;
};

class CalcCliTest : public testing::TestWithParam<CliCase> {};

TEST_P(CalcCliTest, PrintsAndExits) {
    const auto& c = GetParam();
    CliRun r = run(c.args, c.input);
    EXPECT_EQ(r.code, c.code) << r.err;
    EXPECT_EQ(r.out, c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CalcCliTest,
    testing::Values(
        CliCase{"one_expression", {"1+2*3"}, "", 0, "7\n"},
        CliCase{"several_expressions", {"1+1", "2ej30*2ej60"}, "", 0, "2\n4ej90\n"},
        CliCase{"error_sets_exit_one", {"1+1", "10/0"}, "", 1, "2\n错误:除数为零。\n"},
        CliCase{"malformed_number_sets_exit_one", {"2.5.5"}, "", 1, "错误:无法识别的数“2.5.5”。\n"},
        CliCase{"missing_operand_sets_exit_one", {"--", "*3"}, "", 1, "错误:缺少运算对象“*”。\n"},
        CliCase{
            "complex_function_sets_exit_one", {"ln(3+j4)"}, "", 1, "错误:不能对复数求函数值。\n"},
        CliCase{"written_notation_read",
                {"--echo", "2sin30", "3+4j"},
                "",
                0,
                "2*sin30=1\n3+4j=5ej53.130102354156\n"},
        CliCase{"echo_shows_normalised_input", {"--echo", "2(1+1)"}, "", 0, "2*(1+1)=4\n"},
        CliCase{"algebraic", {"--algebraic", "3+j4"}, "", 0, "3+j4\n"},
        CliCase{"algebraic_short", {"-a", "2ej90*2ej90"}, "", 0, "-4\n"},
        CliCase{"algebraic_real_unchanged", {"-a", "12"}, "", 0, "12\n"},
        CliCase{"negative_expression_is_not_an_option", {"-5+3"}, "", 0, "-2\n"},
        CliCase{"imaginary_expression_is_not_an_option", {"-j4"}, "", 0, "4ej-90\n"},
        CliCase{"double_dash_ends_options", {"--", "--5"}, "", 0, "5\n"},
        CliCase{"stdin_lines", {}, "1+1\r\n2*3\n", 0, "2\n6\n"},
        CliCase{"stdin_with_echo", {"--echo"}, " 1 + 2 \n", 0, "1+2=3\n"},
        CliCase{"stdin_byte_order_mark_skipped",
                {},
                "\xEF\xBB\xBF"
                "1+1\r\n2*3\r\n",
                0,
                "2\n6\n"},
        CliCase{"byte_order_mark_only_at_the_start",
                {},
                "1\n\xEF\xBB\xBF"
                "2\n",
                1,
                "1\n错误:无法识别的输入“\xEF\xBB\xBF”。\n"},
        CliCase{"stdin_error", {}, "ln0\n", 1, "错误:不能对小于等于零的值求对数。\n"},
        CliCase{"bracket_error", {"(1+2"}, "", 1, "错误:括号不匹配。\n"},
        CliCase{"trace",
                {"--trace", "2*3"},
                "",
                0,
                "6\n  brackets checked: 2*3\n  normalised: 2*3\n"
                "  tokens: number \"2\" operator \"*\" number \"3\"\n  postfix: 2 3 *\n"
                "  result: 6\n"},
        CliCase{"phasor_notation_translated",
                {"--echo", "10∠30°"},
                "",
                0,
                "10ej30=10ej30.0000000000011\n"},
        CliCase{"unknown_function_refused", {"sinh(4)"}, "", 1, "错误:无法识别的输入“sinh”。\n"},
        // ans: the result of the expression before, in the same run.
        CliCase{"ans_from_the_argument_before",
                {"230*2", "ans/4", "conj(ans)"},
                "",
                0,
                "460\n115\n115\n"},
        CliCase{"ans_refused_first", {"ans*2", "3"}, "", 1, "错误:没有可用的上一个结果。\n3\n"},
        CliCase{"ans_refused_after_an_error",
                {"1/0", "ans+1", "2", "1/ans"},
                "",
                1,
                "错误:除数为零。\n错误:没有可用的上一个结果。\n2\n0.5\n"},
        CliCase{"ans_across_lines",
                {"--echo"},
                "3+j4\nans*2\n1/ans\n",
                0,
                "3+j4=5ej53.130102354156\n(5ej53.130102354156)*2=10ej53.130102354156\n"
                "1/(10ej53.130102354156)=0.1ej-53.130102354156\n"},
        CliCase{"ans_algebraic_keeps_its_sum",
                {"-a", "3+j4", "ans*2"},
                "",
                0,
                "3+j4\n6.00000000000001+j8\n"},
        CliCase{"power_engineering",
                {"sqrt3*400*10", "(3+j4)||(3-j4)", "re(2ej60)", "arg(-1-j1)"},
                "",
                0,
                "6928.20323027552\n4.16666666666667\n1\n-135\n"},
        CliCase{"refusal_echoes_the_translated_text",
                {"--echo", "π*x"},
                "",
                1,
                "3.14159265358979*x=错误:无法识别的输入“x”。\n"},
        CliCase{"refusal_does_not_stop_the_others",
                {"2,5+1", "（3+j4）", "１+２"},
                "",
                1,
                "错误:无法识别的输入“,”。\n5ej53.130102354156\n3\n"},
        CliCase{"stdin_pasted_lines", {}, "3+4i\r\n10÷4\n", 1, "错误:无法识别的输入“i”。\n2.5\n"},
        CliCase{"trace_shows_the_translation",
                {"--trace", "2×3"},
                "",
                0,
                "6\n  translated: 2*3\n  brackets checked: 2*3\n  normalised: 2*3\n"
                "  tokens: number \"2\" operator \"*\" number \"3\"\n  postfix: 2 3 *\n"
                "  result: 6\n"},
        CliCase{"trace_of_a_refusal",
                {"--trace", "ｐｉ"},
                "",
                1,
                "错误:无法识别的输入“pi”。\n  translated: pi\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalcCli, UnknownOptionPrintsUsageToStandardError) {
    CliRun r = run({"--bogus", "1+1"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Usage: kalvox-calc"), std::string::npos);
}

TEST(CalcCli, HelpAndVersion) {
    CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--algebraic"), std::string::npos);
    CliRun version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("kalvox-calc ", 0), 0u);
}

}  // namespace
}  // namespace kalvox
