#include <gtest/gtest.h>

#include "engine/engine.h"

namespace kalvox {
namespace {

struct ConversionCase {
    const char* name;
    const char* text;
    const char* converted;
};

class ToAlgebraicTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ToAlgebraicTest, Converts) {
    EXPECT_EQ(Engine().switchForm(GetParam().text, FormDirection::ToAlgebraic),
              GetParam().converted);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToAlgebraicTest,
    testing::Values(ConversionCase{"first_quadrant", "5ej53.130102354156", "3+j4"},
                    ConversionCase{"fourth_quadrant", "5ej-53.130102354156", "3-j4"},
                    ConversionCase{"real_unchanged", "12", "12"},
                    ConversionCase{"at_180_residue", "10ej180", "-10+j3.2E-14"},
                    ConversionCase{"error_text_unchanged", "错误:除数为零。", "错误:除数为零。"},
                    ConversionCase{"huge_magnitude_overflows", "1e999ej30", "错误:溢出。"},
                    ConversionCase{"angle_too_large", "1ej1e308", "错误:溢出。"}),
    [](const auto& info) { return std::string(info.param.name); });

class ToExponentialTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ToExponentialTest, Converts) {
    EXPECT_EQ(Engine().switchForm(GetParam().text, FormDirection::ToExponential),
              GetParam().converted);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToExponentialTest,
    testing::Values(ConversionCase{"first_quadrant", "3+j4", "5ej53.130102354156"},
                    ConversionCase{"real_unchanged", "12", "12"},
                    // "-5+j0" sums back to 5 at 180 degrees, shown as -5.
                    ConversionCase{"at_180_as_negative_real", "-5+j0", "-5"},
                    ConversionCase{"error_text_unchanged", "错误:除数为零。", "错误:除数为零。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EjJ, TheDirectionAlternates) {
    EXPECT_EQ(otherDirection(FormDirection::ToAlgebraic), FormDirection::ToExponential);
    EXPECT_EQ(otherDirection(FormDirection::ToExponential), FormDirection::ToAlgebraic);
}

TEST(ConvertedForm, GivesBothFormsWithoutAnEngine) {
    EXPECT_EQ(convertedForm("5ej53.130102354156", FormDirection::ToAlgebraic), "3+j4");
    EXPECT_EQ(convertedForm("3+j4", FormDirection::ToExponential), "5ej53.130102354156");
    EXPECT_EQ(convertedForm("1ej1e308", FormDirection::ToAlgebraic), std::nullopt);
}

}  // namespace
}  // namespace kalvox
