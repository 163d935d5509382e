// The blank rule as the result file applies it to the texts of the window.
#include <gtest/gtest.h>

#include "memory/result_file.h"

namespace kalvox {
namespace {

TEST(Registers, BlankMeansOnlySpaces) {
    struct Case {
        const char* name;
        const char* text;
        bool blank;
    };
    const Case cases[] = {
        {"empty", "", true},
        {"spaces", "   ", true},
        {"padded text", "  Ia ", false},
        {"tab is not a space", "\t", false},
        {"ideographic space is not a space", "\u3000", false},
        {"zero", "0", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isBlank(c.text), c.blank) << c.name;
    }
}

}  // namespace
}  // namespace kalvox
