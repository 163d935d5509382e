// libFuzzer harness over the whole evaluation, the ej-j conversion and the
// function keys' evaluation.
//
// Invariants checked on every input (a failed one aborts, so the fuzzer keeps
// the input as a crash):
// - nothing crashes and no sanitizer reports anything;
// - no evaluation takes longer than 100 ms of the release engine's work,
//   measured as the thread's own CPU time (scaled for the sanitizers' cost),
//   and only an input that is slow on every one of three runs counts;
// - the output box holds a value text, an algebraic text of the ej-j key, or
//   "错误:" + one of the engine's messages + "。", and never "inf" or "nan";
// - a refused input item, malformed number or part without its operand
//   stands in the input box, selected;
// - on short, valid UTF-8 inputs the engine agrees with the literal reference
//   rendering of the evaluation as text rewriting.

#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/notation.h"
#include "tests/engine/differential/reference_engine.h"
#include "tests/engine/differential/reference_scope.h"

namespace {

using kalvox::Engine;

[[noreturn]] void fail(const char* what, std::string_view input, std::string_view output) {
    std::fprintf(stderr, "invariant broken: %s\n  input:  \"%.*s\"\n  output: \"%.*s\"\n", what,
                 static_cast<int>(input.size()), input.data(), static_cast<int>(output.size()),
                 output.data());
    std::abort();
}

// The engine's own list: its fixed messages and those that name a refused part
// (an unrecognised item, a malformed number, a missing operand).
bool knownMessage(std::string_view m) { return kalvox::isEngineMessage(m); }

// The part named by a refusal, or "" for any other message.
std::string_view refusedItem(std::string_view m) {
    return kalvox::refusedPart(m).value_or(std::string_view());
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number text: digits [. digits] [E sign two or more digits], no sign.
bool numberAt(std::string_view s, std::size_t& i) {
    const std::size_t start = i;
    while (i < s.size() && isDigit(s[i])) ++i;
    if (i == start) return false;
    if (i < s.size() && s[i] == '.') {
        const std::size_t f = ++i;
        while (i < s.size() && isDigit(s[i])) ++i;
        if (i == f) return false;
    }
    if (i < s.size() && s[i] == 'E') {
        ++i;
        if (i >= s.size() || (s[i] != '+' && s[i] != '-')) return false;
        const std::size_t e = ++i;
        while (i < s.size() && isDigit(s[i])) ++i;
        if (i - e < 2) return false;
    }
    return true;
}

bool signedNumberAt(std::string_view s, std::size_t& i) {
    if (i < s.size() && s[i] == '-') ++i;
    return numberAt(s, i);
}

// A value text: a real, a negated real or magnitude "ej" angle.
bool isValueText(std::string_view s) {
    std::size_t i = 0;
    if (!signedNumberAt(s, i)) return false;
    if (i == s.size()) return true;
    if (s.substr(i, 2) != "ej") return false;
    i += 2;
    return signedNumberAt(s, i) && i == s.size();
}

// An algebraic text of the ej-j key: a "+j" b or a "-j" b.
bool isAlgebraicText(std::string_view s) {
    std::size_t i = 0;
    if (!signedNumberAt(s, i)) return false;
    if (s.substr(i, 2) != "+j" && s.substr(i, 2) != "-j") return false;
    i += 2;
    return numberAt(s, i) && i == s.size();
}

// The display of one of the engine's messages, full stop included.
bool isErrorDisplay(std::string_view s) {
    const auto message = kalvox::displayedMessage(s);
    return message && knownMessage(*message);
}

bool hasInfOrNan(std::string_view s) {
    for (std::size_t i = 0; i + 3 <= s.size(); ++i) {
        std::string w(s.substr(i, 3));
        for (char& c : w) c = static_cast<char>(c | 0x20);
        if (w == "inf" || w == "nan") return true;
    }
    return false;
}

// Whether every byte belongs to a well-formed UTF-8 character.
bool validUtf8(std::string_view s) {
    for (char32_t c : kalvox::reference::decode(s))
        if (c >= 0xDC80 && c <= 0xDCFF) return false;
    return true;
}

// The time limit for the release engine's work, and the factor by which the
// sanitizers and the fuzzer's instrumentation slow the same work down.
constexpr double kLimitMs = 100;
#if defined(__SANITIZE_ADDRESS__)
constexpr double kSanitizerFactor = 3;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr double kSanitizerFactor = 3;
#else
constexpr double kSanitizerFactor = 1;
#endif
#else
constexpr double kSanitizerFactor = 1;
#endif
constexpr int kRuns = 3;

// CPU time of the calling thread in milliseconds: time the thread spends
// waiting for a busy machine does not count.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Runs f on a fresh engine and returns its result. A run over the limit is
// repeated on a fresh engine; the input fails only if every run is too slow.
template <typename F>
auto timed(std::string_view input, const char* what, Engine& engine, F&& f) {
    for (int run = 1;; ++run) {
        engine = Engine{};
        const double start = threadCpuMs();
        auto result = f(engine);
        if (threadCpuMs() - start <= kLimitMs * kSanitizerFactor) return result;
        if (run == kRuns) fail(what, input, "over the time limit on every run");
    }
}

// Whether the text may hold a word or operator that the literal reference does not
// render once translated ("r∠" is "rej", the words re and j): conj, abs, arg, re,
// im, sqrt, exp, ans, "|", superscripts, or an SI prefix behind a number. A substring test in any
// case: it may skip more texts than it must, never fewer.
bool holdsComplexWords(std::string_view text) {
    // Euler's number, an angle that is an expression, a degree sign behind a digit.
    if (kalvox::reference::beyondLiteralReading(text)) return true;
    // Superscript digits, which the translation makes an exponent.
    for (std::string_view sup : {"\u00B2", "\u00B3", "\u00B9", "\u2070", "\u2074", "\u2075",
                                 "\u2076", "\u2077", "\u2078", "\u2079", "\u207B"})
        if (text.find(sup) != std::string_view::npos) return true;
    std::string lower = kalvox::translateNotation(text);
    // An SI prefix behind a number ("4.7k", "100µ"): the literal reference reads
    // none.
    for (std::size_t i = 1; i < lower.size(); ++i) {
        const char before = lower[i - 1];
        if ((before >= '0' && before <= '9') || before == '.') {
            const std::string_view rest = std::string_view(lower).substr(i);
            if (std::string_view("pnumkMGT").find(lower[i]) != std::string_view::npos ||
                rest.starts_with("\u00B5") || rest.starts_with("\u03BC"))
                return true;
        }
    }
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (std::string_view w :
         {"conj", "abs", "arg", "re", "im", "sqrt", "exp", "ans", "|", "\u221A", "\u2225"})
        if (lower.find(w) != std::string::npos) return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    // The "=" key.
    Engine engine;
    const kalvox::Outcome out = timed(input, "evaluate slower than 100 ms", engine,
                                      [&](Engine& e) { return e.evaluate(input); });
    // A refused item is quoted as it was pasted, "inf" or "nan" included; it
    // stands in the input box and is selected there.
    const auto message = kalvox::displayedMessage(out.text2);
    const std::string_view item =
        out.failed && message ? refusedItem(*message) : std::string_view();
    if (item.empty() && hasInfOrNan(out.text2)) fail("inf or nan in the output", input, out.text2);
    if (!item.empty() &&
        (out.text1.find(item) == std::string::npos || out.selectionLength == 0 || !out.focusInput))
        fail("refused item not selected in the input box", input, out.text1);
    if (out.failed) {
        if (!isErrorDisplay(out.text2)) fail("unknown error display", input, out.text2);
    } else if (!isValueText(out.text2)) {
        fail("output is not a value text", input, out.text2);
    }

    // Two presses of the ej-j key on the result.
    if (!out.failed) {
        const std::string algebraic =
            engine.switchForm(out.text2, kalvox::FormDirection::ToAlgebraic);
        if (hasInfOrNan(algebraic)) fail("inf or nan after ej-j", input, algebraic);
        if (!isAlgebraicText(algebraic) && !isValueText(algebraic) && !isErrorDisplay(algebraic))
            fail("ej-j gave neither an algebraic text nor a value", input, algebraic);
        if (!isErrorDisplay(algebraic)) {
            const std::string back =
                engine.switchForm(algebraic, kalvox::FormDirection::ToExponential);
            if (hasInfOrNan(back)) fail("inf or nan after ej-j back", input, back);
            if (!isValueText(back) && !isErrorDisplay(back))
                fail("ej-j back gave no value text", input, back);
        }
    }

    // The evaluation of the function keys and the complex words, straight on the
    // input: any text, never repaired.
    Engine keys;
    const kalvox::KeyOutcome key =
        timed(input, "key evaluation slower than 100 ms", keys,
              [&](Engine& e) { return e.applyWordToOutput("abs", input); });
    if (!key.failure.empty()) fail("a key reported a run-time failure", input, key.failure);
    if (hasInfOrNan(key.text2)) fail("inf or nan from a key", input, key.text2);
    // A key shows its failures without the full stop.
    if (!isValueText(key.text2) && !isErrorDisplay(key.text2 + "\u3002"))
        fail("a key gave neither a value text nor an error display", input, key.text2);

    // Short inputs: the literal rendering must agree. It renders the notation of
    // the functions and operators above; a text with the complex words, "ans" or
    // the parallel operator is checked by the invariants above alone.
    if (size <= 256 && validUtf8(input) && !holdsComplexWords(input)) {
        kalvox::reference::ReferenceEngine ref;
        const kalvox::Outcome r = ref.evaluate(input);
        if (r.text1 != out.text1 || r.text2 != out.text2 || r.selectionStart != out.selectionStart)
            fail("engine and reference disagree", input, out.text2 + " / " + r.text2);
    }
    return 0;
}
