#include <gtest/gtest.h>

#include "engine/engine.h"

namespace kalvox {
namespace {

struct CheckCase {
    const char* name;
    const char* text;
    std::size_t position;
};

class BracketCheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(BracketCheckTest, ReportsTheOffendingBracket) {
    Engine engine;
    std::string s = GetParam().text;
    EXPECT_EQ(engine.khpp(s), GetParam().position);
    EXPECT_EQ(engine.hasError(), GetParam().position != 0);
    if (GetParam().position != 0) {
        EXPECT_EQ(engine.errorText, "括号不匹配");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, BracketCheckTest,
    testing::Values(CheckCase{"unclosed", "(1+2", 1}, CheckCase{"unopened", "1+2)", 4},
                    CheckCase{"outer_open_stays", "(()", 1}, CheckCase{"extra_close", "())", 3},
                    CheckCase{"reversed", ")(", 1},
                    CheckCase{"balanced_nested", "((1+2)*(3+4))", 0},
                    CheckCase{"no_brackets", "1+2", 0},
                    CheckCase{"last_open_reported", "(1)+(2+(3", 8},
                    // Only eleven pairs are looked at; what follows them passes.
                    CheckCase{"eleven_pairs_then_stray", "()()()()()()()()()()())", 0},
                    CheckCase{"ten_pairs_then_stray", "()()()()()()()()()())", 21}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BracketCheck, MarksMatchedPairsInTheCallersText) {
    Engine engine;
    std::string s = "(1)+(2)";
    EXPECT_EQ(engine.khpp(s), 0u);
    EXPECT_EQ(s, "?1?+?2?");
}

struct ReduceCase {
    const char* name;
    const char* text;
    const char* result;
};

class BracketReductionTest : public testing::TestWithParam<ReduceCase> {};

TEST_P(BracketReductionTest, ReducesFromTheInside) {
    Engine engine;
    EXPECT_EQ(engine.khys(GetParam().text), GetParam().result);
    EXPECT_FALSE(engine.hasError());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BracketReductionTest,
    testing::Values(ReduceCase{"nested", "((1+2)*(3+4))", "21"}, ReduceCase{"single", "(2)", "2"},
                    ReduceCase{"empty_pair", "()", "0"},
                    ReduceCase{"function_name_stays", "sin(30)", "sin30"},
                    ReduceCase{"factorial_takes_the_value", "(2+1)!", "6"},
                    ReduceCase{"sign_stays", "-(2+3)", "-5"},
                    ReduceCase{"minus_before_negative", "2-(3-5)", "2--2"},
                    ReduceCase{"joined_without_operator", "2(3)", "23"},
                    ReduceCase{"inner_first", "((1+2)*3)", "9"},
                    ReduceCase{"function_inside", "sin(ln(2))", "sin0.693147180559945"},
                    ReduceCase{"upper_case_inside", "(SIN30)", "0.5"},
                    ReduceCase{"no_brackets", "1+2", "1+2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BracketReduction, UnpairedBracketsRaiseInsteadOfLooping) {
    for (const char* text : {"(1", "1)", "((1)", "(1))", ")("}) {
        Engine engine;
        EXPECT_EQ(engine.khys(text), "") << text;
        EXPECT_TRUE(engine.hasError()) << text;
        EXPECT_EQ(engine.errorText, "括号不匹配") << text;
    }
}

TEST(BracketReduction, KeepsTheFirstErrorMessage) {
    Engine engine;
    engine.khys("(1/0)+(2");
    EXPECT_EQ(engine.errorText, "除数为零");
}

}  // namespace
}  // namespace kalvox
