// Thousands of generated texts in the shapes engineers write, each answered by
// the calculator and judged against the independent reading of its meaning:
// every answer must be a refusal or the value the text means.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>

#include "engine/engine.h"
#include "tests/engine/meaning/meaning_verdict.h"
#include "tests/engine/meaning/notation_generator.h"

namespace kalvox::meaning {
namespace {

constexpr int kTextsPerSeed = 1500;
constexpr std::array<std::uint64_t, 3> kSeeds = {16, 1616, 161616};
constexpr std::size_t kListed = 40;  // wrong answers named in a failure message

struct Tally {
    std::map<Verdict, int> counts;
    std::ostringstream wrong;    // plausible-but-wrong answers
    std::ostringstream refused;  // refusals of defined values
    int total = 0;
};

void answer(const std::string& text, Tally& tally) {
    Engine engine;
    const Outcome outcome = engine.evaluate(text);
    const Judgement j = judge(text, outcome.failed, outcome.text2);
    ++tally.counts[j.verdict];
    ++tally.total;
    std::ostringstream& list = isPlausibleButWrong(j.verdict) ? tally.wrong : tally.refused;
    if (j.verdict == Verdict::RefusedDefined || isPlausibleButWrong(j.verdict)) {
        if (tally.counts[j.verdict] <= static_cast<int>(kListed))
            list << "  " << text << "  ->  " << outcome.text2 << "   [" << verdictName(j.verdict)
                 << "; means " << j.expected << "]\n";
    }
}

int wrongCount(const Tally& t) {
    int n = 0;
    for (const auto& [verdict, count] : t.counts)
        if (isPlausibleButWrong(verdict)) n += count;
    return n;
}

std::string summary(const Tally& t) {
    std::ostringstream out;
    out << t.total << " texts:";
    for (const auto& [verdict, count] : t.counts)
        out << " " << verdictName(verdict) << " " << count << ";";
    return out.str();
}

class GeneratedTexts : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(GeneratedTexts, EveryAnswerIsTheMeaningOrARefusal) {
    NotationGenerator generator(GetParam());
    Tally tally;
    for (int i = 0; i < kTextsPerSeed; ++i) answer(generator.text(), tally);
    RecordProperty("summary", summary(tally));
    std::cout << summary(tally) << "\n";
    EXPECT_EQ(wrongCount(tally), 0) << summary(tally) << "\nplausible but wrong:\n"
                                    << tally.wrong.str();
    EXPECT_EQ(tally.counts[Verdict::RefusedDefined], 0)
        << summary(tally) << "\nrefusals of well-formed, defined texts:\n"
        << tally.refused.str();
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedTexts, ::testing::ValuesIn(kSeeds));

// The generator must actually produce the shapes it is meant to: enough texts
// that mean a value, and enough malformed or undefined ones.
TEST(GeneratedTexts, CoverValuesAndRefusals) {
    NotationGenerator generator(kSeeds[0]);
    int values = 0;
    int refusals = 0;
    for (int i = 0; i < kTextsPerSeed; ++i) {
        const Judgement j = judge(generator.text(), true, "");
        if (j.verdict == Verdict::RightRefusal) ++refusals;
        if (j.verdict == Verdict::RefusedDefined) ++values;
    }
    EXPECT_GT(values, kTextsPerSeed / 3);
    EXPECT_GT(refusals, kTextsPerSeed / 6);
}

}  // namespace
}  // namespace kalvox::meaning
