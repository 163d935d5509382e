#include "app/calc_cli.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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
        // The display options change what is printed, not the value ans stands for.
        CliCase{"engineering",
                {"--eng", "4700", "2.2E-05", "46000ej-53.130102354156"},
                "",
                0,
                "4.7k\n22\u00B5\n46kej-53.130102354156\n"},
        CliCase{"digits_round_magnitude_and_angle",
                {"--digits", "10", "10ej30", "1/3"},
                "",
                0,
                "10ej30\n0.3333333333\n"},
        CliCase{"digits_joined", {"--digits=6", "1/3"}, "", 0, "0.333333\n"},
        CliCase{"engineering_ten_digits_echo",
                {"--eng", "--digits", "10", "--echo", "1/(2*3.14159265358979*50*100E-6)"},
                "",
                0,
                "1/(2*3.14159265358979*50*100E-6)=31.83098862\n"},
        CliCase{"ans_keeps_the_full_result",
                {"--digits", "6", "2/3", "ans-0.666666"},
                "",
                0,
                "0.666667\n6.66667E-07\n"},
        CliCase{"engineering_algebraic", {"--eng", "-a", "3000+j4000"}, "", 0, "3k+j4k\n"},
        CliCase{"engineering_error_unchanged", {"--eng", "1/0"}, "", 1, "错误:除数为零。\n"},
        CliCase{"digits_not_offered", {"--digits", "7", "1"}, "", 2, ""},
        CliCase{"digits_missing", {"--digits"}, "", 2, ""},
        CliCase{"logarithm_domain_sets_exit_one",
                {"ln(-1)"},
                "",
                1,
                "错误:不能对小于等于零的值求对数。\n"},
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

TEST(CalcCli, PhasorsNeedsAFileName) {
    for (const std::vector<const char*>& args : {std::vector<const char*>{"1", "--phasors"},
                                                 std::vector<const char*>{"--phasors=", "1"}}) {
        CliRun r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("'--phasors' needs a file name"), std::string::npos);
    }
}

// Reads a file whole; "<missing>" when there is none.
std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return "<missing>";
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(CalcCli, PhasorsDrawsEveryResultNamedByItsText) {
    const std::filesystem::path svg =
        std::filesystem::temp_directory_path() / "kalvox_calc_cli_test_phasors.svg";
    std::filesystem::remove(svg);
    const std::string name = svg.string();
    // Read from standard input too; a long expression is named by its place.
    CliRun r = run({"--phasors", name.c_str()}, "230\n(230ej-120)+(0.000001*1000000)\n-j5\n");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "230\n229.501633981111ej-119.783793616253\n5ej-90\n");
    const std::string text = fileText(svg);
    std::size_t paths = 0;
    for (std::size_t p = text.find("<path"); p != std::string::npos; p = text.find("<path", p + 1))
        ++paths;
    EXPECT_EQ(paths, 3u);
    EXPECT_NE(text.find(">230 230∠0°<"), std::string::npos);
    EXPECT_NE(text.find(">#2 229.501633981111∠-119.783793616253°<"), std::string::npos);
    EXPECT_NE(text.find(">-j5 5∠-90°<"), std::string::npos);
    std::filesystem::remove(svg);
}

TEST(CalcCli, PhasorsRefusesAnUnwritableFile) {
    const std::string name =
        (std::filesystem::temp_directory_path() / "no_such_folder_kalvox" / "p.svg").string();
    CliRun r = run({"--phasors", name.c_str(), "1"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "1\n");
    EXPECT_NE(r.err.find("cannot write the phasor diagram"), std::string::npos);
}

TEST(CalcCli, HelpAndVersion) {
    CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--algebraic"), std::string::npos);
    CliRun version = run({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("kalvox-calc ", 0), 0u);
}

// A path as UTF-8, as kalvox-calc takes its arguments on every system.
std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// --open: a saved calculation read back by a script.
class CalcCliOpen : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("kalvox-calc-open-" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    // A file with these bytes; its name as the command line gives it.
    std::string file(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return utf8(path);
    }
    std::filesystem::path folder_;
};

TEST_F(CalcCliOpen, PrintsTheCalculationAndTheRegisters) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* out;
    };
    // GBK: "cos\xa6\xd5" is cosφ, "CT\xb1\xe4\xb1\xc8" is CT变比, "\xb4\xed\xce\xf3" 错误.
    const Case cases[] = {
        {"calculation only", "1+2=3\r\n", "expression\t1+2\nvalue\t3\n"},
        {"tagged and untagged registers",
         "230/(3+j4)=46ej-53.130102354156\r\nIa=230/(3+j4)=46ej-53.130102354156\r\n"
         "cos\xa6\xd5=3/5=0.6\r\nX=Y\r\n",
         "expression\t230/(3+j4)\nvalue\t46ej-53.130102354156\n"
         "register 1\tIa\t46ej-53.130102354156\nregister 2\tcosφ\t0.6\nregister 3\t\tY\n"},
        {"tag holding =, value saved as it stands",
         "1/0=\xb4\xed\xce\xf3:1\r\nU=I*R=a=b\nCT\xb1\xe4\xb1\xc8==\n",
         "expression\t1/0\nvalue\t错误:1\nregister 1\tU=I*R\tb\nregister 2\tCT变比\t\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = file("r.jsq", c.bytes);
        const CliRun r = run({"--open", name.c_str()});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CalcCliOpen, RefusedFileExitsOneWithTheReadersMessage) {
    struct Case {
        const char* name;
        std::string fileName;
        const char* because;
    };
    const Case cases[] = {
        {"missing file", utf8(folder_ / "missing.jsq"), "文件不存在"},
        {"no = in the calculation", file("a.jsq", "1+2\r\n"), "第1行没有“=”"},
        {"UTF-8 instead of GBK", file("b.jsq", "1=1\r\n电=1=1\r\n"), "第2行不是GBK编码的文本"},
        {"a folder", utf8(folder_), "这个名字是一个文件夹"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = run({"--open", c.fileName.c_str()});
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("kalvox-calc: 文件“", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.because), std::string::npos) << r.err;
    }
}

TEST_F(CalcCliOpen, UsageErrors) {
    const std::string name = file("r.jsq", "1=1\r\n");
    for (const std::vector<const char*>& args : {std::vector<const char*>{"--open"},
                                                 {"--open", name.c_str(), "1+1"},
                                                 {"--echo", "--open", name.c_str()}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Usage: kalvox-calc"), std::string::npos);
    }
}

}  // namespace
}  // namespace kalvox
