// The 复数 menu through the model: the function words in the three function modes,
// || and ans at the caret, and 对称分量 from registers 1-3 into 4-6, checked
// against std::complex.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <optional>

#include "model/panel_model.h"
#include "model/symmetrical_components.h"
#include "model/utf16.h"

namespace kalvox {
namespace {

using enum KeyGroup;
using Phasor = std::complex<double>;

KeyId entry(ComplexEntry e) { return {ComplexMenu, static_cast<int>(e)}; }

std::string shown(const PanelModel& m) {
    std::string text = toUtf8(m.input().substr(0, static_cast<std::size_t>(m.caret())));
    return text + "|" + toUtf8(m.input().substr(static_cast<std::size_t>(m.caret())));
}

void setInput(PanelModel& m, std::string_view text) {
    const std::u16string t = toUtf16(text);
    m.syncInput(t, static_cast<int>(t.size()), 0, 0, true);
}

// A value text of the output box as a complex number: "3", "j4", "-j4", "5ej30";
// nullopt for anything else.
std::optional<Phasor> valueOf(const std::string& text) {
    try {
        const std::size_t ej = text.find("ej");
        if (ej != std::string::npos) {
            const double r = std::stod(text.substr(0, ej));
            const double deg = std::stod(text.substr(ej + 2));
            return std::polar(r, deg * std::numbers::pi / 180);
        }
        const std::size_t j = text.find('j');
        if (j != std::string::npos) {
            const double sign = j > 0 && text[j - 1] == '-' ? -1 : 1;
            return Phasor(0, sign * std::stod(text.substr(j + 1)));
        }
        std::size_t used = 0;
        const double x = std::stod(text, &used);
        if (used != text.size()) return std::nullopt;
        return Phasor(x, 0);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// --- Function words, ||, ans: what each entry does in each mode ----------------------

struct MenuRow {
    const char* name;
    FunctionMode mode;
    std::string input;   // the input box before, caret at its end
    std::string output;  // the output box before ("" leaves it at "0")
    ComplexEntry entry;
    std::string expectInput;   // with the caret as "|"
    std::string expectOutput;  // "*": not checked
};

class MenuEntries : public testing::TestWithParam<MenuRow> {};

TEST_P(MenuEntries, ActAsTheirModeSays) {
    const MenuRow& r = GetParam();
    PanelModel m;
    if (!r.output.empty()) m.editOutput(r.output);
    m.selectMode(r.mode);
    setInput(m, r.input);
    m.press(entry(r.entry));
    EXPECT_EQ(shown(m), r.expectInput);
    if (r.expectOutput != "*") {
        EXPECT_EQ(m.output(), r.expectOutput);
    }
}

constexpr auto S = FunctionMode::Symbol;
constexpr auto W = FunctionMode::WholeInput;
constexpr auto O = FunctionMode::Output;
using enum ComplexEntry;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Model, MenuEntries, testing::Values(
    // 函数符号: the word at the caret, the output untouched.
    MenuRow{"SymbolConj", S, "2*", "7", Conj, "2*conj|", "7"},
    MenuRow{"SymbolAbs", S, "", "", Abs, "abs|", "0"},
    MenuRow{"SymbolArg", S, "1+", "", Arg, "1+arg|", "0"},
    MenuRow{"SymbolRe", S, "", "", Re, "re|", "0"},
    MenuRow{"SymbolIm", S, "", "", Im, "im|", "0"},
    MenuRow{"SymbolSqrtWritesTheWord", S, "230*", "", Sqrt, "230*sqrt|", "0"},
    MenuRow{"SymbolExp", S, "", "", Exp, "exp|", "0"},
    // 整式输入: the whole input wrapped, the caret at the start.
    MenuRow{"WholeConj", W, "3+j4", "7", Conj, "|conj(3+j4)", "7"},
    MenuRow{"WholeSqrt", W, "3", "", Sqrt, "|sqrt(3)", "0"},
    MenuRow{"WholeArg", W, "-1-j1", "", Arg, "|arg(-1-j1)", "0"},
    // || and ans go in at the caret in every mode.
    MenuRow{"ParallelInSymbolMode", S, "3", "", Parallel, "3|||", "0"},
    MenuRow{"ParallelInWholeMode", W, "3", "", Parallel, "3|||", "0"},
    MenuRow{"ParallelInOutputMode", O, "3", "2", Parallel, "3|||", "2"},
    MenuRow{"AnsInWholeMode", W, "2*", "", Ans, "2*ans|", "0"},
    MenuRow{"AnsInOutputMode", O, "1/", "5", Ans, "1/ans|", "5"},
    // 输出求值: applied to the output at once; the input box shows what was evaluated.
    MenuRow{"OutputConj", O, "3+j4", "5ej53.130102354156", Conj,
            "conj(5ej53.130102354156)|", "5ej-53.130102354156"},
    MenuRow{"OutputAbsOfAlgebraic", O, "", "3+j4", Abs, "abs(3+j4)|", "5"},
    MenuRow{"OutputArgThirdQuadrant", O, "", "-1-j1", Arg, "arg(-1-j1)|", "-135"},
    MenuRow{"OutputRe", O, "", "2ej60", Re, "re(2ej60)|", "1"},
    MenuRow{"OutputIm", O, "", "3-j4", Im, "im(3-j4)|", "-4"},
    MenuRow{"OutputSqrtOfNegative", O, "", "-4", Sqrt, "sqrt(-4)|", "2ej90"},
    MenuRow{"OutputExp", O, "", "0", Exp, "exp(0)|", "1"},
    // exp of a complex value: e^(√3 + j1), the angle 1 radian.
    MenuRow{"OutputExpOfComplex", O, "", "2ej30", Exp, "exp(2ej30)|",
            "5.65223367403426ej57.2957795130762"},
    // An error on show turns the function words off in 输出求值, as the keys.
    MenuRow{"OutputErrorTurnsWordsOff", O, "1/0", "错误:除数为零。", Conj, "1/0|",
            "错误:除数为零。"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(MenuEntries, EnabledFollowsTheOutputInOutputMode) {
    PanelModel m;
    m.editOutput("错误:除数为零。");
    for (int i = 0; i < kComplexEntryCount; ++i) EXPECT_TRUE(m.enabled({ComplexMenu, i})) << i;
    m.selectMode(FunctionMode::Output);
    for (int i = 0; i < kComplexEntryCount; ++i) {
        const bool word = isComplexFunction(static_cast<ComplexEntry>(i));
        EXPECT_EQ(m.enabled({ComplexMenu, i}), !word) << i;
    }
    m.editOutput("5");
    for (int i = 0; i < kComplexEntryCount; ++i) EXPECT_TRUE(m.enabled({ComplexMenu, i})) << i;
}

TEST(MenuEntries, OutputModeEvaluationIsReproducedByEquals) {
    // The input box shows the evaluated expression, so "=" gives the output on show.
    PanelModel m;
    m.editOutput("3+j4");
    m.selectMode(FunctionMode::Output);
    m.press(entry(Conj));
    const std::string shownValue = m.output();
    m.press({Equals});
    EXPECT_EQ(m.output(), shownValue);
    EXPECT_EQ(m.history().size(), 1u);  // recorded once, like an evaluated input
}

// --- 对称分量 ------------------------------------------------------------------------

void storePhases(PanelModel& m, const std::array<std::string, 3>& phases, std::string tag) {
    m.editTag(0, std::move(tag));
    for (int i = 0; i < 3; ++i) {
        setInput(m, phases[static_cast<std::size_t>(i)]);
        m.press({Equals});
        m.press({Store, i});
    }
}

// The sequence values by std::complex, from the phase values.
std::array<Phasor, 3> sequences(Phasor a, Phasor b, Phasor c) {
    const Phasor alpha = std::polar(1.0, 2 * std::numbers::pi / 3);
    return {(a + b + c) / 3.0, (a + alpha * b + alpha * alpha * c) / 3.0,
            (a + alpha * alpha * b + alpha * c) / 3.0};
}

struct SequenceRow {
    const char* name;
    std::array<std::string, 3> phases;  // typed into the input box, then "=" and MW1-MW3
    std::string tag;                    // register 1's tag
    std::array<std::string, 3> tags;    // expected tags of registers 4-6
};

class SymmetricalComponents : public testing::TestWithParam<SequenceRow> {};

TEST_P(SymmetricalComponents, AgreeWithStdComplex) {
    const SequenceRow& r = GetParam();
    PanelModel m;
    storePhases(m, r.phases, r.tag);
    m.press(entry(Symmetrical));
    EXPECT_EQ(m.message(), "");
    EXPECT_TRUE(m.registersReplaced());
    std::array<Phasor, 3> phase;
    for (std::size_t i = 0; i < 3; ++i) {
        const auto v = valueOf(m.registers()[i].content);
        ASSERT_TRUE(v) << m.registers()[i].content;
        phase[i] = *v;
    }
    const std::array<Phasor, 3> expected = sequences(phase[0], phase[1], phase[2]);
    const double scale = std::abs(phase[0]) + std::abs(phase[1]) + std::abs(phase[2]);
    for (std::size_t i = 0; i < 3; ++i) {
        const MemoryRegister& reg = m.registers()[3 + i];
        const auto got = valueOf(reg.content);
        ASSERT_TRUE(got) << reg.content;
        EXPECT_LT(std::abs(*got - expected[i]), 1e-12 * scale) << reg.content;
        EXPECT_EQ(reg.tag, r.tags[i]);
        // The stored input gives the content again.
        PanelModel again;
        setInput(again, reg.storedExpression);
        again.press({Equals});
        EXPECT_EQ(again.output(), reg.content) << reg.storedExpression;
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Model, SymmetricalComponents, testing::Values(
    SequenceRow{"Balanced", {"220", "220ej-120", "220ej120"}, "Ua", {"U0", "U1", "U2"}},
    SequenceRow{"Unbalanced", {"100ej10", "80ej-100", "120ej135"}, "Ia", {"I0", "I1", "I2"}},
    SequenceRow{"AlgebraicAndNegative", {"3+j4", "-5", "j2"}, "", {"0序", "正序", "负序"}},
    SequenceRow{"OnePhaseOnly", {"10", "0", "0"}, " Uc", {"U0", "U1", "U2"}},
    SequenceRow{"ChineseTagLetter", {"1", "2", "3"}, "φa", {"φ0", "φ1", "φ2"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(SymmetricalComponents, BalancedSetHasOnlyThePositiveSequence) {
    PanelModel m;
    storePhases(m, {"220", "220ej-120", "220ej120"}, "Ua");
    m.press(entry(Symmetrical));
    const auto u0 = valueOf(m.registers()[3].content);
    const auto u1 = valueOf(m.registers()[4].content);
    const auto u2 = valueOf(m.registers()[5].content);
    ASSERT_TRUE(u0 && u1 && u2);
    // The residue comes from π written with 15 digits: far below a volt.
    EXPECT_LT(std::abs(*u0), 1e-9);
    EXPECT_LT(std::abs(*u2), 1e-9);
    EXPECT_LT(std::abs(*u1 - Phasor(220, 0)), 1e-9);
    EXPECT_EQ(m.registers()[3].storedExpression, "((220)+(220ej-120)+(220ej120))/3");
    EXPECT_EQ(m.registers()[4].storedExpression, "((220)+1ej120*(220ej-120)+1ej-120*(220ej120))/3");
    EXPECT_EQ(m.registers()[5].storedExpression, "((220)+1ej-120*(220ej-120)+1ej120*(220ej120))/3");
}

struct RefusalRow {
    const char* name;
    std::array<std::string, 3> contents;  // of registers 1-3, stored as they stand
    std::string message;                  // how the message box's text begins
};

class SymmetricalRefusals : public testing::TestWithParam<RefusalRow> {};

TEST_P(SymmetricalRefusals, NameTheRegisterAndStoreNothing) {
    const RefusalRow& r = GetParam();
    PanelModel m;
    for (int i = 0; i < 3; ++i) {
        m.editOutput(r.contents[static_cast<std::size_t>(i)]);
        m.press({Store, i});
    }
    m.editOutput("9");
    m.press({Store, 4});
    m.editTag(4, "kept");
    m.press(entry(Symmetrical));
    EXPECT_TRUE(m.message().starts_with(r.message)) << m.message();
    EXPECT_FALSE(m.registersReplaced());
    EXPECT_EQ(m.registers()[3].content, "");
    EXPECT_EQ(m.registers()[4].content, "9");
    EXPECT_EQ(m.registers()[4].tag, "kept");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Model, SymmetricalRefusals, testing::Values(
    RefusalRow{"FirstEmpty", {"", "1", "2"}, emptyPhaseMessage(1)},
    RefusalRow{"ThirdBlank", {"1", "2", "  "}, emptyPhaseMessage(3)},
    RefusalRow{"SecondAnError", {"1", "错误:除数为零。", "2"},
               unusablePhaseMessage(2, "错误:")}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(SymmetricalComponents, MessagesNameTheRegister) {
    EXPECT_NE(emptyPhaseMessage(2).find("第2个"), std::string::npos);
    EXPECT_NE(unusablePhaseMessage(3, "x").find("第3个"), std::string::npos);
}

}  // namespace
}  // namespace kalvox
