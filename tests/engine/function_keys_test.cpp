#include <gtest/gtest.h>

#include "engine/engine.h"

namespace kalvox {
namespace {

using enum FunctionKey;

TEST(FunctionSymbol, InsertsCaptionsAndInverseNames) {
    EXPECT_EQ(functionSymbol(Sin, true), "arcsin");
    EXPECT_EQ(functionSymbol(Ctn, false), "ctn");
    EXPECT_EQ(functionSymbol(Ln, true), "2.71828182845905^");
    EXPECT_EQ(functionSymbol(Log, true), "10^");
    EXPECT_EQ(functionSymbol(Factorial, false), "!");
    for (FunctionKey key : {Square, Cube, Reciprocal, EjJ})
        EXPECT_EQ(functionSymbol(key, false), "");
}

struct WrapCase {
    const char* name;
    FunctionKey key;
    bool inverse;
    const char* text1;
};

class WholeInputTest : public testing::TestWithParam<WrapCase> {};

TEST_P(WholeInputTest, WrapsTheInput) {
    EXPECT_EQ(wrapWholeInput(GetParam().key, GetParam().inverse, "1+2"), GetParam().text1);
}

INSTANTIATE_TEST_SUITE_P(Table, WholeInputTest,
                         testing::Values(WrapCase{"sin", Sin, false, "sin(1+2)"},
                                         WrapCase{"inverse_cos", Cos, true, "arccos(1+2)"},
                                         WrapCase{"square", Square, false, "(1+2)^2"},
                                         WrapCase{"square_root", Square, true, "(1+2)^(1/2)"},
                                         WrapCase{"cube_root", Cube, true, "(1+2)^(1/3)"},
                                         WrapCase{"power", Power, false, "(1+2)^"},
                                         WrapCase{"exp_ten_digits", Ln, true, "2.718281828^(1+2)"},
                                         WrapCase{"ten_to_the", Log, true, "10^(1+2)"},
                                         WrapCase{"reciprocal", Reciprocal, false, "1/(1+2)"},
                                         WrapCase{"factorial", Factorial, false, "(1+2)!"},
                                         WrapCase{"ej_j_key_leaves_input", EjJ, false, "1+2"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct OutputCase {
    const char* name;
    FunctionKey key;
    bool inverse;
    const char* output;
    const char* shown;
};

class OutputKeyTest : public testing::TestWithParam<OutputCase> {};

TEST_P(OutputKeyTest, AppliesTheFunctionToTheOutput) {
    Engine engine;
    const auto& c = GetParam();
    KeyOutcome out = engine.applyToOutput(c.key, c.inverse, c.output);
    EXPECT_EQ(out.text2, c.shown);
    EXPECT_EQ(out.failure, "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, OutputKeyTest,
    testing::Values(
        OutputCase{"sine", Sin, false, "30", "0.5"},
        OutputCase{"square_root", Square, true, "4", "2"},
        OutputCase{"square", Square, false, "3", "9"}, OutputCase{"cube", Cube, false, "2", "8"},
        OutputCase{"cube_root_of_negative", Cube, true, "-8", "-2"},
        OutputCase{"reciprocal_of_zero", Reciprocal, false, "0", "错误:除数为零。"},
        OutputCase{"reciprocal_of_impedance", Reciprocal, false, "5ej53.130102354156",
                   "0.2ej-53.130102354156"},
        OutputCase{"reciprocal_of_algebraic", Reciprocal, false, "3+j4", "0.2ej-53.130102354156"},
        OutputCase{"reciprocal_of_imaginary", Reciprocal, false, "j4", "0.25ej-90"},
        OutputCase{"reciprocal_of_complex_zero", Reciprocal, false, "0ej30", "错误:除数为零"},
        OutputCase{"reciprocal_of_real", Reciprocal, false, "4", "0.25"},
        OutputCase{"reciprocal_of_real_with_text", Reciprocal, false, "8abc", "0.125"},
        OutputCase{"factorial_of_zero", Factorial, false, "0", "1"},
        OutputCase{"factorial", Factorial, false, "5", "120"},
        OutputCase{"factorial_of_fraction_refused", Factorial, false, "4.7",
                   "错误:只能对0到170的整数求阶乘"},
        OutputCase{"factorial_of_negative_refused", Factorial, false, "-3",
                   "错误:只能对0到170的整数求阶乘"},
        OutputCase{"log_of_zero", Ln, false, "0", "错误:不能对小于等于零的值求对数"},
        OutputCase{"power_key_waits_for_its_exponent", Power, false, "4", "4"},
        OutputCase{"ten_to_the", Log, true, "2", "100"},
        OutputCase{"reciprocal_of_huge", Reciprocal, false, "1e999", "错误:溢出"},
        // An algebraic output is a sum: a power takes it whole, not its last term.
        OutputCase{"square_of_algebraic", Square, false, "3+j4", "25ej106.260204708312"},
        OutputCase{"square_of_negative_algebraic", Square, false, "-3-j4", "25ej106.260204708312"},
        OutputCase{"cube_of_algebraic", Cube, false, "3+j4", "125ej159.390307062468"},
        OutputCase{"square_root_of_algebraic", Square, true, "3+j4",
                   "2.23606797749979ej26.565051177078"},
        OutputCase{"cube_root_of_algebraic", Cube, true, "3+j4",
                   "1.7099759466767ej17.7100341180683"},
        OutputCase{"square_of_small_real_part", Square, false, "1E-05+j2",
                   "4.0000000001ej179.999427042205"},
        OutputCase{"square_of_negative_angle", Square, false, "2ej-30", "4ej-60.0000000000018"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutputKey, AnOldErrorNeverComesBack) {
    Engine engine;
    engine.evaluate("1/0");
    EXPECT_EQ(engine.applyToOutput(Sin, false, "30").text2, "0.5");
}

struct EnabledCase {
    const char* name;
    FunctionMode mode;
    const char* output;
    FunctionKeyStates enabled;
};

class KeyStateTest : public testing::TestWithParam<EnabledCase> {};

TEST_P(KeyStateTest, FollowsModeAndOutput) {
    EXPECT_EQ(functionKeysEnabled(GetParam().mode, GetParam().output), GetParam().enabled);
}

constexpr FunctionKeyStates kAll = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
constexpr FunctionKeyStates kNone = {};
constexpr FunctionKeyStates kNoFactorial = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1};
constexpr FunctionKeyStates kSymbolMode = {1, 1, 1, 1, 0, 0, 1, 1, 1, 0, 1, 1};

INSTANTIATE_TEST_SUITE_P(
    Table, KeyStateTest,
    testing::Values(
        EnabledCase{"output_error", FunctionMode::Output, "错误:除数为零。", kNone},
        EnabledCase{"output_171", FunctionMode::Output, "171", kNoFactorial},
        EnabledCase{"output_170", FunctionMode::Output, "170", kAll},
        EnabledCase{"output_170_5", FunctionMode::Output, "170.5", kNoFactorial},
        EnabledCase{"output_complex_171", FunctionMode::Output, "171ej30", kNoFactorial},
        EnabledCase{"output_negative", FunctionMode::Output, "-200", kAll},
        EnabledCase{"output_empty", FunctionMode::Output, "", kAll},
        EnabledCase{"output_overflowing_text", FunctionMode::Output, "1e999", kNoFactorial},
        EnabledCase{"symbol_with_error", FunctionMode::Symbol, "错误:除数为零。", kSymbolMode},
        EnabledCase{"symbol_large", FunctionMode::Symbol, "1000", kSymbolMode},
        EnabledCase{"whole_input_large", FunctionMode::WholeInput, "1000", kAll}),
    [](const auto& info) { return std::string(info.param.name); });

struct ModeCase {
    const char* name;
    FunctionMode mode;
    bool inverse;
    const char* output;
    FunctionKeyStates before;
    FunctionKeyStates after;
};

class ModeKeyStateTest : public testing::TestWithParam<ModeCase> {};

TEST_P(ModeKeyStateTest, FollowsTheSelectedMode) {
    const auto& c = GetParam();
    EXPECT_EQ(functionKeysForMode(c.mode, c.inverse, c.output, c.before), c.after);
}

// 输出求值 sets only x^2, x^3, 1/x, x^y and n!: the other keys keep their states.
INSTANTIATE_TEST_SUITE_P(Table, ModeKeyStateTest,
                         testing::Values(ModeCase{"symbol", FunctionMode::Symbol, false, "0", kNone,
                                                  kSymbolMode},
                                         ModeCase{"symbol_inverse",
                                                  FunctionMode::Symbol,
                                                  true,
                                                  "0",
                                                  kAll,
                                                  {1, 1, 1, 1, 0, 0, 0, 1, 1, 0, 1, 1}},
                                         ModeCase{"whole_input_inverse",
                                                  FunctionMode::WholeInput,
                                                  true,
                                                  "0",
                                                  kNone,
                                                  {1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1}},
                                         ModeCase{"output_from_all_off",
                                                  FunctionMode::Output,
                                                  false,
                                                  "170",
                                                  kNone,
                                                  {0, 0, 0, 0, 1, 1, 0, 0, 0, 1, 1, 0}},
                                         ModeCase{"output_171",
                                                  FunctionMode::Output,
                                                  false,
                                                  "171",
                                                  kAll,
                                                  {1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 0, 1}},
                                         ModeCase{"output_error_allows_factorial",
                                                  FunctionMode::Output,
                                                  false,
                                                  "错误:除数为零。",
                                                  kNone,
                                                  {0, 0, 0, 0, 1, 1, 0, 0, 0, 1, 1, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InverseKeyState, SwitchesOnlyThePowerKey) {
    EXPECT_EQ(functionKeysForInverse(true, kAll),
              (FunctionKeyStates{1, 1, 1, 1, 1, 1, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(functionKeysForInverse(false, kNone),
              (FunctionKeyStates{0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace kalvox
