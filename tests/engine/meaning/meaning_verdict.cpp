#include "tests/engine/meaning/meaning_verdict.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <vector>

#include "tests/engine/meaning/meaning_evaluator.h"

namespace kalvox::meaning {

namespace {
// An answer may be off by this share of its size, and by 1e-7 of each operand's
// size: the disturbed tracks move by 1e-12 per step, 1e5 times less.
constexpr double kRelative = 1e-7;
constexpr double kSpreadFactor = 1e5;
// The roots a fractional power may take: the base's angle plus up to this many turns.
constexpr int kBranchTurns = 2;

std::optional<double> wholeNumber(std::string_view t) {
    if (t.empty()) return std::nullopt;
    const std::string s(t);
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::string describe(const Meaning& m) {
    std::ostringstream out;
    out.precision(15);
    switch (m.kind) {
        case Meaning::Kind::Value:
            out << m.value.real() << (m.value.imag() < 0 ? "-j" : "+j") << std::abs(m.value.imag());
            if (m.anyValueAcceptable) out << " (any value)";
            if (m.refusalAcceptable) out << " (or refusal)";
            break;
        case Meaning::Kind::Undefined:
            out << "undefined: " << m.reason;
            break;
        case Meaning::Kind::Malformed:
            out << "malformed: " << m.reason;
            break;
    }
    return out.str();
}
}  // namespace

bool isPlausibleButWrong(Verdict v) {
    return v == Verdict::WrongValue || v == Verdict::ValueForUndefined ||
           v == Verdict::ValueForMalformed;
}

std::string_view verdictName(Verdict v) {
    switch (v) {
        case Verdict::Agrees:
            return "agrees";
        case Verdict::RightRefusal:
            return "right refusal";
        case Verdict::AllowedRefusal:
            return "allowed refusal";
        case Verdict::WrongValue:
            return "wrong value";
        case Verdict::ValueForUndefined:
            return "value for an undefined text";
        case Verdict::ValueForMalformed:
            return "value for a malformed text";
        case Verdict::RefusedDefined:
            return "refusal of a defined value";
    }
    return "?";
}

std::optional<std::complex<double>> outputValue(std::string_view text) {
    if (const auto ej = text.find("ej"); ej != std::string_view::npos) {
        const auto magnitude = wholeNumber(text.substr(0, ej));
        const auto angle = wholeNumber(text.substr(ej + 2));
        if (!magnitude || !angle) return std::nullopt;
        return std::polar(*magnitude, *angle * std::numbers::pi / 180);
    }
    const auto r = wholeNumber(text);
    if (!r) return std::nullopt;
    return std::complex<double>{*r, 0};
}

Judgement judge(std::string_view text, bool failed, std::string_view output) {
    std::vector<Meaning> readings;
    std::string expected;
    auto add = [&](Meaning m) {
        const std::string d = describe(m);
        if (expected.find(d) == std::string::npos) expected += (expected.empty() ? "" : " | ") + d;
        readings.push_back(std::move(m));
    };
    for (const auto& rules : allReadingRules()) {
        Meaning m = readMeaning(text, rules);
        const bool branches = m.branchDependent;
        add(std::move(m));
        if (!branches) continue;
        for (int turns = -kBranchTurns; turns <= kBranchTurns; ++turns) {
            if (turns == 0) continue;
            ReadingRules other = rules;
            other.branchTurns = turns;
            add(readMeaning(text, other));
        }
    }
    bool anyValue = false;
    bool anyUndefined = false;
    bool anyNonValue = false;
    bool refusalFair = false;
    for (const auto& m : readings) {
        anyValue |= m.kind == Meaning::Kind::Value;
        anyUndefined |= m.kind == Meaning::Kind::Undefined;
        anyNonValue |= m.kind != Meaning::Kind::Value;
        refusalFair |= m.kind == Meaning::Kind::Value && m.refusalAcceptable;
    }
    if (failed) {
        if (!anyValue) return {Verdict::RightRefusal, expected};
        if (anyNonValue || refusalFair) return {Verdict::AllowedRefusal, expected};
        return {Verdict::RefusedDefined, expected};
    }
    const auto answer = outputValue(output);
    for (const auto& m : readings) {
        // A residue of cancelling operands makes any answer fair, also when a later
        // step then found the residue's stand-in undefined (0||0).
        if (m.kind == Meaning::Kind::Undefined && m.anyValueAcceptable)
            return {Verdict::Agrees, expected};
        if (m.kind != Meaning::Kind::Value) continue;
        if (m.anyValueAcceptable) return {Verdict::Agrees, expected};
        if (!answer) continue;
        const double tolerance =
            kRelative * std::abs(m.value) + kSpreadFactor * m.sensitivity + 1e-300;
        if (std::abs(*answer - m.value) <= tolerance) return {Verdict::Agrees, expected};
    }
    if (anyValue) return {Verdict::WrongValue, expected};
    if (anyUndefined) return {Verdict::ValueForUndefined, expected};
    return {Verdict::ValueForMalformed, expected};
}

}  // namespace kalvox::meaning
