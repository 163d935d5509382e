// The words of everyday power engineering: conj, abs, arg, re, im, sqrt, exp, the
// parallel operator "||" and ans, from typed text to both boxes; their values checked
// against std::complex, and the vocabulary split proved to have one reading only.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/notation.h"

namespace kalvox {
namespace {

using Phasor = std::complex<double>;

// --- Exact texts: the examples and each word's edges ----------------------------

struct TextRow {
    const char* name;
    const char* input;
    const char* output;  // what the output box shows
};

class ComplexWordTexts : public testing::TestWithParam<TextRow> {};

TEST_P(ComplexWordTexts, ShowThisOutput) {
    Engine engine;
    EXPECT_EQ(engine.evaluate(GetParam().input).text2, GetParam().output) << GetParam().input;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ComplexWordTexts, testing::Values(
    // conj: the angle negated, a real stays itself.
    TextRow{"ConjOfAlgebraic", "conj(3+j4)", "5ej-53.130102354156"},
    TextRow{"ConjOfReal", "conj5", "5"},
    TextRow{"ConjOfNegativeReal", "conj-5", "-5"},
    TextRow{"ConjOfImaginary", "conj(j4)", "4ej-90"},
    TextRow{"ConjOfNegativeImaginary", "conj(-j4)", "4ej90"},
    TextRow{"ConjOfZero", "conj0", "0"},
    TextRow{"ConjUpperCase", "CONJ(3+J4)", "5ej-53.130102354156"},
    // abs: the magnitude, a real.
    TextRow{"AbsOfAlgebraic", "abs(3+j4)", "5"},
    TextRow{"AbsOfNegativeReal", "abs(-2)", "2"},
    TextRow{"AbsOfImaginary", "abs(-j4)", "4"},
    TextRow{"AbsOfNegativeMagnitude", "abs(-2ej30)", "2"},
    TextRow{"AbsBeyond180", "abs(2ej200)", "2"},
    TextRow{"AbsOfZero", "abs0", "0"},
    // arg: degrees in (-180, 180], 0 for zero.
    TextRow{"ArgThirdQuadrant", "arg(-1-j1)", "-135"},
    TextRow{"ArgOfPositiveReal", "arg5", "0"},
    TextRow{"ArgOfNegativeRealIs180", "arg-5", "180"},
    TextRow{"ArgOfImaginary", "argj4", "90"},
    TextRow{"ArgOfNegativeImaginary", "arg(-j4)", "-90"},
    TextRow{"ArgOfExponential", "arg2ej30", "30"},
    TextRow{"ArgOfZero", "arg0", "0"},
    TextRow{"ArgOfZeroMagnitude", "arg0ej45", "0"},
    TextRow{"ArgFourthQuadrant", "arg(3-j4)", "-53.130102354156"},
    // re and im.
    TextRow{"ReOfExponential", "re(2ej60)", "1"},
    TextRow{"ImOfAlgebraic", "im(3-j4)", "-4"},
    TextRow{"ReOfImaginaryIsZero", "rej4", "0"},
    TextRow{"ImOfRealIsZero", "im-5", "0"},
    TextRow{"ReOfNegativeMagnitude", "re(-2ej60)", "-1"},
    TextRow{"ReBeyond180", "re(2ej240)", "-1"},
    TextRow{"ImBeyond180", "im(2ej210)", "-1"},
    TextRow{"ImOfImaginary", "im(-j4)", "-4"},
    TextRow{"ReOfLargeValue", "re(220ej60)", "110"},
    // sqrt and the pasted root sign.
    TextRow{"SqrtOfNegative", "sqrt(-4)", "2ej90"},
    TextRow{"SqrtOfThree", "sqrt3", "1.73205080756888"},
    TextRow{"RootSignPasted", "\u221A3*230", "398.371685740842"},
    TextRow{"SqrtOfImaginary", "sqrtj4", "2ej45"},
    TextRow{"SqrtOfNegativeImaginary", "sqrt(-j4)", "2ej-45"},
    TextRow{"SqrtOfZero", "sqrt0", "0"},
    TextRow{"SqrtAfterValue", "2sqrt3", "3.46410161513776"},
    // exp: a real as today, a complex value in radians.
    TextRow{"ExpOfZero", "exp0", "1"},
    TextRow{"ExpOfOne", "exp1", "2.71828182845905"},
    TextRow{"ExpOfNegative", "exp-1", "0.367879441171442"},
    TextRow{"ExpOfRealAxisValue", "exp(2ej180)", "0.135335283236613"},
    // exp of a complex value takes radians: e^(j4) = 1ej(4 * 180 / π - 360).
    TextRow{"ExpOfImaginary", "expj4", "1ej-130.816881947685"},
    TextRow{"ExpOverflow", "exp710", "错误:溢出。"},
    TextRow{"ExpAfterValue", "2exp1", "5.4365636569181"},
    TextRow{"ExpAgainstE", "2e1exp0", "20"},
    // The parallel operator.
    TextRow{"ParallelReals", "3||6", "2"},
    TextRow{"ParallelConjugatePair", "(3+j4)||(3-j4)", "4.16666666666667"},
    TextRow{"ParallelPasted", "3\u22256", "2"},
    TextRow{"ParallelSumZero", "1||-1", "错误:除数为零。"},
    TextRow{"ParallelBothZero", "0||0", "错误:除数为零。"},
    TextRow{"ParallelWithZero", "0||3", "0"},
    TextRow{"ParallelNegativeMagnitude", "-3||6", "-6"},
    TextRow{"ParallelSignedRight", "3||-6", "6"},
    TextRow{"ParallelLeftToRight", "2||2||2", "0.666666666666667"},
    TextRow{"ParallelAfterDivide", "6/3||1", "0.666666666666667"},
    TextRow{"ParallelBeforeDivide", "6||3/1", "2"},
    TextRow{"ParallelAfterProduct", "2*3||6", "3"},
    TextRow{"ParallelAfterPower", "2^2||2", "1.33333333333333"},
    TextRow{"ParallelBelowSum", "1+3||6", "3"},
    TextRow{"ParallelTinySizes", "1E-300||1E-300", "5E-301"},
    TextRow{"ParallelHugeSizes", "1E300||1E300", "5E+299"},
    TextRow{"ParallelVeryDifferentSizes", "1E306||2E-14", "2E-14"},
    TextRow{"ParallelVeryDifferentSizesSwapped", "2E-14||1E306", "2E-14"},
    TextRow{"ParallelDangling", "3||", "3"},
    TextRow{"ParallelMissingLeft", "||3", "错误:缺少运算对象“||”。"},
    TextRow{"SingleBarRefused", "3|6", "错误:无法识别的输入“|”。"},
    TextRow{"ThreeBarsRefused", "3|||6", "错误:无法识别的输入“|||”。"},
    // (-b)||c is not -(b||c): a sign after a binary sign stays with the operand.
    TextRow{"ParallelKeepsSignAfterPlus", "1+-220||60", "83.5"},
    TextRow{"ParallelKeepsSignAfterMinus", "1--3||6", "7"},
    TextRow{"ParallelSignedPowerOperand", "1+-2^2||6", "-11"},
    TextRow{"ParallelSignedProductOperand", "1+-2*3||6", "错误:除数为零。"},
    TextRow{"ParallelSignedBracketValue", "5-(-3)||6", "11"},
    TextRow{"ProductSignStillCombined", "1+-2*3", "-5"},
    // A sign behind a function name is its argument's, not a binary one:
    // 2-((-arccos(-1))||1000) = 2+180000/820.
    TextRow{"ParallelSignsBeforeFunction", "2--arccos-1||1E3", "221.512195121951"},
    TextRow{"ParallelSignsBeforeFunctionPasted", "2--arccos-1\u22251E3", "221.512195121951"},
    // 1-((-(-90))||90) = 1-45.
    TextRow{"ParallelSignsBeforeNegativeFunction", "1--arcsin-1||90", "-44"},
    // 1-((-360)||720) = 1+720.
    TextRow{"ParallelSignsBeforeImplicitFunction", "1--2arccos-1||720", "721"},
    // log-(-100) is log100 = 2; the three signs behind the binary one make it -2:
    // 1-((-2)||6) = 1+3.
    TextRow{"ParallelOddSignRunBeforeLog", "1----log-(-100)||6", "4"},
    // 5-((-arccos(-1))||1000): the run "+-" is the argument's one "-".
    TextRow{"ParallelSignRunInsideArgument", "5--arccos+-1||1E3", "224.512195121951"},
    // A sign after a value ("3!") is binary: 1+3!-(2||6) = 7-1.5.
    TextRow{"ParallelSignAfterFactorialIsBinary", "1--3!-2||6", "5.5"},
    // re of a negative bracket value: the "-" behind "re" is the argument's.
    TextRow{"ReOfNegatedNegativeBracket", "re-(-2)", "2"},
    TextRow{"ReOfNegatedParallel", "re-(2ej180||4.7e3)", "2.00085142613878"},
    // The "e" of "re" ends a name, so the "j" behind it is bare.
    TextRow{"ReOfBareJ", "rej", "0"},
    TextRow{"ReOfBareJInBrackets", "(rej)--50", "50"},
    TextRow{"ReOfBareJAfterValue", "100rej", "0"},
    // A factorial behind a word takes its whole value; sqrt takes the principal root.
    TextRow{"FactorialOfNegativeWordValue", "arg(j-2)!", "错误:只能对0到170的整数求阶乘。"},
    TextRow{"FactorialOfWordValue", "abs-3!", "6"},
    TextRow{"SqrtPrincipalRoot", "sqrt(1ej360)", "1"},
    TextRow{"SqrtPrincipalRootOfTextAngle", "sqrt4ej300", "2ej-29.9999999999983"},
    TextRow{"ConjOfSignedBracket", "conj-(2-4)", "2"},
    TextRow{"NameWithoutArgument", "sin-exp", "错误:缺少运算对象“exp”。"},
    // A name with nothing behind it is refused, not completed.
    TextRow{"ConjAlone", "2*conj", "错误:缺少运算对象“conj”。"},
    TextRow{"SqrtAlone", "sqrt", "错误:缺少运算对象“sqrt”。"},
    TextRow{"AnsWithoutResult", "ans*2", "错误:没有可用的上一个结果。"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ComplexWordTexts, RefusalsSelectThePart) {
    const struct {
        const char* input;
        std::size_t start, length;
        const char* text1;
    } rows[] = {
        {"3|6", 1, 1, "3|6"},
        {"1+2*ans", 4, 3, "1+2*ans"},
        {"(1+2)*||3", 5, 2, "(1+2)||3"},  // "*||": the later operator stays
        {"2*conj", 2, 4, "2*conj"},
        {"1||(2", 3, 1, "1||(2"},
    };
    for (const auto& r : rows) {
        Engine engine;
        const Outcome out = engine.evaluate(r.input);
        EXPECT_EQ(out.text1, r.text1) << r.input;
        if (std::string(r.input) == "(1+2)*||3") {
            EXPECT_FALSE(out.failed) << out.text2;
            EXPECT_EQ(out.text2, "1.5");
            continue;
        }
        EXPECT_TRUE(out.failed) << r.input;
        EXPECT_EQ(out.selectionStart, r.start) << r.input;
        EXPECT_EQ(out.selectionLength, r.length) << r.input;
    }
}

// --- Values against std::complex -------------------------------------------------

// An output text as a complex number: "3", "-5", "j4", "5ej30"; nullopt otherwise.
std::optional<Phasor> valueOf(const std::string& text) {
    try {
        std::size_t used = 0;
        const std::size_t ej = text.find("ej");
        if (ej != std::string::npos) {
            const double r = std::stod(text.substr(0, ej));
            const double deg = std::stod(text.substr(ej + 2), &used);
            return std::polar(r, deg * std::numbers::pi / 180);
        }
        const double x = std::stod(text, &used);
        if (used != text.size()) return std::nullopt;
        return Phasor(x, 0);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

Phasor deg(double magnitude, double degrees) {
    return std::polar(magnitude, degrees * std::numbers::pi / 180);
}
double argDeg(Phasor z) { return z == Phasor(0, 0) ? 0 : std::arg(z) * 180 / std::numbers::pi; }
Phasor parallel(Phasor a, Phasor b) { return a * b / (a + b); }

struct ValueRow {
    const char* name;
    const char* input;
    std::function<Phasor()> expected;
};

class ComplexWordValues : public testing::TestWithParam<ValueRow> {};

TEST_P(ComplexWordValues, AgreeWithStdComplex) {
    Engine engine;
    const Outcome out = engine.evaluate(GetParam().input);
    ASSERT_FALSE(out.failed) << out.text2;
    const auto got = valueOf(out.text2);
    ASSERT_TRUE(got) << out.text2;
    const Phasor want = GetParam().expected();
    EXPECT_LT(std::abs(*got - want), 1e-9 * std::max(1.0, std::abs(want)))
        << GetParam().input << " gave " << out.text2;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ComplexWordValues, testing::Values(
    ValueRow{"ComplexPower", "230ej10*conj(5ej-25)", [] { return deg(230, 10) * std::conj(deg(5, -25)); }},
    ValueRow{"ActivePower", "re(230ej10*conj(5ej-25))",
             [] { return Phasor(std::real(deg(230, 10) * std::conj(deg(5, -25))), 0); }},
    ValueRow{"ReactivePower", "im(230ej10*conj(5ej-25))",
             [] { return Phasor(std::imag(deg(230, 10) * std::conj(deg(5, -25))), 0); }},
    ValueRow{"PowerFactor", "cos(arg(230ej10)-arg(5ej-25))",
             [] { return Phasor(std::cos(35 * std::numbers::pi / 180), 0); }},
    ValueRow{"PowerFactorFromPQ", "re(3+j4)/abs(3+j4)", [] { return Phasor(0.6, 0); }},
    ValueRow{"ThreePhasePower", "sqrt3*400*10*0.85",
             [] { return Phasor(std::sqrt(3.0) * 400 * 10 * 0.85, 0); }},
    ValueRow{"ParallelImpedances", "(4+j3)||(6-j8)",
             [] { return parallel(Phasor(4, 3), Phasor(6, -8)); }},
    ValueRow{"ParallelExponential", "10ej30||5ej-60", [] { return parallel(deg(10, 30), deg(5, -60)); }},
    ValueRow{"ParallelBeyond180", "2ej200||3ej-250", [] { return parallel(deg(2, 200), deg(3, -250)); }},
    ValueRow{"ParallelNegativeMagnitude", "(-2ej30)||(4ej10)",
             [] { return parallel(-deg(2, 30), deg(4, 10)); }},
    ValueRow{"ParallelImaginary", "j4||-j2", [] { return parallel(Phasor(0, 4), Phasor(0, -2)); }},
    ValueRow{"ParallelWithinProducts", "2*(1+j)||(1-j)*3", [] {
        return parallel(2.0 * Phasor(1, 1), Phasor(1, -1)) * 3.0; }},
    ValueRow{"ConjNegativeMagnitude", "conj(-2ej30)", [] { return std::conj(-deg(2, 30)); }},
    ValueRow{"ConjBeyond180", "conj(2ej200)", [] { return std::conj(deg(2, 200)); }},
    ValueRow{"ArgBeyond180", "arg(2ej200)", [] { return Phasor(argDeg(deg(2, 200)), 0); }},
    ValueRow{"ArgBelowMinus180", "arg(2ej-190)", [] { return Phasor(argDeg(deg(2, -190)), 0); }},
    ValueRow{"ArgNegativeMagnitude", "arg(-2ej30)", [] { return Phasor(argDeg(-deg(2, 30)), 0); }},
    ValueRow{"SqrtExponential", "sqrt(4ej300)", [] { return std::sqrt(deg(4, 300)); }},
    ValueRow{"SqrtNegativeMagnitude", "sqrt(-4ej60)", [] { return std::sqrt(-deg(4, 60)); }},
    ValueRow{"SqrtSquared", "sqrt(3+j4)^2", [] { return Phasor(3, 4); }},
    ValueRow{"ExpInProduct", "exp(2)*j", [] { return Phasor(0, std::exp(2.0)); }},
    ValueRow{"NestedWords", "abs(conj(3+j4)*sqrt(-4))", [] { return Phasor(10, 0); }},
    ValueRow{"RootSignOfBracket", "\u221A(2*8)", [] { return Phasor(4, 0); }}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// --- ans ---------------------------------------------------------------------------

struct AnsRow {
    const char* name;
    const char* input;
    const char* previous;  // the output on show, or the previous result
    const char* text1;     // the input box afterwards
    const char* output;
};

class PreviousResult : public testing::TestWithParam<AnsRow> {};

TEST_P(PreviousResult, StandsInBrackets) {
    const AnsRow& r = GetParam();
    Engine engine;
    const Outcome out = engine.evaluate(r.input, r.previous);
    EXPECT_EQ(out.text1, r.text1);
    EXPECT_EQ(out.text2, r.output);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PreviousResult, testing::Values(
    AnsRow{"Times", "ans*2", "5", "(5)*2", "10"},
    AnsRow{"Reciprocal", "1/ans", "4", "1/(4)", "0.25"},
    AnsRow{"Conjugate", "conj(ans)", "2ej30", "conj((2ej30))", "2ej-29.9999999999983"},
    AnsRow{"AlgebraicKeepsItsSum", "ans*2", "3+j4", "(3+j4)*2", "10ej53.130102354156"},
    AnsRow{"NegativeKeepsItsSign", "2^ans", "-1", "2^(-1)", "0.5"},
    AnsRow{"NegativeSquared", "ans^2", "-3", "(-3)^2", "9"},
    AnsRow{"ImplicitProduct", "2ans", "3", "2*(3)", "6"},
    AnsRow{"UpperCase", "ANS+1", "1", "(1)+1", "2"},
    AnsRow{"Twice", "ans*ans", "3", "(3)*(3)", "9"},
    AnsRow{"WithinWords", "sqrtans", "9", "sqrt(9)", "3"},
    AnsRow{"SmallNumberText", "ans*1E5", "1E-05", "(1E-05)*1E5", "1"},
    AnsRow{"NoneOnShow", "ans+1", "", "ans+1", "错误:没有可用的上一个结果。"},
    AnsRow{"ErrorOnShow", "ans+1", "错误:除数为零。", "ans+1", "错误:没有可用的上一个结果。"},
    AnsRow{"TypedTextOnShow", "ans+1", "abc", "ans+1", "错误:没有可用的上一个结果。"},
    AnsRow{"ExpressionOnShow", "ans+1", "1+2", "ans+1", "错误:没有可用的上一个结果。"},
    AnsRow{"UnusedAnsNeedsNothing", "1+1", "", "1+1", "2"},
    AnsRow{"UnknownWordFirst", "ansx", "5", "ansx", "错误:无法识别的输入“ansx”。"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// --- The vocabulary split ----------------------------------------------------------

// Every way a letter run splits into the words, by trying every word at every place.
void allSplits(std::string_view letters, std::vector<std::string_view>& now,
               std::vector<std::vector<std::string_view>>& found) {
    if (letters.empty()) {
        found.push_back(now);
        return;
    }
    for (std::string_view w : vocabularyWords()) {
        if (letters.starts_with(w)) {
            now.push_back(w);
            allSplits(letters.substr(w.size()), now, found);
            now.pop_back();
        }
    }
}

TEST(Vocabulary, EveryPairAndTripleOfWordsSplitsOneWayOnly) {
    // Every run of up to three words has exactly one split, the words it was made
    // of, and the check walks the same words (longest at each place).
    const auto words = vocabularyWords();
    std::size_t runs = 0;
    auto check = [&](const std::vector<std::string_view>& parts) {
        std::string run;
        for (std::string_view w : parts) run += w;
        std::vector<std::string_view> now;
        std::vector<std::vector<std::string_view>> found;
        allSplits(run, now, found);
        ASSERT_EQ(found.size(), 1u) << run;
        EXPECT_EQ(found[0], parts) << run;
        EXPECT_TRUE(lettersSplitIntoWords(run)) << run;
        std::size_t p = 0;
        for (std::string_view w : parts) {
            EXPECT_EQ(wordAt(run, p), w.size()) << run << " at " << p;
            p += w.size();
        }
        ++runs;
    };
    for (std::string_view a : words) {
        check({a});
        for (std::string_view b : words) {
            check({a, b});
            for (std::string_view c : words) check({a, b, c});
        }
    }
    EXPECT_EQ(runs, words.size() * (1 + words.size() * (1 + words.size())));
}

TEST(Vocabulary, NewWordsAgainstOldOnes) {
    const struct {
        const char* letters;
        bool splits;
    } rows[] = {
        {"exp", true},   {"ee", true},     {"eexp", true},   {"expe", true},     {"ex", false},
        {"xp", false},   {"re", true},     {"rej", true},    {"arcsinre", true}, {"arcre", false},
        {"conj", true},  {"conjj", true},  {"con", false},   {"ans", true},      {"an", false},
        {"tans", false}, {"absarg", true}, {"sqrtim", true}, {"ab", false},      {"SQRT", true},
    };
    for (const auto& r : rows) EXPECT_EQ(lettersSplitIntoWords(r.letters), r.splits) << r.letters;
}

TEST(Vocabulary, AnsIsFoundAsAWordOnly) {
    EXPECT_EQ(findAns("1+ans"), 2u);
    EXPECT_EQ(findAns("tan30"), std::string_view::npos);  // "an" of tan is no word
    EXPECT_EQ(findAns("eans"), 1u);                       // e, then ans
    EXPECT_EQ(findAns("2*ANS"), 2u);
    EXPECT_EQ(findAns("ans*ans", 3), 4u);
}

}  // namespace
}  // namespace kalvox
