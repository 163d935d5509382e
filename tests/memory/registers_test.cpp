// The register helpers the window builds its memory block from.
#include "memory/registers.h"

#include <gtest/gtest.h>

namespace kalvox {
namespace {

TEST(Registers, PresetTagsInDisplayOrder) {
    const QStringList expected{"Ia", "Ib", "Ic", "Ua", "Ub",   "Uc",     "I",
                               "U",  "P",  "Q",  "S",  "cosφ", "CT变比", "PT变比"};
    EXPECT_EQ(presetTags(), expected);
}

TEST(Registers, CaptionsAndTooltipsOfFirstAndLastRow) {
    struct Row {
        int k;
        const char* store;
        const char* recall;
        const char* storeTip;
        const char* recallTip;
        const char* tagTip;
    };
    const Row rows[] = {
        {1, "MW1", "MR1", "存储第1个计算结果", "提取第1个计算结果", "选择或输入第1个存储标志"},
        {3, "MW3", "MR3", "存储第3个计算结果", "提取第3个计算结果", "选择或输入第3个存储标志"},
        {9, "MW9", "MR9", "存储第9个计算结果", "提取第9个计算结果", "选择或输入第9个存储标志"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.k);
        EXPECT_EQ(storeCaption(r.k), QString::fromUtf8(r.store));
        EXPECT_EQ(recallCaption(r.k), QString::fromUtf8(r.recall));
        EXPECT_EQ(storeTooltip(r.k), QString::fromUtf8(r.storeTip));
        EXPECT_EQ(recallTooltip(r.k), QString::fromUtf8(r.recallTip));
        EXPECT_EQ(tagTooltip(r.k), QString::fromUtf8(r.tagTip));
    }
}

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
        EXPECT_EQ(isBlank(QString::fromUtf8(c.text)), c.blank) << c.name;
    }
}

TEST(Registers, StoringTwiceKeepsOnlyTheSecondOutputAndInput) {
    MemoryRegister reg{QStringLiteral("Ia"), {}, {}};
    storeInto(reg, QStringLiteral("3"), QStringLiteral("1+2"));
    storeInto(reg, QStringLiteral("错误:除数为零。"), QStringLiteral("1/0"));
    EXPECT_EQ(reg.content, QStringLiteral("错误:除数为零。"));
    EXPECT_EQ(reg.storedExpression, QStringLiteral("1/0"));
    EXPECT_EQ(reg.tag, QStringLiteral("Ia"));
}

}  // namespace
}  // namespace kalvox
