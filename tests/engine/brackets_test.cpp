#include <gtest/gtest.h>

#include "engine/front.h"

namespace kalvox {
namespace {

struct CheckCase {
    const char* name;
    const char* text;
    std::size_t position;
};

class BracketCheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(BracketCheckTest, ReportsTheOffendingBracket) {
    std::string s = GetParam().text;
    EXPECT_EQ(findUnpairedBracket(s), GetParam().position);
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
    std::string s = "(1)+(2)";
    EXPECT_EQ(findUnpairedBracket(s), 0u);
    EXPECT_EQ(s, "?1?+?2?");
}

}  // namespace
}  // namespace kalvox
