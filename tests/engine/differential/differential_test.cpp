// The engine against the literal reference rendering of the text-rewriting
// evaluation: the whole evaluation, the ej-j conversion, the repair and the
// bracket check must agree character for character.

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "engine/detail/gcc_workarounds.h"
#include "engine/detail/number_text_general.h"
#include "engine/engine.h"
#include "engine/front.h"
#include "engine/number_text.h"
#include "engine/operations.h"
#include "tests/engine/differential/reference_engine.h"
#include "tests/engine/differential/reference_scope.h"
#include "tests/support/expression_generator.h"

namespace kalvox::reference {
namespace {

// Collects the differences found for one input text.
class Comparison {
public:
    explicit Comparison(std::string input) : input_(std::move(input)) {}

    template <typename A, typename B>
    void same(const char* what, const A& fast, const B& ref) {
        if (fast == ref) return;
        std::ostringstream out;
        out << what << ": engine \"" << fast << "\" reference \"" << ref << "\"";
        differences_.push_back(out.str());
    }

    std::string report() const {
        std::string text =
            "input \"" + input_ + "\" (" + std::to_string(input_.size()) + " bytes)\n";
        for (const auto& d : differences_) text += "  " + d + "\n";
        return text;
    }
    bool ok() const { return differences_.empty(); }

private:
    std::string input_;
    std::vector<std::string> differences_;
};

// Byte offset of the 1-based character position p of s.
std::size_t bytePosition(const std::string& s, std::size_t p) {
    if (p == 0) return 0;
    return encode(decode(s).substr(0, p - 1)).size() + 1;
}

// The reference's ej-j result as the key shows it: an error display on a fault.
std::string referenceForm(ReferenceEngine& r, const std::string& text) {
    const std::string converted = r.switchForm(text);
    if (r.errorFlag != 0) return errorDisplay(r.errorText);
    return encode(r.shownAt180(decode(converted)));
}

Comparison compareAll(const std::string& input, bool stages = true) {
    Comparison c(input);

    // The whole evaluation, then two presses of ej-j on its output.
    {
        const Engine e;
        ReferenceEngine r;
        const Outcome a = e.evaluate(input);
        const Outcome b = r.evaluate(input);
        c.same("evaluate text1", a.text1, b.text1);
        c.same("evaluate text2", a.text2, b.text2);
        c.same("evaluate selectionStart", a.selectionStart, b.selectionStart);
        c.same("evaluate selectionLength", a.selectionLength, b.selectionLength);
        c.same("evaluate focusInput", a.focusInput, b.focusInput);
        c.same("evaluate failed", a.failed, b.failed);
        if (!a.failed && !b.failed) {
            const std::string x = e.switchForm(a.text2, FormDirection::ToAlgebraic);
            const std::string y = referenceForm(r, b.text2);
            c.same("ej-j after evaluate", x, y);
            if (!isErrorDisplay(x) && !isErrorDisplay(y))
                c.same("ej-j back", e.switchForm(x, FormDirection::ToExponential),
                       referenceForm(r, y));
        }
    }
    if (!stages) return c;

    // The steps of the front that have a reference of their own.
    {
        ReferenceEngine r;
        c.same("repair", repairInput(input), r.repaired(input));
    }
    {
        ReferenceEngine r;
        std::string a = input;
        std::string b = input;
        const std::size_t pa = findUnpairedBracket(a);
        const std::size_t pb = r.checkBrackets(b);
        c.same("bracket check text", a, b);
        c.same("bracket check position", pa, bytePosition(input, pb));
    }
    return c;
}

void expectAllSame(const std::vector<std::string>& inputs, bool stages = true) {
    int failures = 0;
    std::size_t compared = 0;
    for (const auto& input : inputs) {
        if (beyondLiteralReading(input)) continue;
        ++compared;
        const Comparison c = compareAll(input, stages);
        if (!c.ok()) {
            ADD_FAILURE() << c.report();
            if (++failures >= 20) return;
        }
    }
    // Most texts stay within the literal reading.
    EXPECT_GE(compared * 3, inputs.size() * 2)
        << compared << " of " << inputs.size() << " compared";
}

TEST(Differential, TableExpressions) { expectAllSame(tableExpressions()); }

TEST(Differential, RandomShortExpressions) {
    ExpressionGenerator gen(20240605);
    std::vector<std::string> inputs;
    for (int i = 0; i < 4000; ++i) inputs.push_back(gen.expression(12));
    expectAllSame(inputs);
}

TEST(Differential, RandomLongerExpressions) {
    ExpressionGenerator gen(77);
    std::vector<std::string> inputs;
    for (int i = 0; i < 400; ++i) inputs.push_back(gen.expression(80));
    expectAllSame(inputs);
}

TEST(Differential, RandomExpressionsWithBalancedBrackets) {
    // Brackets that pair up reach the bracket reduction through the driver.
    ExpressionGenerator gen(4242);
    std::vector<std::string> inputs;
    for (int i = 0; i < 1500; ++i) {
        std::string s;
        int open = 0;
        const int parts = 1 + static_cast<int>(gen.below(10));
        for (int k = 0; k < parts; ++k) {
            if (gen.below(3) == 0) {
                s += gen.below(2) ? "(" : "sin(";
                ++open;
            }
            s += gen.expression(4);
            if (open > 0 && gen.below(3) == 0) {
                s += ")";
                --open;
            }
        }
        while (open-- > 0) s += ")";
        inputs.push_back(s);
    }
    expectAllSame(inputs);
}

// The generated expressions as another tool or a textbook may spell them:
// full-width forms, typographic operators, "∠" for "ej", degree signs, π.
std::string pastedSpelling(const std::string& ascii, ExpressionGenerator& gen) {
    Text out;
    const Text s = decode(ascii);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char32_t c = s[i];
        const bool pick = gen.below(3) == 0;
        if (pick && c == 'e' && i + 1 < s.size() && s[i + 1] == 'j') {
            out += U'\u2220';
            ++i;
            if (gen.below(2)) {
                while (i + 1 < s.size() && (isdigit(static_cast<int>(s[i + 1])) || s[i + 1] == '-'))
                    out += s[++i];
                out += U'\u00B0';
            }
        } else if (pick && c == '*') {
            out += std::u32string_view(U"\u00D7\u00B7\u22C5").substr(gen.below(3), 1);
        } else if (pick && c == '/') {
            out += U'\u00F7';
        } else if (pick && c == '-') {
            out += U'\u2212';
        } else if (pick && c == ' ') {
            out += gen.below(2) ? U'\u3000' : U'\u00A0';
        } else if (pick && c == '.') {
            out += U'\u3002';
        } else if (pick && c > 0x20 && c < 0x7F) {
            out += c + 0xFEE0;
        } else {
            out += c;
        }
        if (gen.below(40) == 0) out += gen.below(2) ? U'\u03C0' : U'\u00B0';
    }
    return encode(out);
}

TEST(Differential, RandomPastedExpressions) {
    ExpressionGenerator gen(1789);
    std::vector<std::string> inputs;
    for (int i = 0; i < 3000; ++i) inputs.push_back(pastedSpelling(gen.expression(12), gen));
    for (int i = 0; i < 1000; ++i) {
        // Balanced, mostly inside the vocabulary, so that most reach the passes.
        KALVOX_RESTRICT_WARNING_OFF
        std::string s = "(" + gen.expression(6) + ")*" + gen.expression(6);
        KALVOX_RESTRICT_WARNING_ON
        inputs.push_back(pastedSpelling(s, gen));
    }
    expectAllSame(inputs, false);
}

TEST(Differential, RandomFunctionChainsAndImaginaryBrackets) {
    // Functions of functions ("tanarccos0.7", "sin-cos30"), "j(" and runs of signs
    // behind a "j", with factorials and further faults around them.
    ExpressionGenerator gen(5150);
    const char* const names[] = {"sin",    "cos",    "tan", "ctn", "arcsin", "arccos",
                                 "arctan", "arcctn", "ln",  "log", "SIN"};
    const char* const joins[] = {"+", "-", "*", "/", "^", "+-", "j+-", "j-+", "*j(", "!+", "!*"};
    std::vector<std::string> inputs;
    for (int i = 0; i < 3000; ++i) {
        std::string s;
        const std::size_t parts = 1 + gen.below(4);
        for (std::size_t k = 0; k < parts; ++k) {
            const std::size_t chain = gen.below(4);
            for (std::size_t n = 0; n < chain; ++n) {
                s += names[gen.below(std::size(names))];
                if (gen.below(4) == 0) s += "-";
            }
            switch (gen.below(3)) {
                case 0:
                    s += "j(";
                    s += gen.expression(4);
                    s += ")";
                    break;
                case 1:
                    s += "(";
                    s += gen.expression(4);
                    s += ")";
                    break;
                default:
                    s += gen.expression(2);
                    break;
            }
            if (gen.below(3) == 0) s += "!";
            s += joins[gen.below(std::size(joins))];
        }
        s += gen.expression(2);
        inputs.push_back(s);
    }
    expectAllSame(inputs);
}

TEST(Differential, LongShapes) {
    std::vector<std::string> inputs;
    for (const auto& shape : longShapes(3000)) inputs.push_back(shape.text);
    expectAllSame(inputs);
}

TEST(Differential, LongRandomTexts) {
    ExpressionGenerator gen(99);
    std::vector<std::string> inputs;
    for (int i = 0; i < 6; ++i) {
        // Pieces that stay within the literal reading, joined as long as the
        // whole does too.
        std::string text;
        for (int tries = 0; tries < 3000 && text.size() < 6000; ++tries) {
            const std::string piece = gen.expression(12);
            if (!beyondLiteralReading(text + piece)) text += piece;
        }
        inputs.push_back(std::move(text));
    }
    expectAllSame(inputs);
}

TEST(Differential, LeadingNumberShortcutGivesTheSameDouble) {
    // The engine reads plain numbers with a shortcut; the general parse is the
    // yardstick, bit for bit.
    ExpressionGenerator gen(31337);
    const char* const endings[] = {"",   "+3", "-1",  "j", "ej30", " ",   " 5", ".",
                                   ".5", "e5", "E-3", "e", "*2",   "abc", "!",  "中"};
    int mismatches = 0;
    for (int i = 0; i < 200000 && mismatches < 20; ++i) {
        std::string t;
        switch (gen.below(4)) {
            case 0:
                t += "-";
                break;
            case 1:
                t += "+";
                break;
            default:
                break;
        }
        if (gen.below(4) == 0) t.append(gen.below(5), '0');
        const std::size_t digits = 1 + gen.below(24);
        const std::size_t point = gen.below(2) ? gen.below(digits + 1) : digits + 1;
        for (std::size_t k = 0; k < digits; ++k) {
            if (k == point) t += '.';
            t += static_cast<char>('0' + gen.below(gen.below(3) == 0 ? 2 : 10));
        }
        t += endings[gen.below(std::size(endings))];
        const auto fast = leadingNumber(t);
        const auto general = leadingNumberGeneral(t);
        const bool same = fast.has_value() == general.has_value() &&
                          (!fast || std::memcmp(&*fast, &*general, sizeof(double)) == 0);
        if (!same) {
            ++mismatches;
            ADD_FAILURE() << "\"" << t << "\": " << (fast ? *fast : -1.0) << " vs "
                          << (general ? *general : -1.0);
        }
    }
}

TEST(Differential, RoundingShortcutGivesTheSameDouble) {
    // Rounding prints "%.nf" and reads it back; the engine reads short digit
    // strings back itself. The general conversion is the yardstick.
    ExpressionGenerator gen(2718);
    int mismatches = 0;
    for (int i = 0; i < 300000 && mismatches < 20; ++i) {
        double x;
        const std::uint64_t bits = gen.next();
        switch (gen.below(3)) {
            case 0:
                std::memcpy(&x, &bits, sizeof x);
                break;  // any double
            case 1:
                x = static_cast<double>(bits % 2000000) / 1024.0 - 900;
                break;
            default:
                x = std::ldexp(static_cast<double>(bits >> 11), -static_cast<int>(gen.below(80)));
                if (gen.below(2)) x = -x;
                break;
        }
        if (!std::isfinite(x)) continue;
        const int n = gen.below(4) == 0 ? static_cast<int>(gen.below(23))
                                        : 8 + 4 * static_cast<int>(gen.below(2));
        char buf[400];
        auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, n);
        double expected = 0;
        std::from_chars(buf, res.ptr, expected);
        const double got = roundTo(x, n);
        if (std::memcmp(&got, &expected, sizeof got) != 0) {
            ++mismatches;
            ADD_FAILURE() << std::string(buf, res.ptr) << " at " << n << ": " << got;
        }
        if (std::fabs(x) < 1e15 && x == std::trunc(x) && x != 0) {
            char plain[64];
            std::snprintf(plain, sizeof plain, "%.0f", x);
            if (numberText(x) != plain) {
                ++mismatches;
                ADD_FAILURE() << "number text of " << plain << ": " << numberText(x);
            }
        }
    }
}

TEST(Differential, KernelAtZeroAnglesAgrees) {
    // Sums and differences where one or both angles are exactly zero, next to
    // the cases around them; the reference computes sine and cosine every time.
    const char* const operands[] = {"3",      "-2.5",   "0",     "2ej0",    "-2ej0",  "0ej0",
                                    "5ej0.0", "1ej-0",  "j4",    "-j4",     "2ej30",  "1ej180",
                                    "1e-13",  "-1e-13", "1e300", "2ej1e-9", "7ej-90", ""};
    for (const char* a : operands) {
        for (const char* b : operands) {
            for (const char op : {'+', '-'}) {
                ReferenceEngine r;
                const Computed fast = operate(a, b, op);
                EXPECT_EQ(fast.text, r.operate(a, b, std::string(1, op)))
                    << a << " " << op << " " << b;
                EXPECT_EQ(std::string(fast.error), r.errorText) << a << " " << op << " " << b;
            }
        }
    }
}

}  // namespace
}  // namespace kalvox::reference
