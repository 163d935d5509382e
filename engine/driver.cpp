// The "=" key: notation translation and vocabulary check, bracket check,
// repair, the chain of passes, and what the two boxes show afterwards.

#include <new>

#include "engine/blank.h"
#include "engine/engine.h"
#include "engine/notation.h"
#include "engine/number_text.h"
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
}  // namespace

Outcome Engine::evaluate(std::string_view input, const TraceSink& trace) {
    resetConversion();
    resetError();

    Outcome out;
    try {
        // The input box shows the translated text: as it is after a refusal or a
        // bracket error, repaired otherwise.
        std::string translated = translateNotation(input);
        if (trace && translated != input) trace("translated", translated);
        std::string e = isBlank(translated) ? std::string("0") : std::move(translated);
        const UnknownItem unknown = findUnknownItem(e);
        if (unknown.length != 0) {
            raise(unrecognisedInputMessage(
                std::string_view(e).substr(unknown.start, unknown.length)));
            out.text1 = e;
            out.selectionStart = utf16Length(e, unknown.start);
            out.selectionLength =
                utf16Length(std::string_view(e).substr(unknown.start), unknown.length);
        } else {
            std::string checkedCopy = e;
            const std::size_t p = khpp(checkedCopy);
            if (trace) trace("brackets checked", checkedCopy);
            if (p == 0) {
                e = fhzqx(std::move(e));
                if (trace) trace("normalised", e);
                out.text1 = e;
                const MalformedPart part = findMalformedPart(e);
                if (part.length != 0) {
                    raise(part.message);
                    out.selectionStart = utf16Length(e, part.start);
                    out.selectionLength =
                        utf16Length(std::string_view(e).substr(part.start), part.length);
                } else {
                    out.text2 = rewrite180(runPasses(e, &trace));
                }
            } else {
                out.text1 = std::move(e);  // the translated text: one with brackets is never blank
                out.selectionStart = utf16Length(out.text1, p - 1);
                out.selectionLength = 1;
            }
        }
    } catch (const std::bad_alloc&) {
        if (!hasError()) raise(kOutOfMemory);
        if (out.text1.empty()) out.text1 = std::string(input);
    }

    if (hasError()) {
        out.text2 = errorDisplay(errorText);
        out.failed = true;
        if (out.selectionLength == 0) {
            out.selectionStart = utf16Length(out.text1, out.text1.size());
            out.focusInput = false;
        }
        return out;
    }
    out.selectionStart = utf16Length(out.text1, out.text1.size());
    return out;
}

}  // namespace kalvox
