// The display setting: each setting's rendering of a table of values, the plain
// 15-digit setting showing every text as it is, and every shown text read back
// through the engine to the same value within its digits.
#include "model/value_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>

#include "engine/complex_value.h"
#include "engine/engine.h"

namespace kalvox {
namespace {

using enum DisplayNotation;

struct ShownRow {
    const char* name;
    const char* full;  // the value text as the engine wrote it
    DisplaySetting setting;
    const char* shown;
};

class DisplayTable : public testing::TestWithParam<ShownRow> {};

TEST_P(DisplayTable, ShowsTheValue) {
    EXPECT_EQ(displayedText(GetParam().full, GetParam().setting), GetParam().shown);
}

constexpr DisplaySetting kPlain15{Plain, 15};
constexpr DisplaySetting kPlain12{Plain, 12};
constexpr DisplaySetting kPlain10{Plain, 10};
constexpr DisplaySetting kPlain6{Plain, 6};
constexpr DisplaySetting kEng15{Engineering, 15};
constexpr DisplaySetting kEng10{Engineering, 10};
constexpr DisplaySetting kEng6{Engineering, 6};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, DisplayTable, testing::Values(
    // 常规 with 15 digits is the engine's text, character for character.
    ShownRow{"PlainKeepsReal", "31.8309886183791", kPlain15, "31.8309886183791"},
    ShownRow{"PlainKeepsPhasor", "10ej30.0000000000011", kPlain15, "10ej30.0000000000011"},
    ShownRow{"PlainKeepsError", "错误:除数为零。", kPlain15, "错误:除数为零。"},
    ShownRow{"PlainKeepsTypedText", " 1+", kPlain15, " 1+"},
    // 有效数字 in 常规.
    ShownRow{"TenDigitsRoundAngle", "10ej30.0000000000011", kPlain10, "10ej30"},
    ShownRow{"TwelveDigits", "31.8309886183791", kPlain12, "31.8309886184"},
    ShownRow{"SixDigits", "31.8309886183791", kPlain6, "31.831"},
    ShownRow{"SixDigitsNegative", "-2.5", kPlain6, "-2.5"},
    ShownRow{"SixDigitsSmall", "1.23456789E-05", kPlain6, "1.23457E-05"},
    ShownRow{"SixDigitsBecomesE", "1234567", kPlain6, "1.23457E+06"},
    ShownRow{"SixDigitsFraction", "0.000123456789", kPlain6, "0.000123457"},
    ShownRow{"SixDigitsMagnitudeAndAngle", "4.83655919486294ej48.0675372919715", kPlain6, "4.83656ej48.0675"},
    ShownRow{"SixDigitsCarry", "999999.7", kPlain6, "1E+06"},
    ShownRow{"NegatedReal", "-6", kPlain10, "-6"},
    ShownRow{"NegativeZero", "-0", kPlain10, "-0"},
    ShownRow{"AlgebraicForm", "3.00000000000001+j4", kPlain10, "3+j4"},
    ShownRow{"AlgebraicMinus", "1.73205080756888-j1", kPlain6, "1.73205-j1"},
    // 工程: an exponent that is a multiple of 3, as an SI prefix.
    ShownRow{"Kilo", "4700", kEng15, "4.7k"},
    ShownRow{"Micro", "2.2E-05", kEng15, "22\u00B5"},
    ShownRow{"Milli", "0.5", kEng15, "500m"},
    ShownRow{"Units", "31.8309886183791", kEng15, "31.8309886183791"},
    ShownRow{"UnitsTenDigits", "31.8309886183791", kEng10, "31.83098862"},
    ShownRow{"Mega", "6062177.82649107", kEng6, "6.06218M"},
    ShownRow{"Giga", "1E+09", kEng15, "1G"},
    ShownRow{"Tera", "123456789012345", kEng6, "123.457T"},
    ShownRow{"Pico", "4.7E-12", kEng15, "4.7p"},
    ShownRow{"Nano", "3.3E-08", kEng15, "33n"},
    ShownRow{"BeyondTera", "1.5E+15", kEng15, "1.5E+15"},
    ShownRow{"BeyondPico", "4.7E-14", kEng15, "47E-15"},
    ShownRow{"FarBeyond", "9.61927596824821E+151", kEng6, "96.1928E+150"},
    ShownRow{"NegativeKilo", "-4700", kEng15, "-4.7k"},
    ShownRow{"CarryToNextPrefix", "999999.7", kEng6, "1M"},
    ShownRow{"Zero", "0", kEng15, "0"},
    ShownRow{"PhasorMagnitudeGetsPrefix", "46000ej-53.130102354156", kEng15, "46kej-53.130102354156"},
    ShownRow{"PhasorAngleStaysDegrees", "0.046ej-153.130102354156", kEng6, "46mej-153.13"},
    ShownRow{"PhasorTenDigits", "10ej30.0000000000011", kEng10, "10ej30"},
    ShownRow{"AlgebraicBothParts", "3000+j4000", kEng15, "3k+j4k"},
    ShownRow{"ErrorUnchanged", "错误:除数为零。", kEng6, "错误:除数为零。"},
    ShownRow{"ExpressionUnchanged", "1+2", kEng6, "1+2"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// --- Round trips: what is shown reads back to the value within its digits ------

// The shown text as the engine reads it: an SI prefix after a number becomes its
// power of ten (the engine does not read prefixes yet).
std::string withPowersOfTen(const std::string& shown) {
    struct Prefix {
        const char* text;
        const char* power;
    };
    const Prefix prefixes[] = {{"p", "E-12"}, {"n", "E-9"}, {"\u00B5", "E-6"}, {"m", "E-3"},
                               {"k", "E3"},   {"M", "E6"},  {"G", "E9"},       {"T", "E12"}};
    std::string out;
    for (std::size_t i = 0; i < shown.size();) {
        bool replaced = false;
        for (const Prefix& p : prefixes) {
            const std::string text = p.text;
            if (shown.compare(i, text.size(), text) == 0) {
                out += p.power;
                i += text.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += shown[i++];
    }
    return out;
}

// A value text as a complex number.
std::complex<double> valueOf(const std::string& text) {
    const PolarValue v = readPolar(text);
    return std::polar(v.magnitude, v.angle * std::acos(-1.0) / 180);
}

TEST(DisplayRoundTrip, EveryShownTextReadsBackWithinItsDigits) {
    const char* values[] = {"31.8309886183791",
                            "4700",
                            "2.2E-05",
                            "-4700",
                            "0.5",
                            "6062177.82649107",
                            "1.5E+15",
                            "4.7E-14",
                            "123456789012345",
                            "9.61927596824821E+151",
                            "1E-300",
                            "0.000123456789",
                            "10ej30.0000000000011",
                            "46ej-53.130102354156",
                            "0.046ej-153.130102354156",
                            "-6.5ej12.3456789012345",
                            "999999.7",
                            "1.00000000000001"};
    for (DisplayNotation notation : {Plain, Engineering}) {
        for (int digits : kDisplayDigits) {
            const DisplaySetting setting{notation, digits};
            for (const char* full : values) {
                const std::string shown = displayedText(full, setting);
                Engine engine;
                const Outcome read = engine.evaluate(withPowersOfTen(shown));
                SCOPED_TRACE(std::string(full) + " shown " + shown + " read " + read.text2);
                ASSERT_FALSE(read.failed);
                const std::complex<double> expected = valueOf(full);
                // Half a unit in the last shown digit of the magnitude and of the angle
                // (degrees, so its share moves the value by the angle in radians
                // times as much), and what the engine's own reading of a phasor
                // leaves (its parts to 12 decimals).
                const double share = 0.5 * std::pow(10.0, 1 - digits) + 1e-12;
                const double angle = std::fabs(readPolar(full).angle) * std::acos(-1.0) / 180;
                EXPECT_LE(std::abs(valueOf(read.text2) - expected),
                          share * (1 + angle) * std::abs(expected) + 1e-12);
            }
        }
    }
}

TEST(DisplaySetting, OffersFourDigitCountsAndThePlain15IsTheFullText) {
    EXPECT_TRUE(isDisplayDigits(15));
    EXPECT_TRUE(isDisplayDigits(12));
    EXPECT_TRUE(isDisplayDigits(10));
    EXPECT_TRUE(isDisplayDigits(6));
    EXPECT_FALSE(isDisplayDigits(7));
    EXPECT_FALSE(isDisplayDigits(0));
    EXPECT_TRUE(DisplaySetting{}.isFullText());
    EXPECT_FALSE((DisplaySetting{Engineering, 15}).isFullText());
    EXPECT_FALSE((DisplaySetting{Plain, 10}).isFullText());
}

TEST(DisplaySetting, PrefixesCoverPicoToTera) {
    EXPECT_EQ(siPrefix(-12), "p");
    EXPECT_EQ(siPrefix(-6), "\u00B5");
    EXPECT_EQ(siPrefix(0), "");
    EXPECT_EQ(siPrefix(12), "T");
    EXPECT_FALSE(siPrefix(15).has_value());
    EXPECT_FALSE(siPrefix(-15).has_value());
    EXPECT_FALSE(siPrefix(4).has_value());
}

}  // namespace
}  // namespace kalvox
