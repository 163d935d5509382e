#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "engine/detail/number_text_general.h"

namespace kalvox {
namespace {

struct NumberTextCase {
    const char* name;
    double value;
    const char* text;
};

class NumberTextTest : public testing::TestWithParam<NumberTextCase> {};

TEST_P(NumberTextTest, WritesFifteenSignificantDigits) {
    EXPECT_EQ(numberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberTextTest,
    testing::Values(NumberTextCase{"zero", 0.0, "0"}, NumberTextCase{"negative_zero", -0.0, "0"},
                    NumberTextCase{"integer", 120, "120"}, NumberTextCase{"half", 0.5, "0.5"},
                    NumberTextCase{"negative", -2.5, "-2.5"},
                    NumberTextCase{"small_plain", 0.0001, "0.0001"},
                    NumberTextCase{"small_sci", 0.00001, "1E-05"},
                    NumberTextCase{"large_sci", 1.5e16, "1.5E+16"},
                    NumberTextCase{"exponent_15", 1e15, "1E+15"},
                    NumberTextCase{"exponent_14", 123456789012345.0, "123456789012345"},
                    NumberTextCase{"factorial_97", 9.61927596824821e151, "9.61927596824821E+151"},
                    NumberTextCase{"rounded_to_15", 0.1 + 0.2, "0.3"},
                    NumberTextCase{"one_third", 1.0 / 3, "0.333333333333333"},
                    NumberTextCase{"sqrt2", std::sqrt(2.0), "1.4142135623731"},
                    NumberTextCase{"three_digit_exponent", 1e-300, "1E-300"},
                    NumberTextCase{"rounds_up_to_next_power", 9.9999999999999999e14, "1E+15"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ParseCase {
    const char* name;
    const char* text;
    double value;
};

class LeadingNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(LeadingNumberTest, ReadsTheLongestNumericPrefix) {
    auto v = leadingNumber(GetParam().text);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LeadingNumberTest,
    testing::Values(
        ParseCase{"empty", "", 0}, ParseCase{"lone_minus", "-", 0},
        ParseCase{"blank_after_sign", "- 5", -5}, ParseCase{"trailing_letters", "12abc", 12},
        ParseCase{"exponential_value", "5ej30", 5}, ParseCase{"leading_point", ".5", 0.5},
        ParseCase{"negative_leading_point", "-.5", -0.5},
        ParseCase{"lower_exponent", "1e-05", 1e-05}, ParseCase{"upper_exponent", "1.5E+16", 1.5e16},
        ParseCase{"exponent_without_digits", "2e", 2}, ParseCase{"exponent_then_j", "2ej30", 2},
        ParseCase{"blanks_inside", " 1 2 . 5 ", 12.5}, ParseCase{"plus_sign", "+7", 7},
        ParseCase{"trailing_point", "5.", 5}, ParseCase{"no_number", "j4", 0},
        ParseCase{"underflow_is_zero", "1e-999", 0},
        ParseCase{"many_digits", "0.333333333333333", 0.333333333333333}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LeadingNumber, TooLargeIsOverflow) {
    EXPECT_FALSE(leadingNumber("1e999").has_value());
    EXPECT_FALSE(leadingNumber(std::string(400, '9')).has_value());
    EXPECT_FALSE(leadingNumber("-1e309").has_value());
}

TEST(RoundTo, RoundsHalfToEvenOnTheExactValue) {
    EXPECT_EQ(roundTo(180.000000001, 8), 180);
    EXPECT_EQ(roundTo(179.9999, 8), 179.9999);
    EXPECT_EQ(roundTo(2.5e-13, 12), 0);
    EXPECT_EQ(roundTo(-0.0000000000004, 12), 0);
    EXPECT_EQ(roundTo(1e300, 15), 1e300);
}

TEST(ComplexAngle, CoversEveryQuadrant) {
    EXPECT_EQ(complexAngle(0, 0), 0);
    EXPECT_EQ(complexAngle(0, 2), 90);
    EXPECT_EQ(complexAngle(0, -2), -90);
    EXPECT_EQ(complexAngle(-3, 0), 180);
    EXPECT_EQ(numberText(complexAngle(3, 4)), "53.130102354156");
    EXPECT_GT(complexAngle(-1, 1), 90);
    EXPECT_LT(complexAngle(-1, -1), -90);
}

}  // namespace
}  // namespace kalvox

namespace kalvox {
namespace {

TEST(LeadingNumber, SubnormalsKeepTheirValue) {
    EXPECT_EQ(*leadingNumber("57.2899616307594e-320"), 57.2899616307594e-320);
    EXPECT_EQ(*leadingNumber("-4.9e-324"), -4.9e-324);
    EXPECT_EQ(*leadingNumber("1e-400"), 0);
}

}  // namespace
}  // namespace kalvox

#include <bit>
#include <cstdint>
#include <random>

namespace kalvox {
namespace {

// Doubles of every magnitude the calculator meets, with extra weight next to
// powers of ten and to decimal halves, where a shortcut could round differently.
std::vector<double> awkwardDoubles() {
    std::mt19937_64 random(20261207);
    std::vector<double> values;
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 17);
    for (int i = 0; i < 200000; ++i) {
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    }
    for (int e = -12; e <= 17; ++e) {
        const double ten = std::pow(10.0, e);
        for (double v : {ten, std::nextafter(ten, 0.0), std::nextafter(ten, 1e300)}) {
            for (int step = -3; step <= 3; ++step) {
                values.push_back(std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) + step));
            }
        }
    }
    for (int i = 0; i < 20000; ++i) {
        // x.yyy5 at various decimal positions: exact decimal halves nearby.
        const double half = (std::floor(mantissa(random) * 1e6) + 0.5) / 1e6;
        values.push_back(half);
        values.push_back(half * 1e8);
        values.push_back(std::nextafter(half, 0.0));
    }
    return values;
}

TEST(NumberTextShortcut, AgreesWithTheGeneralConversion) {
    for (double v : awkwardDoubles()) {
        ASSERT_EQ(numberText(v), numberTextGeneral(v)) << std::hexfloat << v;
        ASSERT_EQ(numberText(-v), numberTextGeneral(-v)) << std::hexfloat << v;
    }
}

// Doubles where rounding's shortcuts change hands: on both sides of every
// power of two from which a rounding is the value itself, and across the range
// where the scaled value lies between 2^51 and 2^53.
std::vector<double> roundingRanges() {
    std::mt19937_64 random(20261208);
    std::vector<double> values;
    for (double bound : {8.0, 8192.0, 67108864.0}) {
        for (double edge : {bound, bound / 2, bound * 2}) {
            for (int step = -200; step <= 200; ++step)
                values.push_back(std::bit_cast<double>(std::bit_cast<std::uint64_t>(edge) + step));
        }
    }
    const std::pair<double, double> ranges[] = {
        {2.0, 16.0}, {2251.0, 9100.0}, {2.2e7, 1.4e8}, {4000.0, 4200.0}};
    for (auto [low, high] : ranges) {
        std::uniform_real_distribution<double> in(low, high);
        for (int i = 0; i < 50000; ++i) values.push_back(in(random));
        // Decimal halves at the 8th, 12th and 15th place, and their neighbours.
        for (double unit : {1e-8, 1e-12, 1e-15}) {
            for (int i = 0; i < 5000; ++i) {
                const double half = (std::floor(in(random) / unit) + 0.5) * unit;
                values.push_back(half);
                values.push_back(std::nextafter(half, 0.0));
                values.push_back(std::nextafter(half, 1e300));
            }
        }
    }
    return values;
}

TEST(RoundToShortcut, AgreesWithTheGeneralConversionWhereShortcutsMeet) {
    for (double v : roundingRanges()) {
        for (int n : {8, 12, 15}) {
            for (double x : {v, -v}) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(roundTo(x, n)),
                          std::bit_cast<std::uint64_t>(roundToGeneral(x, n)))
                    << std::hexfloat << x << " at " << n;
            }
        }
        ASSERT_EQ(numberText(v), numberTextGeneral(v)) << std::hexfloat << v;
    }
}

TEST(RoundToShortcut, KeepsTheValueFromTheSpacingBoundOn) {
    // The first double above each bound is its own rounding; the last below is not always.
    EXPECT_EQ(roundTo(std::nextafter(8192.0, 1e300), 12), std::nextafter(8192.0, 1e300));
    EXPECT_EQ(roundToGeneral(std::nextafter(8192.0, 1e300), 12), std::nextafter(8192.0, 1e300));
    // Below 8192 the spacing is 2^-40: 4096 + 6 * 2^-40 rounds to 4096.000000000005,
    // whose nearest double is 4096 + 5 * 2^-40.
    const double below = 4096 + 6 * std::ldexp(1.0, -40);
    EXPECT_EQ(roundToGeneral(below, 12), 4096 + 5 * std::ldexp(1.0, -40));
    EXPECT_EQ(roundTo(below, 12), roundToGeneral(below, 12));
}

// The angle routine as its rule reads: both parts rounded by the general
// conversion, then the table of cases.
double literalAngle(double x, double y) {
    // 12 decimals from 0.01 up; below, 10 significant digits of the larger part.
    const double larger = std::max(std::fabs(x), std::fabs(y));
    const int decimals =
        larger >= 0.01 || larger == 0 ? 12 : 10 - static_cast<int>(std::floor(std::log10(larger)));
    x = roundToGeneral(x, decimals);
    y = roundToGeneral(y, decimals);
    if (x == 0) return y == 0 ? 0 : (y > 0 ? 90 : -90);
    if (x > 0) return radToDeg(std::atan(y / x));
    if (y == 0) return 180;
    const double t = std::atan(y / x);
    return t > 0 ? radToDeg(t) - 180 : radToDeg(t) + 180;
}

TEST(ComplexAngleShortcut, AgreesWithTheRuleOnTheAxesAndOffThem) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> wide(-1e6, 1e6);
    std::uniform_real_distribution<double> narrow(-2, 2);
    std::vector<double> parts = {0.0,   -0.0,   1.0,   -1.0,  std::nextafter(1.0, 0.0),
                                 5e-13, -5e-13, 4e-13, 6e-13, 1e-300};
    for (int i = 0; i < 2000; ++i) {
        parts.push_back(wide(random));
        parts.push_back(narrow(random));
        parts.push_back(narrow(random) * 1e-12);
    }
    for (double x : parts) {
        for (double y : {0.0, -0.0, 1e-13, x, narrow(random)}) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(complexAngle(x, y)),
                      std::bit_cast<std::uint64_t>(literalAngle(x, y)))
                << std::hexfloat << x << ", " << y;
        }
    }
}

TEST(RoundToShortcut, AgreesWithTheGeneralConversion) {
    for (double v : awkwardDoubles()) {
        for (int n : {8, 12, 15}) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(roundTo(v, n)),
                      std::bit_cast<std::uint64_t>(roundToGeneral(v, n)))
                << std::hexfloat << v << " at " << n;
        }
    }
}

}  // namespace
}  // namespace kalvox
