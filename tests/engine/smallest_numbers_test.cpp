// The smallest numbers: below 1E-308 doubles are subnormal and hold fewer than 15
// significant digits, so a nonzero number or result that small is refused with
// "下溢" instead of being shown with digits it does not have (1E-320 would show
// 9.99988867182683E-321). Whole evaluations from the typed text to both boxes.

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/error_messages.h"
#include "tests/engine/evaluation_cases.h"

namespace kalvox {
namespace {

using testing_support::ReadingCase;
using testing_support::RefusalCase;

class SmallestNumberTest : public testing::TestWithParam<ReadingCase> {};
TEST_P(SmallestNumberTest, ReadsTheText) { testing_support::expectReading(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Table, SmallestNumberTest,
                         testing::Values(
                             // The normal range keeps every digit.
                             ReadingCase{"smallest_kept", "1E-308", "1E-308", "1E-308"},
                             ReadingCase{"fifteen_digits_near_the_edge", "1.23456789012345E-308",
                                         "1.23456789012345E-308", "1.23456789012345E-308"},
                             ReadingCase{"normal_quotient", "1E-300/1E7", "1E-300/1E7", "1E-307"},
                             ReadingCase{"normal_phasor", "1E-300ej30/1E7", "1E-300ej30/1E7",
                                         "1E-307ej30.0000000001272"},
                             // Below the subnormal range the arithmetic itself gives 0, as always.
                             ReadingCase{"below_subnormal", "1E-200*1E-200", "1E-200*1E-200", "0"},
                             ReadingCase{"exp_far_below", "exp(-1000)", "exp(-1000)", "0"},
                             ReadingCase{"decay_far_below", "12*(1-e^-1000)", "12*(1-e^-1000)",
                                         "12"},
                             ReadingCase{"zero_stays", "0*1E-300", "0*1E-300", "0"}),
                         testing_support::caseName<testing::TestParamInfo<ReadingCase>>);

class SmallestNumberRefusalTest : public testing::TestWithParam<RefusalCase> {};
TEST_P(SmallestNumberRefusalTest, RefusesAndSelects) { testing_support::expectRefusal(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Table, SmallestNumberRefusalTest,
    testing::Values(
        RefusalCase{"subnormal_literal", "1E-320", "1E-320", std::string(kUnderflow), 0, 0},
        RefusalCase{"subnormal_literal_times_large", "1E-320*1E300", "1E-320*1E300",
                    std::string(kUnderflow), 0, 0},
        RefusalCase{"subnormal_quotient", "1E-300/1E20", "1E-300/1E20", std::string(kUnderflow), 0,
                    0},
        // 1E-12/170! is 1.4E-319: times 1E300 it would be off from the fifth digit.
        RefusalCase{"subnormal_on_the_way", "1p/170!*1E300", "1p/170!*1E300",
                    std::string(kUnderflow), 0, 0},
        RefusalCase{"subnormal_phasor", "1E-14ej30/170!", "1E-14ej30/170!", std::string(kUnderflow),
                    0, 0},
        RefusalCase{"subnormal_logarithm", "log((1E-12ej30)(10m)/170!)",
                    "log((1E-12ej30)*(10m)/170!)", std::string(kUnderflow), 0, 0},
        RefusalCase{"subnormal_exp", "exp(-710)", "exp(-710)", std::string(kUnderflow), 0, 0},
        RefusalCase{"subnormal_sine", "sin(1E-307)", "sin(1E-307)", std::string(kUnderflow), 0, 0}),
    testing_support::caseName<testing::TestParamInfo<RefusalCase>>);

}  // namespace
}  // namespace kalvox
