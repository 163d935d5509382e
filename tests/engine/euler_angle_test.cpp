// Euler's number, angles that are expressions, and the degree sign where an
// argument is read in radians: whole evaluations from the typed text to both
// boxes and the selection.

#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/error_messages.h"
#include "tests/engine/evaluation_cases.h"

namespace kalvox {
namespace {

using testing_support::ReadingCase;
using testing_support::RefusalCase;

class EulerReadingTest : public testing::TestWithParam<ReadingCase> {};
TEST_P(EulerReadingTest, ReadsTheText) { testing_support::expectReading(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Euler, EulerReadingTest,
    testing::Values(
        ReadingCase{"alone", "e", "e", "2.71828182845905"},
        ReadingCase{"power_minus_one", "e^-1", "e^-1", "0.367879441171442"},
        ReadingCase{"capacitor_charging", "12*(1-e^(-5m/(1k*10\u00B5)))",
                    "12*(1-e^(-5m/(1k*10\u00B5)))", "4.7216320834484"},
        ReadingCase{"product", "2*e", "2*e", "5.4365636569181"},
        ReadingCase{"after_bracket", "(2)e", "(2)*e", "5.4365636569181"},
        ReadingCase{"after_factorial", "5!e", "5!*e", "326.193819415086"},
        ReadingCase{"before_bracket", "e(2)", "e*(2)", "5.4365636569181"},
        ReadingCase{"negative", "-e", "-e", "-2.71828182845905"},
        ReadingCase{"sign_then_power", "-e^2", "-e^2", "7.38905609893068"},
        ReadingCase{"ln_of_bracket", "ln(e)", "ln(e)", "1"},
        ReadingCase{"ln_blank_e", "ln e", "lne", "1"},
        ReadingCase{"function_behind", "e sin30", "e*sin30", "1.35914091422952"},
        ReadingCase{"e_to_the_e", "e^e", "e^e", "15.1542622414793"},
        ReadingCase{"sum_with_bare_j", "e+j", "e+j1", "2.89638673159001ej20.197531289573"},
        // Next to π, whose digits would make it an exponent letter.
        ReadingCase{"pi_then_e", "\u03C0e", "3.14159265358979*e", "8.53973422267357"},
        ReadingCase{"e_then_pi", "e\u03C0", "e*3.14159265358979", "8.53973422267357"},
        ReadingCase{"e_plus_pi", "e+\u03C0", "e+(3.14159265358979)", "5.85987448204884"},
        ReadingCase{"e_plus_pi_again", "e+(3.14159265358979)", "e+(3.14159265358979)",
                    "5.85987448204884"},
        ReadingCase{"e_to_the_pi", "e^\u03C0", "e^3.14159265358979", "23.1406926327792"},
        // Euler's formula: e^ takes radians.
        ReadingCase{"half_turn", "e^(j\u03C0)", "e^(j1*3.14159265358979)", "-1"},
        ReadingCase{"quarter_turn", "e^(j*\u03C0/2)", "e^(j1*3.14159265358979/2)", "1ej90"},
        ReadingCase{"complex_exponent", "e^(1+j)", "e^(1+j1)",
                    "2.71828182845906ej57.2957795130821"},
        // An "e" of a number or a word keeps its meaning.
        ReadingCase{"exponent_letter", "2e3", "2e3", "2000"},
        ReadingCase{"dangling_capital_exponent_letter", "2E", "2", "2"},
        ReadingCase{"phasor_without_magnitude", "ej90", "ej90", "1ej90"},
        ReadingCase{"exp_function", "exp1", "exp1", "2.71828182845905"},
        ReadingCase{"re_function", "re(3+j4)", "re(3+j4)", "3"}),
    testing_support::caseName<testing::TestParamInfo<ReadingCase>>);

class EulerRefusalTest : public testing::TestWithParam<RefusalCase> {};
TEST_P(EulerRefusalTest, RefusesAndSelects) { testing_support::expectRefusal(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Euler, EulerRefusalTest,
    testing::Values(
        RefusalCase{"then_digit", "e3", "e3", malformedNumberMessage("e3"), 0, 2},
        RefusalCase{"capital", "E", "E", malformedNumberMessage("E"), 0, 1},
        RefusalCase{"capital_power", "E^2", "E^2", malformedNumberMessage("E"), 0, 1},
        RefusalCase{"minus_digit_is_an_exponent", "e-1", "e-1", malformedNumberMessage("e-1"), 0,
                    3},
        RefusalCase{"signs_then_digit", "e+-1", "e-1", malformedNumberMessage("e-1"), 0, 3},
        RefusalCase{"twice", "ee", "ee", malformedNumberMessage("ee"), 0, 2},
        RefusalCase{"after_prefix", "2ke", "2ke", malformedNumberMessage("2ke"), 0, 3},
        // Behind a number a last "e" is neither 2 times e nor an exponent: refused.
        RefusalCase{"dangling_behind_number", "2e", "2e", malformedNumberMessage("2e"), 0, 2},
        RefusalCase{"dangling_behind_point", "3+2.e", "3+2e", malformedNumberMessage("2e"), 2, 2},
        RefusalCase{"dangling_after_blank", "1.5 e", "1.5e", malformedNumberMessage("1.5e"), 0, 4},
        RefusalCase{"unknown_word_behind", "eCosa", "eCosa", unrecognisedInputMessage("eCosa"), 0,
                    5},
        RefusalCase{"ln_of_minus_e", "ln(-e)", "ln(-e)", std::string(kLogDomain), 0, 0}),
    testing_support::caseName<testing::TestParamInfo<RefusalCase>>);

class AngleReadingTest : public testing::TestWithParam<ReadingCase> {};
TEST_P(AngleReadingTest, ReadsTheText) { testing_support::expectReading(GetParam()); }

// An angle behind "ej" or "∠" may be a bracket or a function; the results
// carry the residue of π's 15 digits that the literal "1ej120" carries too.
INSTANTIATE_TEST_SUITE_P(
    Angles, AngleReadingTest,
    testing::Values(
        ReadingCase{"power_factor_angle", "100\u2220-arccos(0.9)", "100ej-arccos(0.9)",
                    "100ej-25.8419327631673"},
        ReadingCase{"bracket", "1ej(90+30)", "1ej(90+30)", "1ej120.000000000013"},
        ReadingCase{"same_as_literal", "1ej120", "1ej120", "1ej120.000000000013"},
        ReadingCase{"one_operand_before_power", "2ej(30)^2", "2ej(30)^2", "4ej60.0000000000018"},
        ReadingCase{"no_magnitude", "ej(45)", "ej(45)", "1ej45"},
        ReadingCase{"signed_bracket", "ej-(45)", "ej-(45)", "1ej-45"},
        ReadingCase{"negative_in_bracket", "10\u2220(\u221230)", "10ej(-30)",
                    "10ej-30.0000000000011"},
        ReadingCase{"function_angle", "2\u2220-sin(30)", "2ej-sin(30)", "2ej-0.500000000007309"},
        ReadingCase{"prefixed_magnitude", "2kej(30)", "2kej(30)", "2000ej30"},
        ReadingCase{"exp_angle", "1ejexp(1)", "1ejexp(1)", "1ej2.71828182848249"},
        ReadingCase{"prefix_then_degree_sign", "1k\u222030\u00B0", "1kej30", "1000ej30"},
        ReadingCase{"behind_a_bracket", "(1+j)ej(30)", "(1+j1)ej(30)",
                    "1.4142135623731ej75.0000000000231"},
        ReadingCase{"behind_a_function", "sqrt(2)ej(45)", "sqrt(2)ej(45)", "1.4142135623731ej45"},
        // An angle literal behind a function's bracket multiplies the function's
        // value; it never joins the argument.
        ReadingCase{"root_then_angle", "sqrt(3)ej30", "sqrt(3)ej30",
                    "1.73205080756888ej29.9999999999875"},
        ReadingCase{"sine_then_angle", "sin(30)ej30", "sin(30)ej30", "0.5ej30.0000000000126"},
        ReadingCase{"magnitude_then_angle", "abs(2)ej30", "abs(2)ej30", "2ej29.9999999999983"},
        ReadingCase{"degree_sign_at_home", "1ej(30\u00B0)", "1ej(30)", "1ej30.0000000000126"},
        ReadingCase{"literal_stays_one_number", "2ej30+1", "2ej30+1",
                    "2.90931291117641ej20.1039093610163"}),
    testing_support::caseName<testing::TestParamInfo<ReadingCase>>);

class AngleRefusalTest : public testing::TestWithParam<RefusalCase> {};
TEST_P(AngleRefusalTest, RefusesAndSelects) { testing_support::expectRefusal(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Angles, AngleRefusalTest,
    testing::Values(
        RefusalCase{"complex_angle", "1ej(j30)", "1ej(j30)", std::string(kAngleNotReal), 0, 0},
        RefusalCase{"imaginary_magnitude", "j4ej(30)", "j4ej(30)", malformedNumberMessage("j4ej"),
                    0, 4},
        RefusalCase{"phasor_magnitude", "2ej30ej(30)", "2ej30ej(30)",
                    malformedNumberMessage("2ej30ej"), 0, 7},
        RefusalCase{"nothing_behind", "2ej", "2ej", malformedNumberMessage("2ej"), 0, 3},
        RefusalCase{"prefix_on_angle", "2ej30k", "2ej30k", malformedNumberMessage("2ej30k"), 0, 6}),
    testing_support::caseName<testing::TestParamInfo<RefusalCase>>);

class DegreeReadingTest : public testing::TestWithParam<ReadingCase> {};
TEST_P(DegreeReadingTest, DropsTheSign) { testing_support::expectReading(GetParam()); }

// Where an argument is in degrees, or nothing reads an angle, "°" is dropped.
INSTANTIATE_TEST_SUITE_P(
    Degrees, DegreeReadingTest,
    testing::Values(ReadingCase{"sine", "sin30\u00B0", "sin30", "0.5"},
                    ReadingCase{"sine_squared", "sin30\u00B0^2", "sin30^2", "0.25"},
                    ReadingCase{"phasor_angle", "2ej30\u00B0", "2ej30", "2ej29.9999999999983"},
                    ReadingCase{"sine_inside_exponent", "e^(j*sin(30\u00B0))", "e^(j1*sin(30))",
                                "1ej28.6478897565412"},
                    ReadingCase{"phasor_inside_exp", "exp(1ej30\u00B0)", "exp(1ej30)",
                                "2.3774426752359ej28.6478897565501"},
                    ReadingCase{"before_bracket", "30\u00B0(2)", "30*(2)", "60"},
                    ReadingCase{"prefix_elsewhere", "sin30\u00B0+1k", "sin30+1k", "1000.5"},
                    ReadingCase{"prefix_before_pi", "4.7k\u03C0", "4.7k*3.14159265358979",
                                "14765.485471872"},
                    ReadingCase{"not_behind_a_digit", "(30)\u00B0+1", "(30)+1", "31"}),
    testing_support::caseName<testing::TestParamInfo<ReadingCase>>);

class DegreeRefusalTest : public testing::TestWithParam<RefusalCase> {};
TEST_P(DegreeRefusalTest, SelectsTheSign) { testing_support::expectRefusal(GetParam()); }

// exp, e^ and every exponent take radians: the "°" is refused and selected.
INSTANTIATE_TEST_SUITE_P(
    Degrees, DegreeRefusalTest,
    testing::Values(RefusalCase{"exp", "exp(j30\u00B0)", "exp(j30\u00B0)",
                                std::string(kDegreeInRadians), 7, 1},
                    RefusalCase{"e_power", "e^(j30\u00B0)", "e^(j30\u00B0)",
                                std::string(kDegreeInRadians), 6, 1},
                    RefusalCase{"e_power_unbracketed", "e^j30\u00B0", "e^j30\u00B0",
                                std::string(kDegreeInRadians), 5, 1},
                    RefusalCase{"complex_exponent", "2^(j30\u00B0)", "2^(j30\u00B0)",
                                std::string(kDegreeInRadians), 6, 1},
                    RefusalCase{"real_exponent", "2^30\u00B0", "2^30\u00B0",
                                std::string(kDegreeInRadians), 4, 1},
                    RefusalCase{"second_sign_selected", "sin30\u00B0+e^(j45\u00B0)",
                                "sin30\u00B0+e^(j45\u00B0)", std::string(kDegreeInRadians), 13, 1},
                    RefusalCase{"between_digits", "30\u00B05", "30\u00B05",
                                malformedNumberMessage("30\u00B05"), 0, 4}),
    testing_support::caseName<testing::TestParamInfo<RefusalCase>>);

// A key evaluates its text without the repair: an angle expression there that
// lacks its operand is a refusal that names a part.
TEST(AngleExpressionKey, MissingOperandNamesAPart) {
    const KeyOutcome key = Engine().applyWordToOutput("abs", "7!ej-sin");
    EXPECT_TRUE(key.failure.empty());
    EXPECT_EQ(key.text2, keyErrorDisplay(missingOperandMessage("ej")));
}

}  // namespace
}  // namespace kalvox
