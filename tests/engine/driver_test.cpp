#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"

namespace kalvox {
namespace {

// Length of UTF-8 text in UTF-16 code units, as the input box counts it.
std::size_t utf16Units(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s) {
        if ((c & 0xC0) != 0x80) n += c >= 0xF0 ? 2 : 1;
    }
    return n;
}

struct EvaluationCase {
    const char* name;
    const char* typed;
    const char* text1;
    const char* text2;
};

class EvaluationTest : public testing::TestWithParam<EvaluationCase> {};

// From typed text to both boxes, with the caret at the end of the input box.
TEST_P(EvaluationTest, FillsBothBoxes) {
    Engine engine;
    const auto& c = GetParam();
    Outcome out = engine.evaluate(c.typed);
    EXPECT_EQ(out.text1, c.text1);
    EXPECT_EQ(out.text2, c.text2);
    EXPECT_EQ(out.selectionLength, 0u);
    EXPECT_EQ(out.selectionStart, utf16Units(c.text1));
}

INSTANTIATE_TEST_SUITE_P(
    Results, EvaluationTest,
    testing::Values(
        EvaluationCase{"precedence", "1+2*3", "1+2*3", "7"},
        EvaluationCase{"power_first", "2^2*3-1", "2^2*3-1", "11"},
        EvaluationCase{"implicit_products", "2(1+1)(3)", "2*(1+1)*(3)", "12"},
        EvaluationCase{"functions_in_table_order", "sin30+arcsin1", "sin30+arcsin1", "90.5"},
        EvaluationCase{"factorials", "3!+4!", "3!+4!", "30"},
        EvaluationCase{"minus_after_times_is_a_sign", "2*-3", "2*-3", "-6"},
        EvaluationCase{"bracketed_negative", "2*(-3)", "2*(-3)", "-6"},
        EvaluationCase{"cube_root_of_negative", "-8^(1/3)", "-8^(1/3)", "-2"},
        EvaluationCase{"square_root_of_negative", "-4^0.5", "-4^0.5", "2ej90"},
        EvaluationCase{"phasor_product", "2ej30*2ej60", "2ej30*2ej60", "4ej90"},
        EvaluationCase{"phasor_product_at_180", "2ej90*2ej90", "2ej90*2ej90", "-4"},
        EvaluationCase{"example_of_the_road", "2ej30*3+j4", "2ej30*3+j4",
                       "8.71779788708135ej53.4132244463687"},
        EvaluationCase{"empty_input", "", "0", "0"}, EvaluationCase{"blank_input", "   ", "0", "0"},
        EvaluationCase{"repair_leaves_empty", "+", "", "0"},
        EvaluationCase{"final_180_rewritten", "7ej180", "7ej180", "-7"},
        EvaluationCase{"minus_180_folded_by_last_pass", "7ej-180", "7ej-180", "-7"},
        EvaluationCase{"upper_case_typed", "SIN30+2E-1", "SIN30+2E-1", "0.7"},
        EvaluationCase{"blanks_removed", " 1 + 2 ", "1+2", "3"},
        EvaluationCase{"rotation_factor", "1*ej120*ej120*ej120", "1*ej120*ej120*ej120", "1"},
        EvaluationCase{"nested_functions", "sin(ln(2))", "sin(ln(2))", "0.0120974054119822"},
        EvaluationCase{"leading_point", ".5+.5", ".5+.5", "1"},
        EvaluationCase{"negative_result_no_double_minus", "-2ej90*2ej90", "-2ej90*2ej90", "4"},
        EvaluationCase{"minus_zero_summed_to_zero", "0*2ej180", "0*2ej180", "0"},
        EvaluationCase{"twelve_bracket_pairs", "((((((((((((1))))))))))))",
                       "((((((((((((1))))))))))))", "1"},
        EvaluationCase{"full_width_translated", "１+２", "1+2", "3"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    const char* typed;
    const char* text1;
    const char* text2;
};

class EvaluationFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(EvaluationFailureTest, ShowsTheMessage) {
    Engine engine;
    const auto& c = GetParam();
    Outcome out = engine.evaluate(c.typed);
    EXPECT_EQ(out.text1, c.text1);
    EXPECT_EQ(out.text2, c.text2);
    EXPECT_TRUE(out.failed);
    EXPECT_EQ(out.text2.find("inf"), std::string::npos);
    EXPECT_EQ(out.text2.find("nan"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, EvaluationFailureTest,
    testing::Values(
        FailureCase{"division_by_zero", "10/0", "10/0", "错误:除数为零。"},
        FailureCase{"negative_below_one", "-4^0.25", "-4^0.25", "错误:不能对负数求小于1的各次方。"},
        FailureCase{"log_of_zero", "ln0", "ln0", "错误:不能对小于等于零的值求对数。"},
        FailureCase{"repaired_text_kept_on_error", "2(1/0) ", "2*(1/0)", "错误:除数为零。"},
        FailureCase{"number_too_large", "1e999", "1e999", "错误:溢出。"},
        FailureCase{"function_argument_too_large",
                    "sin99999999999999999999999999999999999999999999999999999999999999999999999999"
                    "9999999999999999999999999999999999999999999999999999999999999999999999999999"
                    "9999999999999999999999999999999999999999999999999999999999999999999999999999"
                    "9999999999999999999999999999999999999999999999999999999999999999999999999999"
                    "99999999999999999999999999999999999999999999999999",
                    "sin99999999999999999999999999999999999999999999999999999999999999999999999999"
                    "9999999999999999999999999999999999999999999999999999999999999999999999999999"
                    "9999999999999999999999999999999999999999999999999999999999999999999999999999"
                    "9999999999999999999999999999999999999999999999999999999999999999999999999999"
                    "99999999999999999999999999999999999999999999999999",
                    "错误:溢出。"},
        FailureCase{"invalid_power", "(-4)^1.5", "(-4)^1.5", "错误:无效的过程调用或参数。"},
        FailureCase{"product_overflow", "1e200*1e200", "1e200*1e200", "错误:溢出。"},
        FailureCase{"factorial_too_large", "171!", "171!", "错误:阶乘计算出现溢出。"},
        FailureCase{"unpaired_beyond_check", "(((((((((((((1)))))))))))))))",
                    "(((((((((((((1)))))))))))))))", "错误:括号不匹配。"}),
    [](const auto& info) { return std::string(info.param.name); });

struct BracketCase {
    const char* name;
    const char* typed;
    std::size_t selected;         // offset of the selected bracket, in UTF-16 code units
    const char* text1 = nullptr;  // the input box afterwards, when not the typed text
};

class BracketSelectionTest : public testing::TestWithParam<BracketCase> {};

TEST_P(BracketSelectionTest, SelectsTheOffendingBracket) {
    Engine engine;
    Outcome out = engine.evaluate(GetParam().typed);
    // The typed text is kept as it was, only translated.
    EXPECT_EQ(out.text1, GetParam().text1 ? GetParam().text1 : GetParam().typed);
    EXPECT_EQ(out.text2, "错误:括号不匹配。");
    EXPECT_EQ(out.selectionStart, GetParam().selected);
    EXPECT_EQ(out.selectionLength, 1u);
    EXPECT_TRUE(out.focusInput);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BracketSelectionTest,
    testing::Values(BracketCase{"unclosed", "(1+2", 0}, BracketCase{"unopened", "1+2)", 3},
                    BracketCase{"unrepaired_blanks_count", " 1 + 2)", 6},
                    BracketCase{"counted_in_the_translated_text", "\u30001＋２）", 4, " 1+2)"},
                    BracketCase{"after_the_text_of_pi", "π+1)", 18, "3.14159265358979+1)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Evaluation, NextEvaluationStartsClean) {
    Engine engine;
    engine.evaluate("1/0");
    Outcome out = engine.evaluate("1+1");
    EXPECT_EQ(out.text2, "2");
    EXPECT_FALSE(out.failed);
}

TEST(Evaluation, TraceNamesEveryStage) {
    Engine engine;
    std::vector<std::string> stages;
    engine.evaluate("2(1+1)", {}, [&](std::string_view name, std::string_view text) {
        stages.push_back(std::string(name) + "=" + std::string(text));
    });
    const std::vector<std::string> expected = {
        "brackets checked=2?1+1?", "normalised=2*(1+1)",
        "tokens=number \"2\" operator \"*\" open \"(\" number \"1\" operator \"+\" "
        "number \"1\" close \")\"",
        "postfix=2 1 1 + () *", "result=4"};
    EXPECT_EQ(stages, expected);
}

TEST(Evaluation, LongTextsEvaluateWithoutMisplacedSplices) {
    Engine engine;
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "1+";
    text += "1";
    EXPECT_GT(text.size(), 32767u);
    EXPECT_EQ(engine.evaluate(text).text2, "20001");
}

// Inputs that went wrong in earlier builds of the calculator.
TEST(Evaluation, RegressionInputs) {
    struct Row {
        const char* typed;
        const char* text2;
    };
    const Row rows[] = {
        {"5--3", "8"},         // two minus signs are one plus
        {"2^-1", "0.5"},       // sign after the power operator
        {"1E+16+1", "1E+16"},  // upper-case exponent keeps its sign
        {"3+j", "3.16227766016838ej18.434948822922"},
        {"2ej-30*3", "6ej-29.9999999999983"},
        {"-(2+3)", "-5"},
        {"2-(3-5)", "4"},
    };
    for (const auto& row : rows) {
        Engine engine;
        EXPECT_EQ(engine.evaluate(row.typed).text2, row.text2) << row.typed;
    }
}

}  // namespace
}  // namespace kalvox
