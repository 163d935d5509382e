// The smallest numbers: below 1E-308 doubles are subnormal and hold fewer than 15
// significant digits, so a number or a result that small is 0, as the results
// below the subnormal range are in the arithmetic itself. Whole evaluations from
// the typed text to both boxes.

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

INSTANTIATE_TEST_SUITE_P(
    Table, SmallestNumberTest,
    testing::Values(
        // The normal range keeps every digit.
        ReadingCase{"smallest_kept", "1E-308", "1E-308", "1E-308"},
        ReadingCase{"fifteen_digits_near_the_edge", "1.23456789012345E-308",
                    "1.23456789012345E-308", "1.23456789012345E-308"},
        ReadingCase{"normal_quotient", "1E-300/1E7", "1E-300/1E7", "1E-307"},
        // Below it: 0, never digits the double does not have (9.99988867182683E-321).
        ReadingCase{"subnormal_literal", "1E-320", "1E-320", "0"},
        ReadingCase{"subnormal_literal_times_large", "1E-320*1E300", "1E-320*1E300", "0"},
        ReadingCase{"subnormal_quotient", "1E-300/1E20", "1E-300/1E20", "0"},
        ReadingCase{"subnormal_phasor", "1E-14ej30/170!", "1E-14ej30/170!", "0"},
        ReadingCase{"subnormal_parts", "1E-310+j1E-310", "1E-310+j1E-310", "0"},
        ReadingCase{"below_subnormal_as_before", "1E-200*1E-200", "1E-200*1E-200", "0"},
        ReadingCase{"subnormal_exp", "exp(-710)", "exp(-710)", "0"},
        ReadingCase{"subnormal_sine", "sin(1E-307)", "sin(1E-307)", "0"},
        // A tiny term beside a normal one changes nothing.
        ReadingCase{"decay_to_nothing", "12*(1-e^-710)", "12*(1-e^-710)", "12"},
        ReadingCase{"tiny_plus_one", "1E-320+1", "1E-320+1", "1"}),
    testing_support::caseName<testing::TestParamInfo<ReadingCase>>);

class SmallestNumberRefusalTest : public testing::TestWithParam<RefusalCase> {};
TEST_P(SmallestNumberRefusalTest, RefusesAndSelects) { testing_support::expectRefusal(GetParam()); }

// What a value that small would feed is refused as its 0 is.
INSTANTIATE_TEST_SUITE_P(Table, SmallestNumberRefusalTest,
                         testing::Values(RefusalCase{"logarithm", "log((1E-12ej30)(10m)/170!)",
                                                     "log((1E-12ej30)*(10m)/170!)",
                                                     std::string(kLogDomain), 0, 0},
                                         RefusalCase{"divisor", "1/1E-320", "1/1E-320",
                                                     std::string(kDivisionByZero), 0, 0}),
                         testing_support::caseName<testing::TestParamInfo<RefusalCase>>);

}  // namespace
}  // namespace kalvox
