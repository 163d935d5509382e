// The "=" key: the front (notation translation and vocabulary check, "ans",
// bracket check, repair, well-formedness), the evaluation, and what the two
// boxes show afterwards.

#include <algorithm>
#include <new>

#include "engine/blank.h"
#include "engine/detail/characters.h"
#include "engine/engine.h"
#include "engine/euler.h"
#include "engine/evaluator.h"
#include "engine/front.h"
#include "engine/notation.h"
#include "engine/number_item.h"
#include "engine/number_text.h"
#include "engine/si_prefix.h"
#include "engine/value_forms.h"
#include "engine/well_formed.h"

namespace kalvox {

namespace {
// Number of UTF-16 code units in the first `bytes` bytes of UTF-8 text. A byte
// that starts no whole UTF-8 sequence counts as one unit, so that a refused run
// of broken bytes still has a length.
std::size_t utf16Length(std::string_view text, std::size_t bytes) {
    std::size_t units = 0;
    const std::size_t end = bytes < text.size() ? bytes : text.size();
    std::size_t i = 0;
    while (i < end) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80    ? 1
                                   : c >= 0xF8 ? 0
                                   : c >= 0xF0 ? 4
                                   : c >= 0xE0 ? 3
                                   : c >= 0xC0 ? 2
                                               : 0;
        bool whole = length != 0 && i + length <= end;
        for (std::size_t k = 1; whole && k < length; ++k)
            whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (!whole) {
            ++units;
            ++i;
            continue;
        }
        units += length == 4 ? 2 : 1;  // outside the BMP: a surrogate pair
        i += length;
    }
    return units;
}

constexpr std::string_view kAnsWord = "ans";

// Whether a text is one value that "ans" may stand for: a real with its sign,
// or a complex value in exponential, algebraic or imaginary form. An empty
// text, an error display or an expression is none.
bool isSingleValue(std::string_view text) {
    const std::string_view unsigned_ = !text.empty() && text[0] == '-' ? text.substr(1) : text;
    if (!unsigned_.empty() && isWellFormedNumber(unsigned_)) return true;
    return !isErrorDisplay(text) && valueForms(text).has_value();
}

// The text with every word "ans" replaced by the previous result in brackets,
// so that an algebraic "3+j4" or a negative value keeps its meaning.
std::string withPreviousResult(const std::string& e, std::string_view previous) {
    std::string value;
    value.reserve(previous.size() + 2);
    value += '(';
    value += previous;
    value += ')';
    std::string out;
    std::size_t copied = 0;
    for (std::size_t p = findAns(e); p != std::string::npos; p = findAns(e, copied)) {
        out.append(e, copied, p - copied);
        out += value;
        copied = p + kAnsWord.size();
    }
    out.append(e, copied);
    return out;
}

// "||" as the one character "|" the front and the evaluation read, and back.
std::string withParallelAsOne(std::string e) {
    std::size_t w = 0;
    for (std::size_t r = 0; r < e.size(); ++r, ++w) {
        e[w] = e[r];
        if (e[r] == '|' && r + 1 < e.size() && e[r + 1] == '|') ++r;
    }
    e.resize(w);
    return e;
}

std::string withParallelAsWritten(std::string_view e) {
    std::string out;
    out.reserve(e.size());
    for (char c : e) {
        out += c;
        if (c == '|') out += '|';
    }
    return out;
}

// The position in the written text of position p of the text with "|".
std::size_t writtenPosition(std::string_view e, std::size_t p) {
    std::size_t bars = 0;
    for (std::size_t i = 0; i < p && i < e.size(); ++i) bars += e[i] == '|';
    return p + bars;
}
}  // namespace

Outcome Engine::evaluate(std::string_view input, std::string_view previousResult,
                         const TraceSink& trace) const {
    Outcome out;
    std::string error;
    // The selection, as a byte range of out.text1 while that holds the front's
    // markers; converted to UTF-16 units of the shown text at the end.
    std::size_t selectionStart = 0;
    std::size_t selectionLength = 0;
    auto select = [&](std::size_t start, std::size_t length) {
        selectionStart = start;
        selectionLength = length;
    };
    // Whether the front marked prefixes, Euler's number and degree signs with
    // control bytes. A typed text that holds such a byte already is left
    // unmarked: the vocabulary check refuses that byte.
    const bool marked = !holdsMarker(input);
    bool degreeSigns = false;  // the refusal is a degree sign's: the input box shows them
    try {
        // The input box shows the translated text: as it is after a refusal or a
        // bracket error, repaired otherwise.
        std::string translated = translateNotation(input, marked);
        if (trace && translated != input) trace("translated", writtenText(translated));
        // SI prefixes and Euler's number are marked here, while letter case
        // still tells "m" from "M" and "e" from "E"; the input box gets them
        // back as typed below.
        std::string e = isBlank(translated) ? std::string("0")
                        : marked            ? markPrefixes(translated)
                                            : std::move(translated);
        if (marked) markEulersNumber(e);
        const bool holdsMarkers = marked && holdsMarker(e);
        const UnknownItem unknown = findUnknownItem(holdsMarkers ? markersAsDigits(e) : e);
        const std::size_t ans = unknown.length == 0 ? findAns(e) : std::string::npos;
        if (unknown.length != 0) {
            error =
                unrecognisedInputMessage(std::string_view(e).substr(unknown.start, unknown.length));
            out.text1 = e;
            select(unknown.start, unknown.length);
        } else if (ans != std::string::npos && !isSingleValue(previousResult)) {
            error = kNoPreviousResult;
            out.text1 = e;
            select(ans, kAnsWord.size());
        } else {
            if (ans != std::string::npos) {
                e = withPreviousResult(e, previousResult);
                if (trace) trace("last result", writtenText(e));
            }
            // The parallel operator "||" is one character "|" from here to the
            // evaluation; the input box shows it as written.
            e = withParallelAsOne(std::move(e));
            std::string checkedCopy = e;
            const std::size_t p = findUnpairedBracket(checkedCopy);
            if (trace) trace("brackets checked", writtenText(withParallelAsWritten(checkedCopy)));
            if (p == 0) {
                e = repairInput(std::move(e));
                out.text1 = withParallelAsWritten(e);
                if (trace) trace("normalised", writtenText(out.text1));
                const MalformedPart part = findMalformedPart(e);
                if (part.length != 0) {
                    error = part.message;
                    const std::size_t start = writtenPosition(e, part.start);
                    select(start, writtenPosition(e, part.start + part.length) - start);
                } else {
                    const TraceSink* sink = trace ? &trace : nullptr;
                    Evaluation result = evaluateText(e, sink);
                    if (!result.failed()) result = shownAt180(std::move(result.value));
                    if (result.failed()) {
                        error = std::move(result.error);
                        if (result.errorLength != 0) {
                            const std::size_t start = writtenPosition(e, result.errorStart);
                            select(
                                start,
                                writtenPosition(e, result.errorStart + result.errorLength) - start);
                            degreeSigns = error == kDegreeInRadians;
                        }
                    } else {
                        out.text2 = std::move(result.value);
                    }
                }
            } else {
                error = kBracketMismatch;
                // The translated text: one with brackets is never blank.
                out.text1 = withParallelAsWritten(e);
                select(writtenPosition(e, p - 1), 1);
            }
        }
    } catch (const std::bad_alloc&) {
        if (error.empty()) error = kOutOfMemory;
        if (out.text1.empty()) out.text1 = std::string(input);
        selectionLength = 0;
    }

    if (marked && (holdsMarker(out.text1) || holdsMarker(error))) {
        // A refused part that holds a degree sign shows it ("30°5").
        const std::string_view selected = std::string_view(out.text1).substr(
            std::min(selectionStart, out.text1.size()), selectionLength);
        degreeSigns = degreeSigns || selected.find(kDegreeMarker) != std::string_view::npos;
        out.text1 = writtenText(out.text1, degreeSigns, &selectionStart, &selectionLength);
        error = writtenText(error, degreeSigns);
    }
    if (!error.empty()) {
        out.text2 = errorDisplay(error);
        out.failed = true;
        if (selectionLength != 0) {
            out.selectionStart = utf16Length(out.text1, selectionStart);
            out.selectionLength =
                utf16Length(std::string_view(out.text1).substr(selectionStart), selectionLength);
        } else {
            out.selectionStart = utf16Length(out.text1, out.text1.size());
            out.focusInput = false;
        }
        return out;
    }
    out.selectionStart = utf16Length(out.text1, out.text1.size());
    return out;
}

}  // namespace kalvox
