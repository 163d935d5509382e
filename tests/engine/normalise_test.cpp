#include <gtest/gtest.h>

#include "engine/front.h"

namespace kalvox {
namespace {

struct RepairCase {
    const char* name;
    const char* text;
    const char* repaired;
};

class InputRepairTest : public testing::TestWithParam<RepairCase> {};

TEST_P(InputRepairTest, Repairs) { EXPECT_EQ(repairInput(GetParam().text), GetParam().repaired); }

INSTANTIATE_TEST_SUITE_P(
    Table, InputRepairTest,
    testing::Values(
        RepairCase{"blanks", "  1 + 2  ", "1+2"},
        RepairCase{"implicit_products", "2(1+1)(3)", "2*(1+1)*(3)"},
        RepairCase{"dangling_operator", "3+", "3"},
        RepairCase{"dangling_j_completed", "3+j", "3+j1"}, RepairCase{"lone_j", "j", "j1"},
        RepairCase{"lone_plus", "+", ""}, RepairCase{"dangling_capital_e", "2E", "2"},
        RepairCase{"dangling_e_stays", "2e", "2e"}, RepairCase{"dangling_ej_stays", "2ej", "2ej"},
        RepairCase{"only_one_dangling_removed", "3+-", "3+"},
        RepairCase{"later_operator_wins", "3*/2", "3/2"},
        RepairCase{"minus_after_times", "2*-3", "2*-3"}, RepairCase{"double_minus", "5--2", "5+2"},
        RepairCase{"three_operators", "1+-*2", "1*2"},
        RepairCase{"product_after_close", "(2)3", "(2)*3"},
        RepairCase{"point_after_close", "(2).5", "(2)*.5"},
        RepairCase{"bare_j_before_operator", "j+2", "j1+2"},
        RepairCase{"j_before_minus_is_signed", "3+j-5", "3+j-5"},
        RepairCase{"bare_j_before_times", "j*2", "j1*2"},
        RepairCase{"signed_angle_untouched", "2ej-30*3", "2ej-30*3"},
        RepairCase{"e_notation_untouched", "1e-5", "1e-5"},
        RepairCase{"coefficient_before_j", "2+4j", "2+4j"},
        RepairCase{"stray_point", "3.+2", "3+2"}, RepairCase{"double_point", "3..5", "3.5"},
        RepairCase{"final_point", "3.", "3"}, RepairCase{"upper_case_exponent_dangles", "2E", "2"},
        RepairCase{"point_then_bracket", "2.(3)", "2*(3)"}, RepairCase{"blanks_only", "   ", "0"},
        RepairCase{"tab_kept", "1\t+2", "1\t+2"}, RepairCase{"non_ascii_passes", "2(中)", "2*(中)"},
        RepairCase{"rotation_factor_at_start", "*ej120", "*ej120"},
        // A sign behind a function name belongs to its argument: the operand
        // "-arccos-1" of "|" keeps its sign as a factor -1.
        RepairCase{"signs_before_function_parallel", "2--arccos-1|1E3", "2--1*arccos-1|1E3"},
        RepairCase{"signs_before_implicit_function_parallel", "1--2arccos-1|720",
                   "1--1*2*arccos-1|720"},
        RepairCase{"sign_run_inside_argument_parallel", "5--arccos+-1|1E3", "5--1*arccos-1|1E3"},
        RepairCase{"signs_before_function_no_parallel", "2--arccos-1", "2+arccos-1"},
        RepairCase{"sign_after_factorial_is_binary", "1--3!-2|6", "1+3!-2|6"},
        // The "e" of "re" ends a name: the "j" behind it is bare.
        RepairCase{"re_of_bare_j", "rej", "rej1"},
        RepairCase{"re_of_bare_j_before_sign", "2*rej--50", "2*rej1+50"},
        RepairCase{"re_of_rotation_factor", "reej30", "reej30"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kalvox
