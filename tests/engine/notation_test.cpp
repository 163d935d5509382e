// The front step of the "=" key: pasted notation is translated, and whatever
// lies outside the calculator's vocabulary is refused with the item selected.

#include "engine/notation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"

namespace kalvox {
namespace {

struct TranslatedCase {
    const char* name;
    const char* pasted;
    const char* ascii;  // the same expression as typing writes it
    const char* text1;
    const char* text2;
};

class TranslatedInputTest : public testing::TestWithParam<TranslatedCase> {};

// A translated text evaluates exactly as its ASCII spelling does.
TEST_P(TranslatedInputTest, EvaluatesAsTheAsciiSpelling) {
    const auto& c = GetParam();
    EXPECT_EQ(translateNotation(c.pasted), c.ascii);
    Engine engine;
    const Outcome out = engine.evaluate(c.pasted);
    EXPECT_EQ(out.text1, c.text1);
    EXPECT_EQ(out.text2, c.text2);
    EXPECT_FALSE(out.failed);
    EXPECT_EQ(out.selectionStart, out.text1.size());  // caret at the end (ASCII only)
    EXPECT_EQ(out.selectionLength, 0u);
    Engine typed;
    const Outcome same = typed.evaluate(c.ascii);
    EXPECT_EQ(same.text1, out.text1);
    EXPECT_EQ(same.text2, out.text2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TranslatedInputTest,
    testing::Values(
        TranslatedCase{"phasor_angle_and_degree", "10∠30°", "10ej30", "10ej30",
                       "10ej30.0000000000011"},
        TranslatedCase{"angle_sign_without_degree", "2∠-45", "2ej-45", "2ej-45", "2ej-45"},
        TranslatedCase{"degree_after_function", "sin30°", "sin30", "sin30", "0.5"},
        TranslatedCase{"full_width_brackets_and_digit", "（3+j4）*２", "(3+j4)*2", "(3+j4)*2",
                       "10ej53.130102354156"},
        TranslatedCase{"full_width_digits", "１+２", "1+2", "1+2", "3"},
        TranslatedCase{"full_width_function_name", "ｓｉｎ３０", "sin30", "sin30", "0.5"},
        TranslatedCase{"full_width_capitals_kept_upper", "ＳＩＮ３０", "SIN30", "SIN30", "0.5"},
        TranslatedCase{"full_width_operators", "（1＋j1）＊2－1／2", "(1+j1)*2-1/2", "(1+j1)*2-1/2",
                       "2.50000000000001ej53.130102354156"},
        TranslatedCase{"full_width_power_and_factorial", "２＾１０+３！", "2^10+3!", "2^10+3!",
                       "1030"},
        TranslatedCase{"ideographic_blank", "1　+　2", "1 + 2", "1+2", "3"},
        TranslatedCase{"no_break_blank", "2\u00A0*\u00A03", "2 * 3", "2*3", "6"},
        TranslatedCase{"only_an_ideographic_blank", "　", " ", "0", "0"},
        TranslatedCase{"multiplication_sign", "3×4", "3*4", "3*4", "12"},
        TranslatedCase{"middle_dot", "2·5", "2*5", "2*5", "10"},
        TranslatedCase{"dot_operator", "2⋅j4", "2*j4", "2*j4", "8ej90"},
        TranslatedCase{"division_sign", "10÷4", "10/4", "10/4", "2.5"},
        TranslatedCase{"minus_sign", "5−8", "5-8", "5-8", "-3"},
        TranslatedCase{"pi_as_the_key_inserts", "2*π", "2*3.14159265358979", "2*3.14159265358979",
                       "6.28318530717958"},
        TranslatedCase{"ideographic_full_stop", "1。5+1", "1.5+1", "1.5+1", "2.5"},
        TranslatedCase{"everything_mixed", "（1＋j1）×2∠45°−π÷π",
                       "(1+j1)*2ej45-3.14159265358979/3.14159265358979",
                       "(1+j1)*2ej45-3.14159265358979/3.14159265358979",
                       "3.00000000000001ej109.471220634492"},
        TranslatedCase{"coefficient_before_j_kept", "3+4j", "3+4j", "3+4j", "5ej53.130102354156"},
        TranslatedCase{"minus_after_times_kept", "2*-3", "2*-3", "2*-3", "-6"},
        TranslatedCase{"rotation_factor_keys_kept", "1*ej120*ej-120", "1*ej120*ej-120",
                       "1*ej120*ej-120", "1"},
        // Superscripts: a run of them is one exponent.
        TranslatedCase{"superscript_two", "110²", "110^2", "110^2", "12100"},
        TranslatedCase{"superscript_three", "2³", "2^3", "2^3", "8"},
        TranslatedCase{"superscript_run_with_minus", "10⁻³", "10^-3", "10^-3", "0.001"},
        TranslatedCase{"superscript_every_digit", "1⁰¹²³⁴⁵⁶⁷⁸⁹", "1^0123456789", "1^0123456789",
                       "1"},
        TranslatedCase{"superscript_zero_four", "2⁰+3⁴", "2^0+3^4", "2^0+3^4", "82"},
        TranslatedCase{"two_runs_apart", "3²+4²", "3^2+4^2", "3^2+4^2", "25"},
        TranslatedCase{"superscript_after_bracket", "(1+j)²", "(1+j)^2", "(1+j1)^2",
                       "2.00000000000001ej90"},
        TranslatedCase{"superscript_after_pi", "π²", "3.14159265358979^2", "3.14159265358979^2",
                       "9.86960440108934"},
        TranslatedCase{"superscript_then_pi", "2²π", "2^2*3.14159265358979", "2^2*3.14159265358979",
                       "12.5663706143592"},
        TranslatedCase{"superscript_with_full_width", "１０⁻²＋１", "10^-2+1", "10^-2+1", "1.01"},
        // The superscripts are the whole exponent: what follows them multiplies.
        TranslatedCase{"superscript_then_digit", "2²3", "2^2*3", "2^2*3", "12"},
        TranslatedCase{"superscript_then_blank_digit", "2² 3", "2^2* 3", "2^2*3", "12"},
        TranslatedCase{"superscript_then_point", "2².5", "2^2*.5", "2^2*.5", "2"},
        TranslatedCase{"superscript_then_full_width_digit", "2²３", "2^2*3", "2^2*3", "12"},
        TranslatedCase{"superscript_then_j", "2²j4", "2^2*j4", "2^2*j4", "16ej90"},
        TranslatedCase{"superscript_then_angle", "3²∠30", "3^2*ej30", "3^2*ej30",
                       "9ej29.9999999999999"},
        TranslatedCase{"bracket_superscript_then_digit", "(2)²3", "(2)^2*3", "(2)^2*3", "12"},
        TranslatedCase{"function_value_squared_then_digit", "sin30²3", "sin30^2*3", "sin30^2*3",
                       "0.75"},
        TranslatedCase{"superscript_run_then_digit", "2³²1", "2^32*1", "2^32*1", "4294967296"},
        TranslatedCase{"superscript_minus_alone_keeps_digit", "10⁻3", "10^-3", "10^-3", "0.001"},
        TranslatedCase{"minus_inside_superscripts", "2²⁻¹", "2^(2-1)", "2^(2-1)", "2"},
        TranslatedCase{"minus_inside_superscripts_then_digit", "2²⁻¹3", "2^(2-1)*3", "2^(2-1)*3",
                       "6"},
        TranslatedCase{"names_that_split", "SIN(ln2)+2E5+arccosj0", "SIN(ln2)+2E5+arccosj0",
                       "SIN(ln2)+2E5+arccosj0", "200090.012097405"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    const char* pasted;
    const char* text1;  // the translated text
    const char* item;
    std::size_t start;   // UTF-16 units
    std::size_t length;  // UTF-16 units
};

class RefusedInputTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedInputTest, NamesAndSelectsTheFirstUnknownItem) {
    const auto& c = GetParam();
    Engine engine;
    std::vector<std::string> stages;
    const Outcome out = engine.evaluate(
        c.pasted, {},
        [&](std::string_view stage, std::string_view) { stages.emplace_back(stage); });
    EXPECT_EQ(out.text1, c.text1);
    EXPECT_EQ(out.text2, std::string("错误:无法识别的输入“") + c.item + "”。");
    EXPECT_TRUE(out.failed);
    EXPECT_TRUE(out.focusInput);
    EXPECT_EQ(out.selectionStart, c.start);
    EXPECT_EQ(out.selectionLength, c.length);
    EXPECT_EQ(out.text2, errorDisplay(unrecognisedInputMessage(c.item)));
    EXPECT_TRUE(isEngineMessage(unrecognisedInputMessage(c.item)));
    // No later stage runs: at most the translation shows in the trace.
    for (const auto& stage : stages) EXPECT_EQ(stage, "translated");
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedInputTest,
    testing::Values(
        RefusedCase{"unknown_function", "2*sinh(4)", "2*sinh(4)", "sinh", 2, 4},
        RefusedCase{"unknown_function_upper_case", "SINH(4)", "SINH(4)", "SINH", 0, 4},
        RefusedCase{"name_with_extra_letter", "sinh30", "sinh30", "sinh", 0, 4},
        RefusedCase{"name_with_letter_in_front", "xconj(3+j4)", "xconj(3+j4)", "xconj", 0, 5},
        RefusedCase{"half_a_name", "arc30", "arc30", "arc", 0, 3},
        RefusedCase{"whole_run_named_not_its_tail", "ejx30", "ejx30", "ejx", 0, 3},
        RefusedCase{"imaginary_unit_i", "3+4i", "3+4i", "i", 3, 1},
        RefusedCase{"pi_spelt_out", "pi", "pi", "pi", 0, 2},
        RefusedCase{"variable", "a*230", "a*230", "a", 0, 1},
        RefusedCase{"decimal_comma", "2,5+1", "2,5+1", ",", 1, 1},
        RefusedCase{"tab", "1\t+2", "1\t+2", "\t", 1, 1},
        RefusedCase{"percent", "50%", "50%", "%", 2, 1},
        RefusedCase{"chinese_character", "1+中", "1+中", "中", 2, 1},
        RefusedCase{"run_of_unknown_characters", "1+?#&2", "1+?#&2", "?#&", 2, 3},
        RefusedCase{"run_across_scripts", "7中文:=2", "7中文:=2", "中文:=", 1, 4},
        RefusedCase{"first_of_two_letters_first", "x+sinh4", "x+sinh4", "x", 0, 1},
        RefusedCase{"first_of_two_symbol_first", "2,5*sinh4", "2,5*sinh4", ",", 1, 1},
        RefusedCase{"letters_end_at_a_symbol", "sinq,2", "sinq,2", "sinq", 0, 4},
        RefusedCase{"after_an_unclosed_bracket", "(1+2sinh", "(1+2sinh", "sinh", 4, 4},
        RefusedCase{"after_an_unopened_bracket", "1+2)?", "1+2)?", "?", 4, 1},
        RefusedCase{"outside_bmp_alone", "😀", "😀", "😀", 0, 2},
        RefusedCase{"outside_bmp_in_a_run", "1+😀中", "1+😀中", "😀中", 2, 3},
        RefusedCase{"outside_bmp_twice", "2*😀😀", "2*😀😀", "😀😀", 2, 4},
        RefusedCase{"position_in_translated_text", "π+sinh", "3.14159265358979+sinh", "sinh", 17,
                    4},
        RefusedCase{"full_width_letter_refused_as_ascii", "（１）+ｘ", "(1)+x", "x", 4, 1},
        RefusedCase{"full_width_comma_becomes_comma", "１，５", "1,5", ",", 1, 1},
        RefusedCase{"full_width_tilde", "～2", "~2", "~", 0, 1},
        RefusedCase{"ordinal_sign_is_no_degree", "10∠30º", "10ej30º", "º", 6, 1},
        // Only digits and the minus are superscripts of an exponent.
        RefusedCase{"superscript_plus", "10⁺³", "10⁺^3", "⁺", 2, 1},
        // An SI prefix belongs to a number, not to a power.
        RefusedCase{"prefix_behind_superscript", "2²k", "2^2*k", "k", 4, 1},
        RefusedCase{"micro_behind_superscript", "1²µ", "1^2*µ", "µ", 4, 1},
        RefusedCase{"broken_bytes_one_unit_each", "+\xA1\xA1", "+\xA1\xA1", "\xA1\xA1", 1, 2},
        RefusedCase{"cut_off_character", "1+\xE4\xB8", "1+\xE4\xB8", "\xE4\xB8", 2, 2},
        RefusedCase{"recalled_error_message", "错误:除数为零。", "错误:除数为零.", "错误:除数为零",
                    0, 7}),
    [](const auto& info) { return std::string(info.param.name); });

struct LetterRunCase {
    const char* letters;
    bool splits;
};

class LetterRunTest : public testing::TestWithParam<LetterRunCase> {};

TEST_P(LetterRunTest, SplitsLongestNameFirst) {
    EXPECT_EQ(lettersSplitIntoWords(GetParam().letters), GetParam().splits);
}

INSTANTIATE_TEST_SUITE_P(Table, LetterRunTest,
                         testing::Values(LetterRunCase{"ej", true}, LetterRunCase{"SIN", true},
                                         LetterRunCase{"sinln", true}, LetterRunCase{"E", true},
                                         LetterRunCase{"ArcCtn", true},
                                         LetterRunCase{"lnlogej", true},
                                         LetterRunCase{"arccosj", true},
                                         LetterRunCase{"sinh", false}, LetterRunCase{"sqrt", true},
                                         LetterRunCase{"abs", true}, LetterRunCase{"pi", false},
                                         LetterRunCase{"i", false}, LetterRunCase{"lo", false},
                                         LetterRunCase{"arcsi", false}),
                         [](const auto& info) { return std::string(info.param.letters); });

TEST(Notation, UntranslatedBytesPassThrough) {
    // Broken UTF-8 around a translated sign: every other byte is kept as it is.
    EXPECT_EQ(translateNotation("\xE2\xE2\x88\xA0\xEF\xBC"),
              "\xE2"
              "ej\xEF\xBC");
    EXPECT_EQ(translateNotation("\xEF\xBC\x80\xEF\xBD\x9F"), "\xEF\xBC\x80\xEF\xBD\x9F");
}

TEST(Notation, TraceShowsTheTranslationOnlyWhenItChangedSomething) {
    std::vector<std::string> stages;
    auto sink = [&](std::string_view stage, std::string_view text) {
        stages.push_back(std::string(stage) + "=" + std::string(text));
    };
    Engine engine;
    engine.evaluate("10∠30°", {}, sink);
    ASSERT_FALSE(stages.empty());
    EXPECT_EQ(stages.front(), "translated=10ej30");
    stages.clear();
    engine.evaluate("10ej30", {}, sink);
    ASSERT_FALSE(stages.empty());
    EXPECT_EQ(stages.front(), "brackets checked=10ej30");
}

TEST(Notation, NextEvaluationAfterARefusalStartsClean) {
    Engine engine;
    engine.evaluate("sinh4");
    const Outcome out = engine.evaluate("2+2");
    EXPECT_EQ(out.text2, "4");
    EXPECT_FALSE(out.failed);
}

// The engine's list of messages is complete: each fixed message comes from a real
// evaluation, and nothing an evaluation raises is missing from it.
TEST(Messages, EveryFixedMessageIsRaisedAndKnown) {
    const std::vector<std::pair<const char*, const char*>> raising = {
        {"(1", "括号不匹配"},
        {"1/0", "除数为零"},
        {"1e999", "溢出"},
        {"1E-300/1E20", "下溢"},
        {"(-4)^1.5", "无效的过程调用或参数"},
        {"-4^0.25", "不能对负数求小于1的各次方"},
        {"arcsin2", "不能对大于1的数求反正弦函数"},
        {"arccos2", "不能对大于1的数求反余弦函数"},
        {"tan90", "不能对90度求正切函数"},
        {"ctn0", "不能对0求余切函数"},
        {"ln0", "不能对小于等于零的值求对数"},
        {"171!", "阶乘计算出现溢出"},
        {"(-3)!", "只能对0到170的整数求阶乘"},
        {"exp(j30\u00B0)", "指数以弧度计,不能带“°”"},
        {"1ej(j30)", "相角必须是实数"},
        {"ans", "没有可用的上一个结果"},
    };
    const auto fixed = fixedErrorMessages();
    std::vector<std::string_view> seen;
    for (const auto& [input, message] : raising) {
        const Outcome out = Engine().evaluate(input);
        EXPECT_EQ(displayedMessage(out.text2), message) << input;
        EXPECT_TRUE(isEngineMessage(message)) << input;
        seen.push_back(message);
    }
    // Only the out-of-memory message cannot be provoked here.
    for (std::string_view m : fixed) {
        if (m == kOutOfMemory) continue;
        EXPECT_NE(std::find(seen.begin(), seen.end(), m), seen.end()) << m;
    }
    EXPECT_EQ(fixed.size(), raising.size() + 1);
    EXPECT_FALSE(isEngineMessage("无法识别的输入“”"));
    EXPECT_FALSE(isEngineMessage("无法识别的输入“x"));
    EXPECT_FALSE(isEngineMessage("除数为零。"));
}

}  // namespace
}  // namespace kalvox
