#pragma once
// The rows of the whole-evaluation tables: a typed text and what the "=" key
// leaves in both boxes, and where the selection goes.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "engine/engine.h"
#include "engine/error_messages.h"

namespace kalvox::testing_support {

// A text that means a value.
struct ReadingCase {
    const char* name;
    const char* typed;
    const char* text1;  // the input box after "="
    const char* text2;  // the output box
};

// A text that is refused.
struct RefusalCase {
    const char* name;
    const char* typed;
    const char* text1;    // the input box after "="
    std::string message;  // shown in the output box's error display
    std::size_t start;    // the selection in text1, in UTF-16 units (length 0: none)
    std::size_t length;
};

// The length of a UTF-8 text in UTF-16 units.
inline std::size_t utf16Units(std::string_view text) {
    std::size_t units = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++units;
        if (c >= 0xF0) ++units;
    }
    return units;
}

inline void expectReading(const ReadingCase& c) {
    const Outcome out = Engine().evaluate(c.typed);
    EXPECT_EQ(out.text1, c.text1);
    EXPECT_EQ(out.text2, c.text2);
    EXPECT_FALSE(out.failed);
    EXPECT_EQ(out.selectionLength, 0u);
    EXPECT_EQ(out.selectionStart, utf16Units(c.text1));
}

inline void expectRefusal(const RefusalCase& c) {
    const Outcome out = Engine().evaluate(c.typed);
    EXPECT_EQ(out.text1, c.text1);
    EXPECT_EQ(out.text2, errorDisplay(c.message));
    EXPECT_TRUE(out.failed);
    if (c.length == 0) {
        EXPECT_EQ(out.selectionLength, 0u);
        EXPECT_EQ(out.selectionStart, utf16Units(c.text1));
        EXPECT_FALSE(out.focusInput);
    } else {
        EXPECT_EQ(out.selectionStart, c.start);
        EXPECT_EQ(out.selectionLength, c.length);
        EXPECT_TRUE(out.focusInput);
    }
}

// The name of a row, for the test's name.
inline std::string caseName(const auto& info) { return info.param.name; }

}  // namespace kalvox::testing_support
