// The panel's behaviour on the model alone: key sequences, modes, enabled keys,
// registers, history and focus, each case one row.
#include "model/panel_model.h"

#include <gtest/gtest.h>

#include <functional>

namespace kalvox {
namespace {

using enum KeyGroup;
using Steps = std::function<void(PanelModel&)>;

KeyId fn(FunctionKey key) { return {Function, static_cast<int>(keyIndex(key))}; }

// The input box holds text with the caret at `caret`, or a selection.
void place(PanelModel& m, const std::u16string& text, int caret, int selStart = 0,
           int selLength = 0) {
    m.syncInput(text, caret, selLength > 0 ? selStart : caret, selLength, true);
}

void evaluate(PanelModel& m, const std::u16string& text) {
    place(m, text, static_cast<int>(text.size()));
    m.press({Equals});
}

std::string enabledKeys(const PanelModel& m) {
    std::string keys;
    for (bool on : m.functionKeys()) keys += on ? '1' : '0';
    return keys;
}

// ---------------------------------------------------------------------------------
struct EntryCase {
    const char* name;
    std::u16string text;
    int caret, selStart, selLength;
    KeyId key;
    std::u16string expected;
    int expectedCaret;
};

class EntryKeys : public testing::TestWithParam<EntryCase> {};

TEST_P(EntryKeys, EditAtTheCaretAndFocusTheInput) {
    const EntryCase& c = GetParam();
    PanelModel m;
    place(m, c.text, c.caret, c.selStart, c.selLength);
    m.press(c.key);
    EXPECT_EQ(m.input(), c.expected);
    EXPECT_EQ(m.caret(), c.expectedCaret);
    EXPECT_EQ(m.selectionLength(), 0);
    EXPECT_EQ(m.focus(), Focus::Input);
}

INSTANTIATE_TEST_SUITE_P(
    Model, EntryKeys,
    testing::Values(
        EntryCase{"DigitBetweenDigits", u"12", 1, 0, 0, {Digit, 5}, u"152", 2},
        EntryCase{"PointKey", u"1", 1, 0, 0, {Digit, 10}, u"1.", 2},
        EntryCase{"OperatorReplacesSelection", u"1+2", 2, 1, 1, {Operator, 2}, u"1*2", 2},
        EntryCase{"RotationOnEmptyInput", u"", 0, 0, 0, {Complex, 4}, u"*ej120", 6},
        EntryCase{
            "SquareRotationAfterRotation", u"*ej120", 6, 0, 0, {Complex, 5}, u"*ej120*ej-120", 13},
        EntryCase{"ExponentKeyInsertsUpperCase", u"1", 1, 0, 0, {Complex, 6}, u"1E", 2},
        EntryCase{"PiKey", u"2*", 2, 0, 0, {Pi}, u"2*3.14159265358979", 18},
        EntryCase{"BackspaceAtStartChangesNothing", u"12", 0, 0, 0, {Backspace}, u"12", 0},
        EntryCase{"BackspaceAtEnd", u"12", 2, 0, 0, {Backspace}, u"1", 1},
        EntryCase{"BackspaceBeforeSelectionKeepsIt", u"1234", 3, 1, 2, {Backspace}, u"234", 0},
        EntryCase{
            "BackspaceTakesASurrogatePairWhole", u"1\U0001F600", 3, 0, 0, {Backspace}, u"1", 1}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------
struct FunctionCase {
    const char* name;
    PanelMode mode;
    bool inverse;
    std::u16string text;
    int caret;
    std::string output;
    FunctionKey key;
    std::u16string expectedText;
    int expectedCaret;
    std::string expectedOutput;
};

class FunctionKeys : public testing::TestWithParam<FunctionCase> {};

TEST_P(FunctionKeys, ActOnTheInputOrTheOutput) {
    const FunctionCase& c = GetParam();
    PanelModel m;
    m.editOutput(c.output);
    m.selectMode(c.mode);
    if (c.inverse) m.toggleInverse();
    place(m, c.text, c.caret);
    m.press(fn(c.key));
    EXPECT_EQ(m.input(), c.expectedText);
    EXPECT_EQ(m.caret(), c.expectedCaret);
    EXPECT_EQ(m.output(), c.expectedOutput);
}

using enum FunctionKey;
constexpr auto kSymbol = PanelMode::Symbol;
constexpr auto kWhole = PanelMode::WholeInput;
constexpr auto kOutput = PanelMode::Output;

INSTANTIATE_TEST_SUITE_P(
    Model, FunctionKeys,
    testing::Values(
        FunctionCase{"SymbolInverseSin", kSymbol, true, u"2*0.5", 2, "0", Sin, u"2*arcsin0.5", 8,
                     "0"},
        FunctionCase{"SymbolInverseLnWritesLongE", kSymbol, true, u"2*0.5", 2, "0", Ln,
                     u"2*2.71828182845905^0.5", 19, "0"},
        FunctionCase{"SymbolSquareIsDisabled", kSymbol, false, u"2*0.5", 2, "0", Square, u"2*0.5",
                     2, "0"},
        FunctionCase{"SymbolFactorial", kSymbol, false, u"5", 1, "0", Factorial, u"5!", 2, "0"},
        FunctionCase{"SymbolInverseLog", kSymbol, true, u"", 0, "0", Log, u"10^", 3, "0"},
        FunctionCase{"WholeSin", kWhole, false, u"1+2", 3, "7", Sin, u"sin(1+2)", 0, "7"},
        FunctionCase{"WholeInverseCos", kWhole, true, u"1+2", 3, "7", Cos, u"arccos(1+2)", 0, "7"},
        FunctionCase{"WholeSquare", kWhole, false, u"1+2", 3, "7", Square, u"(1+2)^2", 0, "7"},
        FunctionCase{"WholeInverseSquare", kWhole, true, u"1+2", 3, "7", Square, u"(1+2)^(1/2)", 0,
                     "7"},
        FunctionCase{"WholeInverseLnWritesShortE", kWhole, true, u"1+2", 3, "7", Ln,
                     u"2.718281828^(1+2)", 0, "7"},
        FunctionCase{"WholeReciprocal", kWhole, false, u"1+2", 3, "7", Reciprocal, u"1/(1+2)", 0,
                     "7"},
        FunctionCase{"WholeFactorial", kWhole, false, u"1+2", 3, "7", Factorial, u"(1+2)!", 0, "7"},
        FunctionCase{"OutputInverseSquare", kOutput, true, u"x", 1, "4", Square, u"x", 1, "2"},
        FunctionCase{"OutputReciprocalOfZero", kOutput, false, u"", 0, "0", Reciprocal, u"", 0,
                     "错误:除数为零。"},
        FunctionCase{"OutputFactorialOfZero", kOutput, false, u"", 0, "0", Factorial, u"", 0, "0"},
        FunctionCase{"OutputFactorialOfFive", kOutput, false, u"", 0, "5", Factorial, u"", 0,
                     "120"},
        FunctionCase{"OutputFactorialCutsTheFraction", kOutput, false, u"", 0, "4.7", Factorial,
                     u"", 0, "24"},
        FunctionCase{"OutputFactorialOfNegativeIsOne", kOutput, false, u"", 0, "-3", Factorial, u"",
                     0, "1"},
        FunctionCase{"OutputCube", kOutput, false, u"", 0, "2", Cube, u"", 0, "8"},
        FunctionCase{"OutputLnOfZeroShowsTheMessage", kOutput, false, u"", 0, "0", Ln, u"", 0,
                     "错误:不能对小于等于零的值求对数"},
        FunctionCase{"OutputPowerIsDisabled", kOutput, false, u"", 0, "2", Power, u"", 0, "2"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------
struct SequenceCase {
    const char* name;
    Steps steps;
    std::string enabled;  // the twelve function keys, "1" enabled
};

class EnabledKeys : public testing::TestWithParam<SequenceCase> {};

TEST_P(EnabledKeys, FollowTheOrderOfEvents) {
    PanelModel m;
    GetParam().steps(m);
    EXPECT_EQ(enabledKeys(m), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Model, EnabledKeys,
    testing::Values(SequenceCase{"AtStart", [](PanelModel&) {}, "111100111011"},
                    SequenceCase{"OutputModeErrorDisablesAll",
                                 [](PanelModel& m) {
                                     m.selectMode(kOutput);
                                     evaluate(m, u"1/0");
                                 },
                                 "000000000000"},
                    SequenceCase{"OutputModeValidEvaluationEnablesAgain",
                                 [](PanelModel& m) {
                                     m.selectMode(kOutput);
                                     evaluate(m, u"1/0");
                                     evaluate(m, u"1+1");
                                 },
                                 "111111111111"},
                    SequenceCase{"SymbolModeErrorKeepsKeys",
                                 [](PanelModel& m) { evaluate(m, u"1/0"); }, "111100111011"},
                    SequenceCase{"OutputTyped171DisablesFactorial",
                                 [](PanelModel& m) {
                                     m.selectMode(kOutput);
                                     m.editOutput("171");
                                 },
                                 "111111111101"},
                    SequenceCase{"OutputTyped170KeepsFactorial",
                                 [](PanelModel& m) {
                                     m.selectMode(kOutput);
                                     m.editOutput("170");
                                 },
                                 "111111111111"},
                    SequenceCase{"ComplexOutputReadsItsLeadingNumber",
                                 [](PanelModel& m) {
                                     m.selectMode(kOutput);
                                     m.editOutput("171ej30");
                                 },
                                 "111111111101"},
                    SequenceCase{"ChoosingOutputWith171",
                                 [](PanelModel& m) {
                                     m.editOutput("171");
                                     m.selectMode(kOutput);
                                 },
                                 "111111011101"},
                    SequenceCase{"ChoosingOutputWith170",
                                 [](PanelModel& m) {
                                     m.editOutput("170");
                                     m.selectMode(kOutput);
                                 },
                                 "111111011111"},
                    SequenceCase{"InverseThenWholeThenEqualsEnablesPower",
                                 [](PanelModel& m) {
                                     m.toggleInverse();
                                     m.selectMode(kWhole);
                                     evaluate(m, u"2");
                                 },
                                 "111111111111"},
                    SequenceCase{"InverseUncheckedEnablesPowerInOutputMode",
                                 [](PanelModel& m) {
                                     m.selectMode(kOutput);
                                     m.toggleInverse();
                                     m.toggleInverse();
                                 },
                                 "111111111111"},
                    SequenceCase{"InverseStaysThroughModes",
                                 [](PanelModel& m) {
                                     m.toggleInverse();
                                     m.selectMode(kWhole);
                                     m.selectMode(kSymbol);
                                 },
                                 "111100011011"},
                    SequenceCase{"ClearInOutputMode",
                                 [](PanelModel& m) {
                                     m.selectMode(kOutput);
                                     evaluate(m, u"1/0");
                                     m.press({Clear});
                                 },
                                 "111111111111"},
                    SequenceCase{"DisabledKeyShortcutDoesNothing",
                                 [](PanelModel& m) {
                                     m.selectMode(kOutput);
                                     evaluate(m, u"1/0");
                                     m.press(fn(EjJ));
                                 },
                                 "000000000000"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------
TEST(Registers, StoreAfterEqualsThenRecallAtTheCaret) {
    PanelModel m;
    evaluate(m, u"1+2");
    m.press({Store, 0});
    EXPECT_EQ(m.registers()[0].content, "3");
    EXPECT_EQ(m.storedExpression(1), "1+2");
    place(m, u"2*", 2);
    m.press({Recall, 0});
    EXPECT_EQ(m.input(), u"2*3");
    EXPECT_EQ(m.focus(), Focus::Input);
}

TEST(Registers, StoreKeepsWhatTheBoxesShowWithoutEvaluating) {
    PanelModel m;
    evaluate(m, u"1/0");
    place(m, u"edited", 6);
    m.press({Store, 2});  // MW3: the third row
    EXPECT_EQ(m.registers()[2].content, "错误:除数为零。");
    EXPECT_EQ(m.storedExpression(3), "edited");
    EXPECT_EQ(m.storedExpression(10), "");
    place(m, u"", 0);
    m.press({Recall, 2});
    EXPECT_EQ(m.input(), u"错误:除数为零。");
}

TEST(Registers, StoreAfterClearThenRecallDeletesTheSelection) {
    PanelModel m;
    m.press({Clear});
    m.press({Store, 8});
    EXPECT_EQ(m.registers()[8].content, "");
    place(m, u"1234", 3, 1, 2);
    m.press({Recall, 8});
    EXPECT_EQ(m.input(), u"14");
    EXPECT_EQ(m.caret(), 1);
}

TEST(Registers, StoringTwiceKeepsTheSecondAndTheTag) {
    PanelModel m;
    m.editTag(0, "Ia");
    evaluate(m, u"1+2");
    m.press({Store, 0});
    evaluate(m, u"2*3");
    m.press({Store, 0});
    EXPECT_EQ(m.registers()[0].tag, "Ia");
    EXPECT_EQ(m.registers()[0].content, "6");
    EXPECT_EQ(m.registers()[0].storedExpression, "2*3");
}

TEST(Registers, ContentTooltipShowsTheOtherForm) {
    PanelModel m;
    evaluate(m, u"3+j4");
    m.press({Store, 0});
    EXPECT_EQ(m.contentTooltip(0), m.output() + "\n3+j4");
    EXPECT_EQ(m.contentTooltip(1), "");
    EXPECT_EQ(m.outputTooltip("box"), "box\n3+j4");
}

TEST(ResultFile, LoadReplacesRegistersAndEvaluates) {
    PanelModel m;
    m.editTag(4, "old");
    MemoryRegisters file;
    file[0] = {"Ia", "3", "1+2"};
    m.loadResultFile("2*(1+2", file);  // a broken line is shown as "=" leaves it
    EXPECT_TRUE(m.registersReplaced());
    EXPECT_EQ(m.registers()[0].content, "3");
    EXPECT_EQ(m.registers()[4].tag, "");
    EXPECT_EQ(m.input(), u"2*(1+2");
    EXPECT_EQ(m.output(), "错误:括号不匹配。");
    m.press({Equals});
    EXPECT_FALSE(m.registersReplaced());
}

// ---------------------------------------------------------------------------------
TEST(Focus, WhereEachCommandPutsIt) {
    PanelModel m;
    EXPECT_EQ(m.focus(), Focus::Input);  // at start
    m.selectMode(kOutput);
    EXPECT_EQ(m.focus(), Focus::Output);
    m.press({Store, 0});
    EXPECT_EQ(m.focus(), Focus::Input);
    m.toggleInverse();
    EXPECT_EQ(m.focus(), Focus::Unchanged);
    m.press({Mode, static_cast<int>(kOutput)});  // chosen already: only the focus moves
    EXPECT_EQ(m.focus(), Focus::Output);
    EXPECT_EQ(m.mode(), kOutput);
    evaluate(m, u"1/0");  // an error without a place to select leaves the focus
    EXPECT_EQ(m.focus(), Focus::Unchanged);
}

TEST(Modes, SymbolMovesTheCaretToTheEnd) {
    PanelModel m;
    m.selectMode(kWhole);
    place(m, u"1+2", 1, 0, 2);
    m.selectMode(kSymbol);
    EXPECT_EQ(m.caret(), 3);
    EXPECT_EQ(m.selectionLength(), 0);
    EXPECT_EQ(m.lastEdit().kind, InputEdit::Kind::Caret);
}

TEST(Equals, BracketErrorSelectsTheBracket) {
    PanelModel m;
    evaluate(m, u"1+(2");
    EXPECT_EQ(m.selectionStart(), 2);
    EXPECT_EQ(m.selectionLength(), 1);
    EXPECT_EQ(m.focus(), Focus::Input);
}

TEST(EjJ, TwoPressesReturnAndAHalfTurnShowsANegativeReal) {
    PanelModel m;
    evaluate(m, u"5ej180");
    EXPECT_EQ(m.output(), "-5");
    evaluate(m, u"3+j4");
    const std::string exponential = m.output();
    m.press(fn(EjJ));
    EXPECT_EQ(m.output(), "3+j4");
    m.press(fn(EjJ));
    EXPECT_EQ(m.output(), exponential);
}

// ---------------------------------------------------------------------------------
TEST(History, WalkBackAndForthRestoresTheEditedText) {
    PanelModel m;
    evaluate(m, u"1+1");
    evaluate(m, u"   ");  // shows "0": recorded as such
    evaluate(m, u"0");    // a repeat of the newest
    evaluate(m, u"2+2");
    EXPECT_EQ(m.history().size(), 3);
    place(m, u"typing", 6);
    m.walkHistory(true);
    EXPECT_EQ(m.input(), u"2+2");
    EXPECT_EQ(m.caret(), 3);
    m.walkHistory(true);
    m.walkHistory(true);
    m.walkHistory(true);  // nothing older
    EXPECT_EQ(m.input(), u"1+1");
    m.walkHistory(false);
    m.walkHistory(false);
    m.walkHistory(false);
    EXPECT_EQ(m.input(), u"typing");
    m.walkHistory(false);  // no walk under way
    EXPECT_EQ(m.input(), u"typing");
}

TEST(History, AKeyOrAnEditEndsTheWalk) {
    PanelModel m;
    evaluate(m, u"1");
    evaluate(m, u"2");
    m.walkHistory(true);
    m.syncInput(m.input(), m.caret(), m.caret(), 0, false);  // a caret move is no edit
    m.walkHistory(true);
    EXPECT_EQ(m.input(), u"1");
    m.press({Digit, 7});
    m.walkHistory(false);
    EXPECT_EQ(m.input(), u"17");
}

TEST(History, KeepsTwoHundred) {
    InputHistory history;
    for (int i = 0; i < InputHistory::kMaxEntries + 5; ++i) {
        const std::string text = std::to_string(i);
        history.add(std::u16string(text.begin(), text.end()));
    }
    EXPECT_EQ(history.size(), InputHistory::kMaxEntries);
    std::u16string oldest;
    while (auto text = history.older(u"x")) oldest = *text;
    EXPECT_EQ(oldest, u"5");
    EXPECT_EQ(history.newer().value(), u"6");
    history.add(u" \t");  // a tab is no blank
    history.add(u"  ");
    EXPECT_EQ(history.older(u"").value(), u" \t");
}

// ---------------------------------------------------------------------------------
TEST(FilterKey, TypedCharacters) {
    struct Case {
        const char* name;
        int code;
        int delivered;
    };
    const Case cases[] = {
        {"backspace", 8, 8},
        {"( lowest passing", 40, 40},
        {"9 highest passing", 57, 57},
        {"comma", 44, 44},
        {"' below the range", 39, 0},
        {": above the range", 58, 0},
        {"E to e", 69, 101},
        {"J to j", 74, 106},
        {"e", 101, 101},
        {"j", 106, 106},
        {"-3", -3, -3},
        {"-12", -12, -12},
        {"enter", 13, 0},
        {"ctrl-c", 3, 0},
        {"blank", 32, 0},
        {"^", 94, 0},
        {"s", 115, 0},
        {"nul", 0, 0},
        {"a Chinese character", 0x4e2d, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(filterKey(static_cast<std::int16_t>(c.code)), c.delivered) << c.name;
    }
}

}  // namespace
}  // namespace kalvox
