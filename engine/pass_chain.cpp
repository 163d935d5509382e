// The chain of passes that evaluates a text: written once, run by the driver,
// by jsqys and by the bracket reduction on the inside of every pair.

#include "engine/engine.h"
#include "engine/number_text.h"

namespace kalvox {

// The text comes in lower case (its callers lower-case it, so that "SIN30" and
// "2EJ30" read as typed in lower case), and is lower-cased again after the
// power and the product pass. The
// values the passes splice in hold one letter only, the exponent "E" of a
// number text, always followed by its sign, which every operand scan reads as
// part of the number in either case; so the lower-casing between the passes
// changes no result, and the stage texts show it where they always have.
std::string Engine::passChain(std::string t, const TraceSink* trace) {
    auto stage = [&](std::string_view name) {
        if (trace && *trace) (*trace)(name, t);
    };
    t = hsjs(std::move(t));
    stage("functions");
    t = mhsjs(std::move(t));
    lowerCase(t);
    stage("powers");
    t = chenfachufays(std::move(t));
    lowerCase(t);
    stage("products");
    t = jjfys(std::move(t));
    stage("sums");
    return t;
}

std::string Engine::runPasses(std::string t, const TraceSink* trace) {
    t = khys(std::move(t));
    lowerCase(t);  // the way into the chain
    if (trace && *trace) (*trace)("brackets reduced", t);
    return passChain(std::move(t), trace);
}

}  // namespace kalvox
