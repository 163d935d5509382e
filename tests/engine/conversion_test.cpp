#include <gtest/gtest.h>

#include "engine/engine.h"

namespace kalvox {
namespace {

struct ConversionCase {
    const char* name;
    const char* text;
    const char* algebraic;
};

class ToAlgebraicTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ToAlgebraicTest, ConvertsAndFlipsTheDirection) {
    Engine engine;
    EXPECT_EQ(engine.ej_j(GetParam().text), GetParam().algebraic);
    EXPECT_EQ(engine.ejToAlgebraic, Engine::kToExponential);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ToAlgebraicTest,
    testing::Values(ConversionCase{"first_quadrant", "5ej53.130102354156", "3+j4"},
                    ConversionCase{"fourth_quadrant", "5ej-53.130102354156", "3-j4"},
                    ConversionCase{"real_unchanged", "12", "12"},
                    ConversionCase{"at_180_residue", "10ej180", "-10+j3.2E-14"},
                    ConversionCase{"error_text_unchanged", "错误:除数为零。", "错误:除数为零。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EjJ, SecondPressGoesBackToExponentialForm) {
    Engine engine;
    EXPECT_EQ(engine.ej_j("5ej53.130102354156"), "3+j4");
    EXPECT_EQ(engine.ej_j("3+j4"), "5ej53.130102354156");
    EXPECT_EQ(engine.ejToAlgebraic, Engine::kToAlgebraic);
    EXPECT_EQ(engine.ej_j("12"), "12");
    EXPECT_EQ(engine.ej_j("12"), "12");
}

TEST(EjJ, ExponentialDirectionIsEmptyWhileAnErrorIsSet) {
    Engine engine;
    engine.ejToAlgebraic = Engine::kToExponential;
    engine.raise(kDivisionByZero);
    EXPECT_EQ(engine.ej_j("3+j4"), "");
    EXPECT_EQ(engine.ejToAlgebraic, Engine::kToAlgebraic);
}

struct KeyCase {
    const char* name;
    const char* output;
    const char* shown;
};

class EjjKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(EjjKeyTest, ShowsTheConvertedOutput) {
    Engine engine;
    EXPECT_EQ(engine.ejjKey(GetParam().output), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Table, EjjKeyTest,
                         testing::Values(KeyCase{"to_algebraic", "5ej53.130102354156", "3+j4"},
                                         KeyCase{"huge_magnitude_overflows", "1e999ej30",
                                                 "错误:溢出。"},
                                         KeyCase{"angle_too_large", "1ej1e308", "错误:溢出。"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EjjKey, ValueAt180ShownAsNegativeReal) {
    Engine engine;
    engine.ejToAlgebraic = Engine::kToExponential;
    // "-5+j0" sums back to 5 at 180 degrees, which the key shows as -5.
    EXPECT_EQ(engine.ejjKey("-5+j0"), "-5");
}

TEST(Jsqys, RunsThePassesInOrder) {
    Engine engine;
    EXPECT_EQ(engine.jsqys("2^2*3-1"), "11");
    EXPECT_EQ(engine.jsqys("sin(30)"), "0.5");
    EXPECT_EQ(engine.jsqys(""), "0");
}

TEST(Jsqys, EmptyWhileAnErrorIsSet) {
    Engine engine;
    engine.raise(kDivisionByZero);
    std::string failure;
    EXPECT_EQ(engine.jsqys("1+1", &failure), "");
    EXPECT_EQ(failure, "");
}

TEST(Jsqys, UnpairedBracketsRaiseInsteadOfHanging) {
    Engine engine;
    EXPECT_EQ(engine.jsqys("(4)^"), "1");
    engine.resetError();
    engine.jsqys("((4)");
    EXPECT_EQ(engine.errorText, "括号不匹配");
}

// The ej-j key on an error display: the message stays, twice over, and the next
// value still goes to algebraic form first.
TEST(EjjKey, ErrorDisplayStaysAndTheNextValueConverts) {
    Engine engine;
    const Outcome failed = engine.evaluate("10/0");
    ASSERT_EQ(failed.text2, "错误:除数为零。");
    EXPECT_EQ(engine.ejjKey(failed.text2), "错误:除数为零。");
    EXPECT_EQ(engine.ejjKey(failed.text2), "错误:除数为零。");
    EXPECT_EQ(engine.ejToAlgebraic, Engine::kToAlgebraic);
    // A value typed into the output box after the error converts both ways.
    EXPECT_EQ(engine.ejjKey("5ej53.130102354156"), "3+j4");
    EXPECT_EQ(engine.ejjKey("3+j4"), "5ej53.130102354156");
}

}  // namespace
}  // namespace kalvox
