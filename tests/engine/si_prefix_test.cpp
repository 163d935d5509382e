// SI prefixes behind a number: whole evaluations from the typed text to both
// boxes and the selection.

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/error_messages.h"
#include "tests/engine/evaluation_cases.h"

namespace kalvox {
namespace {

using PrefixCase = testing_support::ReadingCase;
using PrefixRefusalCase = testing_support::RefusalCase;

class PrefixReadingTest : public testing::TestWithParam<PrefixCase> {};

TEST_P(PrefixReadingTest, ReadsThePrefix) { testing_support::expectReading(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Table, PrefixReadingTest,
    testing::Values(
        // Each prefix.
        PrefixCase{"pico", "3p", "3p", "3E-12"}, PrefixCase{"nano", "2.2n", "2.2n", "2.2E-09"},
        PrefixCase{"micro_u", "100u", "100u", "0.0001"},
        PrefixCase{"micro_sign", "100\u00B5", "100\u00B5", "0.0001"},
        PrefixCase{"greek_mu", "22\u03BC", "22\u03BC", "2.2E-05"},
        PrefixCase{"milli", "10m", "10m", "0.01"}, PrefixCase{"kilo", "4.7k", "4.7k", "4700"},
        PrefixCase{"mega", "1M", "1M", "1000000"}, PrefixCase{"giga", "2.5G", "2.5G", "2500000000"},
        PrefixCase{"tera", "1T", "1T", "1000000000000"},
        PrefixCase{"point_first", ".5k", ".5k", "500"},
        // In expressions.
        PrefixCase{"filter", "1/(2\u03C0*50*100u)", "1/(2*3.14159265358979*50*100u)",
                   "31.8309886183791"},
        PrefixCase{"over_root", "10.5k/\u221A3", "10.5k/sqrt3", "6062.17782649106"},
        PrefixCase{"milli_times", "2m*3", "2m*3", "0.006"},
        PrefixCase{"parallel", "1k||1k", "1k||1k", "500"},
        PrefixCase{"sum", "1k+1M", "1k+1M", "1001000"}, PrefixCase{"minus", "1k-1", "1k-1", "999"},
        PrefixCase{"power", "2k^2", "2k^2", "4000000"},
        PrefixCase{"bracket_after", "2k(3)", "2k*(3)", "6000"},
        PrefixCase{"function_after", "2ksin30", "2k*sin30", "1000"},
        PrefixCase{"function_argument", "sqrt4M", "sqrt4M", "2000"},
        // Complex numbers: a prefix belongs to a real or to a magnitude.
        PrefixCase{"magnitude", "2kej30", "2kej30", "2000ej30"},
        PrefixCase{"imaginary_j_first", "j4.7k", "j4.7k", "4700ej90"},
        PrefixCase{"imaginary_j_last", "4.7kj", "4.7kj", "4700ej90"},
        PrefixCase{"algebraic", "1k+j2k", "1k+j2k", "2236.06797749979ej63.434948822922"},
        // Words keep their meaning: the longest known word first.
        PrefixCase{"tan_after_number", "2tan45", "2*tan45", "2"},
        PrefixCase{"exponent", "1E3", "1E3", "1000"},
        PrefixCase{"exponential_upper", "2EJ30", "2EJ30", "2ej29.9999999999983"},
        PrefixCase{"exp_after_number", "2exp0", "2*exp0", "2"}),
    [](const auto& info) { return std::string(info.param.name); });

class PrefixRefusalTest : public testing::TestWithParam<PrefixRefusalCase> {};

TEST_P(PrefixRefusalTest, RefusesAndSelects) { testing_support::expectRefusal(GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Table, PrefixRefusalTest,
    testing::Values(
        // No number before it: a word, as before.
        PrefixRefusalCase{"alone", "k", "k", unrecognisedInputMessage("k"), 0, 1},
        PrefixRefusalCase{"before_digit", "m2", "m2", unrecognisedInputMessage("m"), 0, 1},
        PrefixRefusalCase{"k_then_digit", "k1", "k1", unrecognisedInputMessage("k"), 0, 1},
        PrefixRefusalCase{"after_blank", "4.7 k", "4.7 k", unrecognisedInputMessage("k"), 4, 1},
        PrefixRefusalCase{"after_bracket", "(2)k", "(2)k", unrecognisedInputMessage("k"), 3, 1},
        PrefixRefusalCase{"unknown_unit", "3ms", "3ms", unrecognisedInputMessage("ms"), 1, 2},
        PrefixRefusalCase{"not_a_prefix", "3K", "3K", unrecognisedInputMessage("K"), 1, 1},
        PrefixRefusalCase{"two_prefixes", "1kk", "1kk", unrecognisedInputMessage("kk"), 1, 2},
        // A digit, an exponent or an angle with the prefix: never a product.
        PrefixRefusalCase{"resistor_code", "1k2", "1k2", malformedNumberMessage("1k2"), 0, 3},
        PrefixRefusalCase{"point_after", "1k.5", "1k.5", malformedNumberMessage("1k.5"), 0, 4},
        PrefixRefusalCase{"after_exponent", "1.5e3k", "1.5e3k", malformedNumberMessage("1.5e3k"), 0,
                          6},
        PrefixRefusalCase{"exponent_after", "1ke3", "1ke3", malformedNumberMessage("1ke3"), 0, 4},
        PrefixRefusalCase{"on_the_angle", "2ej30k", "2ej30k", malformedNumberMessage("2ej30k"), 0,
                          6},
        PrefixRefusalCase{"micro_then_digit", "1\u00B52", "1\u00B52",
                          malformedNumberMessage("1\u00B52"), 0, 3},
        PrefixRefusalCase{"micro_micro", "1\u00B5\u00B5", "1\u00B5\u00B5",
                          unrecognisedInputMessage("\u00B5"), 2, 1},
        // A control byte in the text is refused, whatever the steps use it for.
        PrefixRefusalCase{"control_byte", "1\x10", "1\x10", unrecognisedInputMessage("\x10"), 1, 1},
        PrefixRefusalCase{"control_byte_and_prefix", "1\x11+1k", "1\x11+1k",
                          unrecognisedInputMessage("\x11"), 1, 1},
        PrefixRefusalCase{"second_item_selected", "1+2k3", "1+2k3", malformedNumberMessage("2k3"),
                          2, 3}),
    [](const auto& info) { return std::string(info.param.name); });

// What a display in engineering notation shows reads back as the same value.
struct RoundTripCase {
    const char* name;
    const char* shown;
    const char* value;  // the full value text of the same number
};

class PrefixRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(PrefixRoundTripTest, ReadsBackAsTheValue) {
    const auto& c = GetParam();
    EXPECT_EQ(Engine().evaluate(c.shown).text2, Engine().evaluate(c.value).text2);
}

INSTANTIATE_TEST_SUITE_P(Table, PrefixRoundTripTest,
                         testing::Values(RoundTripCase{"kilo", "4.7k", "4700"},
                                         RoundTripCase{"micro", "22\u00B5", "2.2E-05"},
                                         RoundTripCase{"negative_milli", "-15m", "-0.015"},
                                         RoundTripCase{"exponential", "46ej-53.130102354156",
                                                       "46ej-53.130102354156"},
                                         RoundTripCase{"exponential_kilo", "4.6kej-53.130102354156",
                                                       "4600ej-53.130102354156"},
                                         RoundTripCase{"algebraic", "3k+j4k", "3000+j4000"},
                                         RoundTripCase{"pico", "470p", "4.7E-10"},
                                         RoundTripCase{"tera", "1.5T", "1.5E12"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kalvox
