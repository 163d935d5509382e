// Inputs as engineers commonly write them, with what each means. Every row is
// checked twice: the calculator must give the meaning (or refuse where there is
// none), and the independent reading must agree with the row, so that the
// generated test judges by the same meanings.

#include <gtest/gtest.h>

#include <complex>
#include <numbers>
#include <ostream>
#include <sstream>
#include <string>

#include "engine/engine.h"
#include "tests/engine/meaning/meaning_evaluator.h"
#include "tests/engine/meaning/meaning_verdict.h"

namespace kalvox::meaning {
namespace {

using Complex = std::complex<double>;

enum class Means { Value, Undefined, Malformed };

struct Row {
    const char* name;
    const char* text;
    Means means;
    Complex value;
};

Complex phasor(double magnitude, double degrees) {
    return std::polar(magnitude, degrees * std::numbers::pi / 180);
}
double sinDeg(double d) { return std::sin(d * std::numbers::pi / 180); }
double cosDeg(double d) { return std::cos(d * std::numbers::pi / 180); }

void PrintTo(const Row& row, std::ostream* out) { *out << row.text; }

Row value(const char* name, const char* text, Complex v) { return {name, text, Means::Value, v}; }
Row undefined(const char* name, const char* text) { return {name, text, Means::Undefined, {}}; }
Row malformed(const char* name, const char* text) { return {name, text, Means::Malformed, {}}; }

const Row kRows[] = {
    // Signs after operators.
    value("TimesMinus", "2*-3", -6),
    value("MinusMinus", "5--2", 7),
    value("PowerPlus", "2^+2", 4),
    value("PhasorOverMinus", "100ej-30/-2", phasor(50, 150)),
    value("OverMinus", "2/-4", -0.5),
    value("TimesMinusMinus", "2*--3", 6),
    value("PlusMinus", "5+-2", 3),
    value("PowerMinus", "2^-2", 0.25),
    value("AnglePlus", "2ej+30", phasor(2, 30)),
    value("LeadingPlus", "+3", 3),
    // Coefficients before and after j, the bare j.
    value("CoefficientBeforeJ", "3+4j", Complex(3, 4)),
    value("OverCoefficientJ", "1/2j", Complex(0, -0.5)),
    value("ExponentCoefficientJ", "5e-3j", Complex(0, 0.005)),
    value("ZeroJ", "0j", 0),
    value("OverOnePlusJ", "1/(1+j)", phasor(std::sqrt(0.5), -45)),
    value("BracketedBareJ", "(3+j)", Complex(3, 1)),
    value("BareJSquared", "j^2", -1),
    value("BareJ", "j", Complex(0, 1)),
    value("BareJInBrackets", "(j)", Complex(0, 1)),
    value("JAfterCoefficientMinus", "3+4j-2", Complex(1, 4)),
    // Implicit products.
    value("NumberFunction", "2sin30", 1),
    value("NumberLog", "20log100", 40),
    value("FunctionFunction", "sin30cos60", 0.25),
    value("FactorialNumber", "3!2", 12),
    value("NumberPi", "2π*50", 2 * 3.14159265358979 * 50),
    value("PiNumber", "π2", 2 * 3.14159265358979),
    value("NumberBracket", "2(3)", 6),
    value("BracketBracket", "(1)(2)", 2),
    value("FactorialBracket", "2!(3)", 6),
    value("ImaginaryFunction", "j4sin30", Complex(0, 2)),
    value("BracketFunction", "(2)sin30", 1),
    // A function's argument is the whole number item behind it.
    value("ExponentArgument", "sin1e2", sinDeg(100)),
    value("NegativeArgument", "sin-30", -0.5),
    value("RealPhasorArgument", "cos(2ej180)", cosDeg(-2)),
    // A complex argument: the principal value, degrees in and out of sin ... arcctn.
    value("ComplexLogarithm", "ln(3+j4)", std::log(Complex(3, 4))),
    value("CommonLogarithmOfJ", "log(j100)", std::log10(Complex(0, 100))),
    value("SineOfPhasor", "sin(2ej30)", std::sin(phasor(2, 30) * std::numbers::pi / 180.0)),
    value("SineOfPhasorItem", "sin2ej30", std::sin(phasor(2, 30) * std::numbers::pi / 180.0)),
    value("SineOfImaginary", "sinj2", std::sin(Complex(0, 2) * std::numbers::pi / 180.0)),
    value("ArcsineOfJ", "arcsin(j)", std::asin(Complex(0, 1)) * 180.0 / std::numbers::pi),
    value("ArccotangentOfSum", "arcctn(1+j)",
          90.0 - std::atan(Complex(1, 1)) * 180.0 / std::numbers::pi),
    value("ExpOfImaginaryRadians", "exp(j*2)", std::exp(Complex(0, 2))),
    undefined("ArctangentAtItsPole", "arctan(j)"),
    // Superscripts are an exponent.
    value("SuperscriptSquare", "110\u00B2", 12100),
    value("SuperscriptRunWithMinus", "10\u207B\u00B3*4.7", 0.0047),
    value("SuperscriptOfBracket", "(3+j4)\u00B2", Complex(3, 4) * Complex(3, 4)),
    // A function of a function, with its sign.
    value("FunctionOfFunction", "sinsin30", sinDeg(sinDeg(30))),
    value("TangentOfArccos", "tan arccos 0.7", std::tan(std::acos(0.7))),
    value("SignedInnerFunction", "sin-cos30", sinDeg(-cosDeg(30))),
    value("LogOfLog", "lnln10", std::log(std::log(10.0))),
    // A run of signs behind "j" is an operator.
    value("JPlusMinus", "j+-83", Complex(-83, 1)),
    value("JMinusPlus", "j-+29", Complex(-29, 1)),
    // "j(" is the bracket's imaginary coefficient.
    value("OneOverJOmegaC", "1/j(2*π*50*10E-6)",
          1.0 / Complex(0, 2 * 3.14159265358979 * 50 * 10e-6)),
    value("JBracketSquared", "j(3)^2", -9),
    // Factorials.
    undefined("HalfFactorial", "0.5!"),
    undefined("FractionFactorial", "3.5!"),
    undefined("NegativeFactorial", "(-3)!"),
    undefined("SmallFractionFactorial", "(exp-1/1E8)!"),
    undefined("NearOneFactorial", "(2.35E8||1)!"),
    value("ZeroFactorial", "0!", 1),
    value("SignBeforeFactorial", "-3!", -6),
    value("LargestFactorial", "170!", 7.25741561530799e306),
    undefined("FactorialOverflow", "171!"),
    // Complex exponents, poles, division by zero, zero as a base.
    value("ComplexExponent", "2^j4", std::pow(Complex(2), Complex(0, 4))),
    value("ComplexToComplex", "(1ej90)^(1ej90)", std::exp(-std::numbers::pi / 2)),
    undefined("ZeroToImaginary", "0^j"),
    undefined("FactorialOfComplex", "(1+j)!"),
    undefined("TangentAt270", "tan(270)"),
    undefined("TangentAt90", "tan90"),
    undefined("TangentAtMinus90", "tan-90"),
    undefined("CotangentAt180", "ctn(180)"),
    undefined("CotangentAt0", "ctn0"),
    undefined("DivisionByZero", "1/0"),
    undefined("ZeroToMinusOne", "0^-1"),
    value("ZeroToZero", "0^0", 1),
    value("ZeroToFraction", "0^0.3", 0),
    // A parallel connection of very different sizes is the smaller one.
    value("ParallelOfVeryDifferentSizes", "1E306||2E-14", 2e-14),
    // Small magnitudes keep their angle.
    value("TinyPhasor", "1E-12ej30", phasor(1e-12, 30)),
    value("SmallQuotient", "1/(1E8+j3E7)", 1.0 / Complex(1e8, 3e7)),
    // A sign run in front of an operand of "||" that begins with a function: the
    // sign behind the name is the argument's, the operand keeps its sign.
    value("SignsBeforeFunctionParallel", "1ej120--arccos-1\u22251E3",
          phasor(1, 120) + 180000.0 / 820),
    value("SignsBeforeNegativeFunctionParallel", "1--arcsin-1||90", -44),
    value("SignsBeforeImplicitFunctionParallel", "1--2arccos-1||720", 721),
    value("OddSignRunBeforeLogParallel", "1----log-(-100)||6", 4),
    value("SignsBeforeExponentArgumentParallel", "1--sin-3e1||1", 2.0 / 3),
    value("SignAfterFactorialIsBinary", "1--3!-2||6", 5.5),
    // re of a negative bracket value: the "-" behind "re" is the argument's.
    value("ReOfNegatedNegativeBracket", "re-(-2)", 2),
    value("ReOfNegatedParallel", "re-(2ej180||4.7e3)", 9400.0 / 4698),
    // re of a bare j.
    value("ReOfBareJ", "rej", 0),
    value("ReOfBareJMinusValue", "(rej)--50", 50),
    // SI prefixes directly behind a number, case as written.
    value("PrefixKilo", "4.7k", 4700),
    value("PrefixMicroSign", "100\u00B5", 1e-4),
    value("PrefixGreekMu", "3.3\u03BC", 3.3e-6),
    value("PrefixLetterU", "1/(2\u03C0*50*100u)", 31.8309886183791),
    value("PrefixOverRoot", "10.5k/\u221A3", 6062.17782649107),
    value("PrefixMilli", "2m", 2e-3),
    value("PrefixMega", "2M", 2e6),
    value("PrefixPico", "2p", 2e-12),
    value("PrefixNano", "2.2n", 2.2e-9),
    value("PrefixGiga", "1G", 1e9),
    value("PrefixTera", "0.5T", 5e11),
    value("PrefixOnMagnitude", "2kej30", phasor(2000, 30)),
    value("PrefixBehindJ", "j4.7k", Complex(0, 4700)),
    value("PrefixBeforeJ", "4.7kj", Complex(0, 4700)),
    value("PrefixThenBracket", "4.7k(2)", 9400),
    value("PrefixThenPi", "4.7k\u03C0", 4700 * 3.14159265358979),
    value("PrefixThenFunction", "2ksin30", 1000),
    value("PrefixThenSquare", "4.7k\u00B2", 22090000),
    value("ExponentLetterStays", "2e3", 2000),
    value("UpperExponentLetterStays", "2E3", 2000),
    value("UpperCaseFunctionAfterDigits", "2Tan45", 2),
    malformed("PrefixOnAngle", "2ej30k"),
    malformed("ResistorCode", "1k2"),
    malformed("PointBehindPrefix", "1k.5"),
    malformed("TwoPrefixes", "1kk"),
    malformed("PrefixAfterExponent", "1.5e3k"),
    malformed("LonePrefix", "k"),
    malformed("PrefixBeforeNumber", "m2"),
    // Euler's number: a lower-case "e" that stands as an operand of its own.
    value("LoneEuler", "e", 2.71828182845905),
    value("EulerToMinusOne", "e^-1", 0.367879441171442),
    value("CapacitorVoltage", "12*(1-e^(-5m/(1k*10\u00B5)))", 4.7216320834484),
    value("TimesEuler", "2*e", 2 * 2.71828182845905),
    value("BracketBeforeEuler", "(2)e", 2 * 2.71828182845905),
    value("EulerBeforeBracket", "e(2)", 2 * 2.71828182845905),
    value("NegativeEuler", "-e", -2.71828182845905),
    value("LogarithmOfEuler", "ln(e)", 1),
    value("LogarithmOfEulerUnbracketed", "lne", 1),
    value("SineOfEulerDegrees", "sine", sinDeg(2.71828182845905)),
    value("EulerToImaginaryRadians", "e^(j*30*\u03C0/180)",
          std::exp(Complex(0, 30 * 3.14159265358979 / 180))),
    value("EulerSquared", "e\u00B2", 2.71828182845905 * 2.71828182845905),
    value("RootOfEuler", "\u221Ae", std::sqrt(2.71828182845905)),
    value("EulerTimesPi", "e\u03C0", 2.71828182845905 * 3.14159265358979),
    value("PiTimesEuler", "\u03C0e", 2.71828182845905 * 3.14159265358979),
    value("EulerMinusImaginary", "e-j2", Complex(2.71828182845905, -2)),
    value("EulerPlusPi", "e+\u03C0", 2.71828182845905 + 3.14159265358979),
    malformed("DanglingExponentLetter", "2e"),
    value("DanglingCapitalExponentLetter", "2E", 2),
    malformed("UpperCaseE", "E"),
    malformed("UpperCaseESquared", "E^2"),
    malformed("EulerMinusDigit", "e-1"),
    malformed("EulerSignsDigit", "e+-1"),
    // An angle that is an expression behind "ej" or "∠", in degrees.
    value("AngleOfArccos", "100\u2220-arccos(0.9)", phasor(100, -25.8419327631671)),
    value("AngleOfSum", "1ej(90+30)", phasor(1, 120)),
    value("BracketAngleSquared", "2ej(30)^2", phasor(4, 60)),
    value("BareEjBracket", "ej(45)", phasor(1, 45)),
    value("BracketTimesUnitPhasor", "(1+j)ej(30)", Complex(1, 1) * phasor(1, 30)),
    value("AngleSignLiteral", "10\u2220-30", phasor(10, -30)),
    value("AngleOfFunction", "2ejsin30", phasor(2, 0.5)),
    value("NegatedAngleBracket", "ej-(30)", phasor(1, -30)),
    value("PrefixedMagnitudeAngleBracket", "2kej(30)", phasor(2000, 30)),
    value("FunctionAngleSquared", "1\u2220arcsin(0.5)^2", phasor(1, 60)),
    value("AngleOfExp", "1ejexp(1)", phasor(1, std::exp(1.0))),
    undefined("ComplexAngle", "1ej(j)"),
    // "°" is dropped, but not where it would make degrees of radians.
    value("SineDegreeSign", "sin30\u00B0", 0.5),
    value("PhasorDegreeSign", "2ej30\u00B0", phasor(2, 30)),
    value("AngleBracketDegreeSign", "1ej(30\u00B0)", phasor(1, 30)),
    value("ExpOfPhasorDegreeSign", "exp(1ej30\u00B0)", std::exp(phasor(1, 30))),
    value("EulerToSineDegreeSign", "e^(j*sin(30\u00B0))", std::exp(Complex(0, 0.5))),
    malformed("ExpDegreeSign", "exp(j30\u00B0)"),
    malformed("EulerPowerDegreeSign", "e^(j30\u00B0)"),
    malformed("PowerDegreeSign", "2^(j30\u00B0)"),
    malformed("EulerPowerUnbracketedDegreeSign", "e^j30\u00B0"),
    malformed("ExpOfRealDegreeSign", "exp(30\u00B0)"),
    malformed("PowerOfRealDegreeSign", "2^30\u00B0"),
    value("DegreeSignBehindExponent", "2^3*30\u00B0", 240),
    value("DegreeSignThenPrefix", "sin30\u00B0+1k", 1000.5),
    value("PrefixedMagnitudeDegreeSign", "1k\u222030\u00B0", phasor(1000, 30)),
    // Malformed numbers.
    malformed("TwoPoints", "2.5.5"),
    malformed("TwoExponents", "1e3e2"),
    malformed("DigitsAroundJ", "4j5"),
    malformed("ExponentWithoutMantissa", "e3"),
    malformed("TwoImaginaries", "j4j5"),
    malformed("TwoAngles", "2ej30ej40"),
    malformed("PhasorThenJ", "2ej30j"),
    malformed("FractionalExponent", "1e5.5"),
    malformed("PhasorWithoutAngle", "3ej"),
    // Missing operands.
    malformed("NothingBeforeTimes", "*3"),
    malformed("EmptyBrackets", "()"),
    malformed("LoneFunction", "sin"),
    malformed("FunctionPlus", "sin+1"),
    malformed("FunctionOfNothing", "sinsin"),
    malformed("NothingAfterPlus", "(3+)"),
    malformed("NothingBeforeTimesInBrackets", "(*2)"),
    malformed("SignInBrackets", "(+)"),
    malformed("LoneFactorial", "!"),
};

class EngineersInputs : public ::testing::TestWithParam<Row> {};

TEST_P(EngineersInputs, CalculatorGivesTheMeaning) {
    const Row& row = GetParam();
    Engine engine;
    const Outcome outcome = engine.evaluate(row.text);
    if (row.means != Means::Value) {
        EXPECT_TRUE(outcome.failed) << row.text << " gave " << outcome.text2;
        return;
    }
    ASSERT_FALSE(outcome.failed) << row.text << " gave " << outcome.text2;
    const auto answer = outputValue(outcome.text2);
    ASSERT_TRUE(answer.has_value()) << outcome.text2;
    EXPECT_LE(std::abs(*answer - row.value), 1e-7 * std::abs(row.value) + 1e-300)
        << row.text << " gave " << outcome.text2;
}

TEST_P(EngineersInputs, IndependentReadingAgrees) {
    const Row& row = GetParam();
    const Meaning m = readMeaning(row.text);
    switch (row.means) {
        case Means::Value:
            ASSERT_EQ(m.kind, Meaning::Kind::Value) << row.text << ": " << m.reason;
            EXPECT_FALSE(m.anyValueAcceptable) << row.text;
            EXPECT_LE(std::abs(m.value - row.value), 1e-9 * std::abs(row.value) + 1e-14)
                << row.text;
            break;
        case Means::Undefined:
            EXPECT_EQ(m.kind, Meaning::Kind::Undefined) << row.text;
            break;
        case Means::Malformed:
            EXPECT_EQ(m.kind, Meaning::Kind::Malformed) << row.text;
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Issue, EngineersInputs, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

// Texts that read two ways in ordinary notation: the reading accepts either.
struct TwoWays {
    const char* name;
    const char* text;
    double first;
    double second;
};

const TwoWays kTwoWays[] = {
    {"SignBeforePower", "-3^2", -9, 9},
    {"PowerTower", "2^3^2", 512, 64},
    {"ImplicitAfterDivision", "1/2(3)", 1.5, 1.0 / 6},
};

void PrintTo(const TwoWays& row, std::ostream* out) { *out << row.text; }

class AmbiguousTexts : public ::testing::TestWithParam<TwoWays> {};

TEST_P(AmbiguousTexts, BothReadingsAreAccepted) {
    const TwoWays& row = GetParam();
    for (double v : {row.first, row.second}) {
        std::ostringstream text;
        text.precision(17);
        text << v;
        EXPECT_EQ(judge(row.text, false, text.str()).verdict, Verdict::Agrees) << v;
    }
    EXPECT_EQ(judge(row.text, false, "7").verdict, Verdict::WrongValue);
}

INSTANTIATE_TEST_SUITE_P(Notation, AmbiguousTexts, ::testing::ValuesIn(kTwoWays),
                         [](const ::testing::TestParamInfo<TwoWays>& info) {
                             return std::string(info.param.name);
                         });

// The verdicts themselves, on answers a faulty or a sound calculator would give.
struct VerdictRow {
    const char* name;
    const char* text;
    bool failed;
    const char* output;
    Verdict verdict;
};

void PrintTo(const VerdictRow& row, std::ostream* out) { *out << row.text << " -> " << row.output; }

const VerdictRow kVerdictRows[] = {
    {"SignSwallowed", "2*-3", false, "-1", Verdict::WrongValue},
    {"DefinedRefused", "2*-3", true, "", Verdict::RefusedDefined},
    {"FractionFactorial", "0.5!", false, "0.12", Verdict::ValueForUndefined},
    {"NumberPrefixRead", "2.5.5", false, "2.5", Verdict::ValueForMalformed},
    {"MalformedRefused", "2.5.5", true, "", Verdict::RightRefusal},
    {"CoefficientBeforeJ", "3+4j", false, "5ej53.130102354156", Verdict::Agrees},
    {"AngleLost", "1E-12ej30", false, "1E-12", Verdict::WrongValue},
    {"LaterOperatorKept", "3*/2", false, "1.5", Verdict::Agrees},
    {"LaterOperatorRefused", "3*/2", true, "", Verdict::AllowedRefusal},
    {"DanglingOperatorDropped", "5^", false, "5", Verdict::Agrees},
    {"StrayPointDropped", "1..2", false, "1.2", Verdict::Agrees},
    {"StrayPointRefused", "1..2", true, "", Verdict::AllowedRefusal},
    {"SubnormalRefused", "1p/170!*1E300", true, "", Verdict::AllowedRefusal},
    {"PrincipalSquareRoot", "(-4)^0.5", false, "2ej90", Verdict::Agrees},
    {"OtherSquareRoot", "(-4)^0.5", false, "2ej-90", Verdict::Agrees},
    {"RealCubeRoot", "(-8)^(1/3)", false, "-2", Verdict::Agrees},
    {"NoRootAtAll", "(-4)^0.5", false, "2", Verdict::WrongValue},
    {"BranchRefused", "(-8)^(2/3)", true, "", Verdict::AllowedRefusal},
    {"RoundingResidueInTangent", "tan(45+45)", true, "", Verdict::RightRefusal},
    {"NearPoleValue", "tan89.99999999", false, "5729577951.30823", Verdict::Agrees},
    {"UnreadableOutput", "1+1", false, "2x", Verdict::WrongValue},
    // The angle of a negative real is 180, its logarithm defined.
    {"LogOfArgOfNegativeReal", "log(arg-50)", false, "2.25527250510331", Verdict::Agrees},
    // im(1ej360) is 0: its logarithm may be refused, whatever residue π leaves.
    {"LogOfResidueRefused", "log(im-1ej360)", true, "", Verdict::AllowedRefusal},
    // A sign and a digit behind "e" make a number without its mantissa.
    {"EulerMinusDigitRead", "e-1", false, "1.71828182845905", Verdict::ValueForMalformed},
    {"DegreeSignInRadiansDropped", "exp(j30\u00B0)", false, "1ej-158.873128395234",
     Verdict::ValueForMalformed},
};

class Verdicts : public ::testing::TestWithParam<VerdictRow> {};

TEST_P(Verdicts, NameTheAnswer) {
    const VerdictRow& row = GetParam();
    const Judgement j = judge(row.text, row.failed, row.output);
    EXPECT_EQ(verdictName(j.verdict), verdictName(row.verdict)) << j.expected;
}

INSTANTIATE_TEST_SUITE_P(Answers, Verdicts, ::testing::ValuesIn(kVerdictRows),
                         [](const ::testing::TestParamInfo<VerdictRow>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace kalvox::meaning
