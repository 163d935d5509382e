// The phasor diagram's description: registers read as values, arrows and scales,
// the head-to-tail chain and its sum, grouping by unit, and the SVG written from it.

#include "model/phasor_diagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "model/panel_model.h"
#include "model/phasor_svg.h"
#include "model/utf16.h"

namespace kalvox {
namespace {

using Complex = std::complex<double>;

Complex fromPolar(double magnitude, double degrees) {
    return std::polar(magnitude, degrees * std::numbers::pi / 180);
}

Complex at(PhasorPoint p) { return {p.x, p.y}; }

// Registers from (tag, content) pairs, register 1 first.
MemoryRegisters registersOf(std::vector<std::pair<std::string, std::string>> rows) {
    MemoryRegisters registers;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        registers[i].tag = rows[i].first;
        registers[i].content = rows[i].second;
    }
    return registers;
}

// --- Register contents read as values ----------------------------------------------

struct ReadRow {
    const char* name;
    const char* content;
    std::optional<Complex> value;
};

class ReadPhasor : public testing::TestWithParam<ReadRow> {};

TEST_P(ReadPhasor, AsTheEngineReadsIt) {
    const ReadRow& r = GetParam();
    const std::optional<Phasor> got = readPhasor(r.content);
    ASSERT_EQ(got.has_value(), r.value.has_value()) << r.content;
    if (!got) return;
    EXPECT_GE(got->magnitude, 0);
    EXPECT_GT(got->angle, -180);
    EXPECT_LE(got->angle, 180);
    EXPECT_NEAR(std::abs(fromPolar(got->magnitude, got->angle) - *r.value), 0,
                1e-12 * (1 + std::abs(*r.value)))
        << r.content;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Model, ReadPhasor, testing::Values(
    ReadRow{"Exponential", "99.773373761495ej14.6663315232766",
            fromPolar(99.773373761495, 14.6663315232766)},
    ReadRow{"Real", "230", Complex(230, 0)},
    ReadRow{"NegativeReal", "-5", Complex(-5, 0)},
    ReadRow{"Scientific", "1E-05", Complex(1e-5, 0)},
    ReadRow{"Zero", "0", Complex(0, 0)},
    ReadRow{"AlgebraicAfterEjJ", "3+j4", Complex(3, 4)},
    ReadRow{"AlgebraicNegativeImaginary", "3-j4", Complex(3, -4)},
    ReadRow{"Imaginary", "j4", Complex(0, 4)},
    ReadRow{"NegativeImaginary", "-j4", Complex(0, -4)},
    ReadRow{"AngleBeyond180", "5ej400", fromPolar(5, 40)},
    ReadRow{"NegativeMagnitude", "-2ej30", fromPolar(2, -150)},
    ReadRow{"BlanksAround", "  230  ", Complex(230, 0)},
    ReadRow{"Nothing", "", std::nullopt},
    ReadRow{"OnlyBlanks", "   ", std::nullopt},
    ReadRow{"ErrorDisplay", "错误:除数为零。", std::nullopt},
    ReadRow{"ErrorWithoutStop", "错误:不能对复数求函数值", std::nullopt},
    ReadRow{"Expression", "1+2", std::nullopt},
    ReadRow{"TypedWord", "abc", std::nullopt},
    ReadRow{"NumberWithText", "12abc", std::nullopt},
    ReadRow{"TooLarge", "1E+400", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// --- Arrows and scale ----------------------------------------------------------------

struct ArrowRow {
    const char* name;
    std::vector<std::pair<std::string, std::string>> registers;  // (tag, content)
    bool groupByUnit;
    std::vector<std::string> names;   // the arrows, in order
    std::vector<Complex> ends;        // where they end, the circle being radius 1
    std::vector<std::string> values;  // their polar texts
    std::vector<std::string> scales;  // the legend's scale lines
    bool groupingOffered;
};

class PhasorArrows : public testing::TestWithParam<ArrowRow> {};

TEST_P(PhasorArrows, EndWhereTheValuesPoint) {
    const ArrowRow& r = GetParam();
    PhasorOptions options;
    options.groupByUnit = r.groupByUnit;
    const PhasorDiagram d = phasorDiagram(registerPhasors(registersOf(r.registers)), options);
    EXPECT_EQ(d.groupingOffered, r.groupingOffered);
    EXPECT_EQ(d.grouped, r.groupingOffered && r.groupByUnit);
    ASSERT_EQ(d.arrows.size(), r.names.size());
    for (std::size_t i = 0; i < d.arrows.size(); ++i) {
        const PhasorArrow& a = d.arrows[i];
        EXPECT_EQ(a.name, r.names[i]);
        EXPECT_EQ(a.label.text, r.names[i]);
        EXPECT_EQ(a.valueText, r.values[i]);
        EXPECT_EQ(at(a.from), Complex(0, 0)) << a.name;
        EXPECT_NEAR(std::abs(at(a.to) - r.ends[i]), 0, 1e-12) << a.name;
        EXPECT_FALSE(a.dashed);
        // Every arrow in a colour of its own, none of them the grid's or the sum's.
        for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(a.colour == d.arrows[j].colour);
        EXPECT_FALSE(a.colour == kGridColour);
        EXPECT_FALSE(a.colour == kSumColour);
    }
    EXPECT_TRUE(d.sums.empty());
    std::vector<std::string> scales;
    for (const PhasorScale& s : d.scales) scales.push_back(s.text);
    EXPECT_EQ(scales, r.scales);
    // The legend: one line per arrow, then the scales.
    ASSERT_EQ(d.legend.size(), r.names.size() + r.scales.size());
    for (std::size_t i = 0; i < r.names.size(); ++i) {
        EXPECT_EQ(d.legend[i], r.names[i] + "  " + r.values[i]);
    }
    EXPECT_EQ(d.circleRadius, 1);
    EXPECT_GE(d.extent, 1.1);
}

const double kHalf = std::sqrt(3.0) / 2;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Model, PhasorArrows, testing::Values(
    ArrowRow{"BalancedThreePhase",
             {{"Ua", "230"}, {"Ub", "230ej-120"}, {"Uc", "230ej120"}}, false,
             {"Ua", "Ub", "Uc"},
             {{1, 0}, {-0.5, -kHalf}, {-0.5, kHalf}},
             {"230∠0°", "230∠-120°", "230∠120°"},
             {"圆 = 230"}, false},
    ArrowRow{"UnbalancedThreePhase",
             {{"Ia", "100ej10"}, {"Ib", "80ej-100"}, {"Ic", "125ej135"}}, false,
             {"Ia", "Ib", "Ic"},
             {fromPolar(0.8, 10), fromPolar(0.64, -100), fromPolar(1, 135)},
             {"100∠10°", "80∠-100°", "125∠135°"},
             {"圆 = 125"}, false},
    ArrowRow{"SingleReal", {{"", "5"}}, false,
             {"MW1"}, {{1, 0}}, {"5∠0°"}, {"圆 = 5"}, false},
    ArrowRow{"NegativeReal", {{"", "-5"}}, false,
             {"MW1"}, {{-1, 0}}, {"5∠180°"}, {"圆 = 5"}, false},
    ArrowRow{"AlgebraicAndImaginary", {{"Z", "3+j4"}, {"", "j10"}}, false,
             {"Z", "MW2"}, {{0.3, 0.4}, {0, 1}},
             {"5∠53.130102354156°", "10∠90°"}, {"圆 = 10"}, false},
    ArrowRow{"MixedMagnitudesOnOneScale", {{"U", "230"}, {"I", "5ej-30"}}, false,
             {"U", "I"}, {{1, 0}, fromPolar(5.0 / 230, -30)},
             {"230∠0°", "5∠-30°"}, {"圆 = 230"}, true},
    ArrowRow{"MixedMagnitudesGroupedByUnit", {{"U", "230"}, {"I", "5ej-30"}}, true,
             {"U", "I"}, {{1, 0}, fromPolar(1, -30)},
             {"230∠0°", "5∠-30°"}, {"U/V:圆 = 230", "I:圆 = 5"}, true},
    ArrowRow{"GroupingKeepsRegisterOrder",
             {{"Ia", "10"}, {"Ua", "10000ej30"}, {"", "400"}}, true,
             {"Ia", "Ua", "MW3"}, {{1, 0}, fromPolar(1, 30), {1, 0}},
             {"10∠0°", "10000∠30°", "400∠0°"},
             {"U/V:圆 = 10000", "I:圆 = 10", "其他:圆 = 400"}, true},
    ArrowRow{"MixedMagnitudesWithoutUnitTags", {{"", "230"}, {"", "5"}}, true,
             {"MW1", "MW2"}, {{1, 0}, {5.0 / 230, 0}},
             {"230∠0°", "5∠0°"}, {"圆 = 230"}, false},
    ArrowRow{"RatioOfExactly20IsNotOffered", {{"U", "100"}, {"I", "5"}}, true,
             {"U", "I"}, {{1, 0}, {0.05, 0}},
             {"100∠0°", "5∠0°"}, {"圆 = 100"}, false},
    ArrowRow{"ErrorsAndBlanksLeftOut",
             {{"Ua", "错误:除数为零。"}, {"Ub", ""}, {"", "220ej-120"}, {"x", "1+"}}, false,
             {"MW3"}, {fromPolar(1, -120)}, {"220∠-120°"}, {"圆 = 220"}, false},
    ArrowRow{"ZeroBesideAValue", {{"U0", "0"}, {"U1", "220"}}, false,
             {"U0", "U1"}, {{0, 0}, {1, 0}}, {"0∠0°", "220∠0°"}, {"圆 = 220"}, false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PhasorDiagram, NoValueGivesOneLine) {
    for (const MemoryRegisters& registers :
         {registersOf({}), registersOf({{"Ua", "错误:除数为零。"}, {"Ub", " "}})}) {
        const PhasorDiagram d = phasorDiagram(registerPhasors(registers), {});
        EXPECT_TRUE(d.empty());
        EXPECT_EQ(d.message, kNoPhasorMessage);
        EXPECT_EQ(d.message.find('\n'), std::string::npos);
    }
}

TEST(PhasorDiagram, AngleMarksEvery30Degrees) {
    const PhasorDiagram d = phasorDiagram(registerPhasors(registersOf({{"", "1"}})), {});
    ASSERT_EQ(d.ticks.size(), 12u);
    std::vector<std::string> texts;
    for (const PhasorTick& t : d.ticks) {
        texts.push_back(t.label.text);
        EXPECT_NEAR(std::abs(at(t.inner) - fromPolar(1, t.angle)), 0, 1e-12);
        EXPECT_GT(std::abs(at(t.outer)), 1);
        EXPECT_LE(std::abs(at(t.label.at)), d.extent);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"0°", "30°", "60°", "90°", "120°", "150°", "180°",
                                               "-150°", "-120°", "-90°", "-60°", "-30°"}));
}

TEST(PhasorDiagram, LabelsUseTheDisplayDigits) {
    PhasorOptions options;
    options.digits = 4;
    const PhasorDiagram d = phasorDiagram(
        registerPhasors(registersOf({{"Ia", "99.773373761495ej14.6663315232766"}})), options);
    ASSERT_EQ(d.arrows.size(), 1u);
    EXPECT_EQ(d.arrows[0].valueText, "99.77∠14.67°");
    EXPECT_EQ(d.scales[0].text, "圆 = 99.77");
    EXPECT_EQ(polarLabel({1234567, -0.000123456}, 3), "1230000∠-0.000123°");
    EXPECT_EQ(polarLabel({99.773373761495, 14.6663315232766}, 15),
              "99.773373761495∠14.6663315232766°");
}

TEST(PhasorDiagram, AnArrowUnderOthersIsDrawnWider) {
    const PhasorDiagram d = phasorDiagram(
        registerPhasors(registersOf({{"Ua", "220"}, {"U1", "220"}, {"", "220.0001"}, {"", "0"}})),
        {});
    ASSERT_EQ(d.arrows.size(), 4u);
    EXPECT_EQ(d.arrows[0].covered, 2);
    EXPECT_EQ(d.arrows[1].covered, 1);
    EXPECT_EQ(d.arrows[2].covered, 0);
    EXPECT_EQ(d.arrows[3].covered, 0);  // a dot covers nothing
    EXPECT_GT(arrowLineWidth(d.arrows[0]), arrowLineWidth(d.arrows[1]));
    const ArrowHead wide = arrowHeadOf(d.arrows[0], {0, 0}, {100, 0});
    const ArrowHead narrow = arrowHeadOf(d.arrows[1], {0, 0}, {100, 0});
    EXPECT_GT(wide.left.y - wide.right.y, narrow.left.y - narrow.right.y);
    // The names of arrows on one another do not lie on one another in the picture.
    const std::vector<PhasorLabel> labels =
        placedLabels(d, phasorFrame(d, 0, 0, kSvgDiagramSide), 14);
    ASSERT_EQ(labels.size(), 4u);
    EXPECT_GE(std::fabs(labels[0].at.y - labels[1].at.y), 14);
    EXPECT_GE(std::fabs(labels[1].at.y - labels[2].at.y), 14);
    EXPECT_GE(std::fabs(labels[0].at.y - labels[2].at.y), 14);
}

// --- Head to tail ----------------------------------------------------------------------

TEST(PhasorHeadToTail, ChainsInRegisterOrderAndDashesTheSum) {
    const std::vector<Complex> phases = {fromPolar(230, 0), fromPolar(200, -110),
                                         fromPolar(250, 125)};
    PhasorOptions options;
    options.view = PhasorView::HeadToTail;
    const PhasorDiagram d = phasorDiagram(
        registerPhasors(registersOf({{"Ua", "230"}, {"Ub", "200ej-110"}, {"Uc", "250ej125"}})),
        options);
    ASSERT_EQ(d.arrows.size(), 3u);
    Complex end = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(std::abs(at(d.arrows[i].from) - end), 0, 1e-12) << i;
        end += phases[i] / 250.0;
        EXPECT_NEAR(std::abs(at(d.arrows[i].to) - end), 0, 1e-12) << i;
    }
    ASSERT_EQ(d.sums.size(), 1u);
    const PhasorArrow& sum = d.sums[0];
    EXPECT_TRUE(sum.dashed);
    EXPECT_EQ(sum.name, "Σ");
    EXPECT_EQ(at(sum.from), Complex(0, 0));
    EXPECT_NEAR(std::abs(at(sum.to) - end), 0, 1e-12);
    const Complex total = phases[0] + phases[1] + phases[2];
    EXPECT_NEAR(std::abs(fromPolar(sum.value.magnitude, sum.value.angle) - total), 0, 1e-9);
    EXPECT_EQ(d.legend[3], "Σ  " + sum.valueText);
    // The chain reaches beyond the circle only as far as the square holds it.
    EXPECT_GE(d.extent, std::abs(end));
}

TEST(PhasorHeadToTail, BalancedSetSumsToZero) {
    PhasorOptions options;
    options.view = PhasorView::HeadToTail;
    const PhasorDiagram d = phasorDiagram(
        registerPhasors(registersOf({{"Ua", "230"}, {"Ub", "230ej-120"}, {"Uc", "230ej120"}})),
        options);
    ASSERT_EQ(d.sums.size(), 1u);
    EXPECT_EQ(d.sums[0].valueText, "0∠0°");
    EXPECT_EQ(at(d.sums[0].to), Complex(0, 0));
}

TEST(PhasorHeadToTail, SumBeyondTheLargestDoubleIsSaidSo) {
    PhasorOptions options;
    options.view = PhasorView::HeadToTail;
    const PhasorDiagram d =
        phasorDiagram(registerPhasors(registersOf({{"", "1.5E+308"}, {"", "1.5E+308"}})), options);
    ASSERT_EQ(d.sums.size(), 1u);
    EXPECT_EQ(d.sums[0].valueText, "超出数值范围");
    EXPECT_NEAR(d.sums[0].to.x, 2, 1e-12);
}

TEST(PhasorHeadToTail, OneValueHasNoSum) {
    PhasorOptions options;
    options.view = PhasorView::HeadToTail;
    const PhasorDiagram d = phasorDiagram(registerPhasors(registersOf({{"", "5"}})), options);
    EXPECT_EQ(d.arrows.size(), 1u);
    EXPECT_TRUE(d.sums.empty());
}

TEST(PhasorHeadToTail, GroupedUnitsChainApart) {
    PhasorOptions options;
    options.view = PhasorView::HeadToTail;
    options.groupByUnit = true;
    const PhasorDiagram d = phasorDiagram(
        registerPhasors(registersOf({{"U", "230"}, {"I1", "5"}, {"U2", "20ej90"}, {"I2", "j5"}})),
        options);
    ASSERT_TRUE(d.grouped);
    ASSERT_EQ(d.sums.size(), 2u);
    EXPECT_EQ(d.sums[0].name, "ΣU/V");
    EXPECT_EQ(d.sums[1].name, "ΣI");
    EXPECT_NEAR(
        std::abs(fromPolar(d.sums[0].value.magnitude, d.sums[0].value.angle) - Complex(230, 20)), 0,
        1e-9);
    EXPECT_NEAR(
        std::abs(fromPolar(d.sums[1].value.magnitude, d.sums[1].value.angle) - Complex(5, 5)), 0,
        1e-9);
    // The current chain starts at the origin, not at the end of the voltages.
    EXPECT_EQ(at(d.arrows[1].from), Complex(0, 0));
    EXPECT_NEAR(std::abs(at(d.arrows[3].from) - Complex(1, 0)), 0, 1e-12);
}

// The three phases, then 对称分量: the phases chain into 3·U0, the sequence values stay
// at the origin.
TEST(PhasorHeadToTail, AfterSymmetricalComponentsTheSumIsThreeTimesU0) {
    PanelModel m;
    const std::vector<std::string> phases = {"230", "200ej-110", "250ej125"};
    for (int k = 0; k < 3; ++k) {
        m.syncInput(toUtf16(phases[static_cast<std::size_t>(k)]), 0, 0, 0, true);
        m.press({KeyGroup::Equals});
        m.press({KeyGroup::Store, k});
    }
    m.editTag(0, "Ua");
    m.press({KeyGroup::ComplexMenu, static_cast<int>(ComplexEntry::Symmetrical)});
    ASSERT_EQ(m.message(), "");
    const std::vector<PhasorValue> values = registerPhasors(m.registers());
    ASSERT_EQ(values.size(), 6u);
    PhasorOptions options;
    options.view = PhasorView::HeadToTail;
    const PhasorDiagram d = phasorDiagram(values, options);
    ASSERT_EQ(d.sums.size(), 1u);
    const std::optional<Phasor> u0 = readPhasor(m.registers()[3].content);
    ASSERT_TRUE(u0);
    const Complex sum = fromPolar(d.sums[0].value.magnitude, d.sums[0].value.angle);
    EXPECT_NEAR(std::abs(sum - 3.0 * fromPolar(u0->magnitude, u0->angle)), 0, 1e-9);
    for (std::size_t i = 3; i < 6; ++i) EXPECT_EQ(at(d.arrows[i].from), Complex(0, 0)) << i;
    EXPECT_NE(std::find(d.legend.begin(), d.legend.end(), "U0、U1、U2 为分量,从原点画出"),
              d.legend.end());

    // A phase stored anew: the old components no longer belong to it, all are chained.
    m.syncInput(u"100", 0, 0, 0, true);
    m.press({KeyGroup::Equals});
    m.press({KeyGroup::Store, 0});
    for (const PhasorValue& v : registerPhasors(m.registers())) EXPECT_TRUE(v.chained) << v.name;
}

// --- SVG ----------------------------------------------------------------------------------

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

TEST(PhasorSvg, OnePathPerValueAndOneForTheSum) {
    const std::vector<PhasorValue> values =
        registerPhasors(registersOf({{"Ua", "230"}, {"Ub", "230ej-120"}, {"<&>", "0"}}));
    PhasorOptions options;
    const std::string same = phasorSvg(phasorDiagram(values, options));
    EXPECT_EQ(count(same, "<path"), 3u);
    EXPECT_EQ(count(same, "<path class=\"phasor\""), 3u);
    EXPECT_NE(same.find("&lt;&amp;&gt;"), std::string::npos);
    EXPECT_EQ(same.find("<&>"), std::string::npos);
    EXPECT_NE(same.find("230∠-120°"), std::string::npos);
    options.view = PhasorView::HeadToTail;
    const std::string chained = phasorSvg(phasorDiagram(values, options));
    EXPECT_EQ(count(chained, "<path"), 4u);
    EXPECT_EQ(count(chained, "class=\"phasor-sum\""), 1u);
    EXPECT_EQ(count(chained, "stroke-dasharray"), 1u);
}

TEST(PhasorSvg, NoValueWritesTheMessage) {
    const std::string svg = phasorSvg(phasorDiagram({}, {}));
    EXPECT_EQ(count(svg, "<path"), 0u);
    EXPECT_NE(svg.find(kNoPhasorMessage), std::string::npos);
}

TEST(PhasorSvg, ArrowEndsAtTheValue) {
    // The tip of the path lies where the frame puts the value.
    const PhasorDiagram d = phasorDiagram(registerPhasors(registersOf({{"", "j2"}})), {});
    const PhasorFrame frame = phasorFrame(d, 0, 0, kSvgDiagramSide);
    const PhasorPoint tip = frame.toPixels(d.arrows[0].to);
    EXPECT_NEAR(tip.x, kSvgDiagramSide / 2.0, 1e-9);
    EXPECT_NEAR(tip.y, kSvgDiagramSide / 2.0 - frame.pixelsPerUnit, 1e-9);
    const std::string svg = phasorSvg(d);
    char point[32];
    std::snprintf(point, sizeof point, "L240 %.2f", tip.y);
    EXPECT_NE(svg.find(point), std::string::npos) << point << "\n" << svg;
}

}  // namespace
}  // namespace kalvox
