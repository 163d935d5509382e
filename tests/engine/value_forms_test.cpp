// Both display forms of a complex value, computed without the window's engine state.
#include "engine/value_forms.h"

#include <gtest/gtest.h>

#include "engine/engine.h"

namespace kalvox {
namespace {

struct FormsCase {
    const char* name;
    const char* text;
    const char* exponential;  // nullptr: not one complex value
    const char* algebraic;
};

class ValueFormsTest : public testing::TestWithParam<FormsCase> {};

TEST_P(ValueFormsTest, GivesBothForms) {
    const FormsCase& c = GetParam();
    const auto forms = valueForms(c.text);
    if (!c.exponential) {
        EXPECT_FALSE(forms.has_value());
        EXPECT_EQ(otherForm(c.text), "");
        return;
    }
    ASSERT_TRUE(forms.has_value());
    EXPECT_EQ(forms->exponential, c.exponential);
    EXPECT_EQ(forms->algebraic, c.algebraic);
    const std::string other = std::string(c.text) == c.exponential ? c.algebraic : c.exponential;
    EXPECT_EQ(otherForm(c.text), other);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueFormsTest,
    testing::Values(
        FormsCase{"impedance", "5ej53.130102354156", "5ej53.130102354156", "3+j4"},
        FormsCase{"algebraic", "3+j4", "5ej53.130102354156", "3+j4"},
        FormsCase{"negative_imaginary_part", "0.12-j0.16", "0.2ej-53.130102354156", "0.12-j0.16"},
        FormsCase{"admittance", "0.2ej-53.130102354156", "0.2ej-53.130102354156", "0.12-j0.16"},
        FormsCase{"imaginary", "j4", "4ej90", "j4"},
        FormsCase{"degree_residue", "2ej30", "2ej30", "1.73205080756888+j0.999999999999999"},
        FormsCase{"negative_angle", "230ej-120", "230ej-120", "-115-j199.185842870421"},
        FormsCase{"scientific_magnitude", "1E-05ej90", "1E-05ej90", "0+j1E-05"},
        FormsCase{"real", "5", nullptr, nullptr}, FormsCase{"empty", "", nullptr, nullptr},
        FormsCase{"error_display", "错误:除数为零。", nullptr, nullptr},
        FormsCase{"expression", "2ej30+5", nullptr, nullptr},
        FormsCase{"typed_fragment", "3+j", nullptr, nullptr},
        FormsCase{"two_units", "jj4", nullptr, nullptr},
        FormsCase{"overflowing_magnitude", "1e999ej30", nullptr, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValueForms, TheOtherFormOfEachForm) {
    EXPECT_EQ(otherForm("5ej53.130102354156"), "3+j4");
    EXPECT_EQ(otherForm("3+j4"), "5ej53.130102354156");
}

}  // namespace
}  // namespace kalvox
