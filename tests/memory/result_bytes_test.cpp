// The bytes of the result file for the calculation and the nine registers,
// and the refusal to encode what GBK cannot hold.
#include <gtest/gtest.h>

#include <initializer_list>

#include "memory/gbk_codec.h"
#include "memory/result_file.h"
#include "tests/memory/gbk_reference.h"

namespace kalvox {
namespace {

using test::gbk;

struct Filled {
    int k;  // register number, 1 to 9
    const char* tag;
    const char* expression;
    const char* content;
};

MemoryRegisters registers(std::initializer_list<Filled> filled) {
    MemoryRegisters regs;
    for (const Filled& f : filled) {
        regs[f.k - 1] = {f.tag, f.content, f.expression};
    }
    return regs;
}

struct BytesCase {
    const char* name;
    const char* input;
    const char* output;
    std::initializer_list<Filled> filled;
    const char* expectedUtf8;  // lines joined by "\r\n"; encoded with iconv for the comparison
};

TEST(ResultBytes, LinesOrderAndBlankTest) {
    const BytesCase cases[] = {
        {"all registers empty: one line", "1+2", "3", {}, "1+2=3\r\n"},
        {"error message saved like a result",
         "1/0",
         "错误:除数为零。",
         {},
         "1/0=错误:除数为零。\r\n"},
        {"empty input and start output", "", "0", {}, "=0\r\n"},
        {"tagged register", "1+2", "3", {{2, "Ia", "X", "Y"}}, "1+2=3\r\nIa=X=Y\r\n"},
        {"blank tag leaves out tag and its =", "1", "1", {{2, "", "X", "Y"}}, "1=1\r\nX=Y\r\n"},
        {"spaces-only tag counts as blank", "1", "1", {{2, "   ", "X", "Y"}}, "1=1\r\nX=Y\r\n"},
        {"spaces-only tag and no content: skipped", "1", "1", {{4, "   ", "", ""}}, "1=1\r\n"},
        {"spaces-only content and no tag: skipped", "1", "1", {{4, "", "2+2", "  "}}, "1=1\r\n"},
        {"unencodable text in a skipped register is ignored",
         "1",
         "1",
         {{4, "", "😀", ""}},
         "1=1\r\n"},
        {"stored expression alone does not count", "1", "1", {{4, "", "2+2", ""}}, "1=1\r\n"},
        {"tag and nothing stored gives two =", "1", "1", {{5, "P", "", ""}}, "1=1\r\nP==\r\n"},
        {"texts are written untrimmed",
         "1",
         "1",
         {{1, "  Ia ", " 1+2", "3 "}},
         "1=1\r\n  Ia = 1+2=3 \r\n"},
        {"a tab is not blank", "1", "1", {{1, "\t", "", ""}}, "1=1\r\n\t==\r\n"},
        {"= inside tag and expression unchanged",
         "1",
         "1",
         {{3, "U=I*R", "a=b", "c"}},
         "1=1\r\nU=I*R=a=b=c\r\n"},
        {"register order, skipped rows",
         "a",
         "b",
         {{9, "S", "9", "9"}, {1, "Ia", "1", "1"}, {5, "", "5", "5"}},
         "a=b\r\nIa=1=1\r\n5=5\r\nS=9=9\r\n"},
        {"chinese preset tags in GBK",
         "2ej30*3",
         "6ej30",
         {{1, "cosφ", "0.8", "0.8"}, {2, "CT变比", "600/5", "120"}},
         "2ej30*3=6ej30\r\ncosφ=0.8=0.8\r\nCT变比=600/5=120\r\n"},
        {"all nine registers",
         "x",
         "y",
         {{1, "Ia", "1", "1"},
          {2, "Ib", "2", "2"},
          {3, "Ic", "3", "3"},
          {4, "Ua", "4", "4"},
          {5, "Ub", "5", "5"},
          {6, "Uc", "6", "6"},
          {7, "I", "7", "7"},
          {8, "U", "8", "8"},
          {9, "P", "9", "9"}},
         "x=y\r\nIa=1=1\r\nIb=2=2\r\nIc=3=3\r\nUa=4=4\r\nUb=5=5\r\nUc=6=6\r\nI=7=7\r\n"
         "U=8=8\r\nP=9=9\r\n"},
    };
    for (const BytesCase& c : cases) {
        SCOPED_TRACE(c.name);
        const EncodedFile file =
            encodeResultFile(resultLines(c.input, c.output, registers(c.filled)));
        ASSERT_TRUE(file.result.ok()) << file.result.message;
        EXPECT_EQ(file.bytes, gbk(c.expectedUtf8));
    }
}

TEST(ResultBytes, KnownGbkCodes) {
    // Spot check against fixed code points, so the reference encoder is not trusted blindly.
    const EncodedFile file =
        encodeResultFile(resultLines("1", "1", registers({{1, "cosφ", "", "错"}})));
    ASSERT_TRUE(file.result.ok());
    EXPECT_EQ(file.bytes, test::fromHex("313d310d0a636f73a6d53d3db4ed0d0a"));
}

TEST(ResultBytes, LinesNameTheirRegister) {
    const std::vector<ResultLine> lines =
        resultLines("1", "1", registers({{2, "Ia", "X", "Y"}, {7, "", "A", "B"}}));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].registerNumber, 0);
    EXPECT_EQ(lines[1].registerNumber, 2);
    EXPECT_EQ(lines[1].text(), "Ia=X=Y");
    EXPECT_EQ(lines[2].registerNumber, 7);
    EXPECT_EQ(lines[2].text(), "A=B");
}

// The micro sign of a typed prefix has no GBK code: it is saved as the Greek
// mu, which reads back as the same prefix.
TEST(ResultBytes, MicroSignIsSavedAsGreekMu) {
    const EncodedFile file =
        encodeResultFile(resultLines("1/(2*3.14159265358979*50*100\u00B5)", "31.8309886183791",
                                     registers({{4, "C\u00B5F", "100\u00B5", "0.0001"}})));
    EXPECT_EQ(file.result.error, SaveError::None);
    EXPECT_EQ(file.bytes,
              "1/(2*3.14159265358979*50*100\xA6\xCC)=31.8309886183791\r\n"
              "C\xA6\xCC"
              "F=100\xA6\xCC=0.0001\r\n");
}

struct UnencodableCase {
    const char* name;
    const char* input;
    std::initializer_list<Filled> filled;
    int registerNumber;
    FieldSource field;
    char32_t character;
    const char* messagePart;
};

TEST(ResultBytes, UnencodableCharacterIsNamedAndNothingEncoded) {
    const UnencodableCase cases[] = {
        {"emoji in a tag",
         "1",
         {{3, "I😀", "1", "1"}},
         3,
         FieldSource::Tag,
         U'😀',
         "第3个存储结果(MW3)的存储标志"},
        {"hangul in a tag",
         "1",
         {{9, "전류", "1", "1"}},
         9,
         FieldSource::Tag,
         U'전',
         "第9个存储结果(MW9)的存储标志"},
        {"sharp s in a stored expression",
         "1",
         {{1, "", "ß", "1"}},
         1,
         FieldSource::StoredExpression,
         U'ß',
         "第1个存储结果(MW1)的表达式"},
        {"superscript two in the input", "x²", {}, 0, FieldSource::Input, U'²', "输入框的表达式"},
        {"first of two registers is named",
         "1",
         {{2, "ß", "", ""}, {5, "😀", "", ""}},
         2,
         FieldSource::Tag,
         U'ß',
         "第2个存储结果"},
    };
    for (const UnencodableCase& c : cases) {
        SCOPED_TRACE(c.name);
        const EncodedFile file = encodeResultFile(resultLines(c.input, "1", registers(c.filled)));
        EXPECT_EQ(file.result.error, SaveError::Unencodable);
        EXPECT_TRUE(file.bytes.empty());
        EXPECT_EQ(file.result.registerNumber, c.registerNumber);
        EXPECT_EQ(file.result.field, c.field);
        EXPECT_EQ(file.result.character, c.character);
        const std::string& message = file.result.message;
        EXPECT_NE(message.find(c.messagePart), std::string::npos) << message;
        std::string character;
        appendUtf8(character, c.character);
        EXPECT_NE(message.find("“" + character + "”(" + codePointText(c.character) + ")"),
                  std::string::npos)
            << message;
    }
}

TEST(ResultBytes, LoneSurrogateIsRefusedAndNamedByCode) {
    // The input box counts in UTF-16 and may hold a lone surrogate, handed over as
    // its own three bytes.
    std::string input;
    appendUtf8(input, 0xD83D);
    input += "x";
    const EncodedFile file = encodeResultFile(resultLines(input, "1", MemoryRegisters{}));
    EXPECT_EQ(file.result.error, SaveError::Unencodable);
    EXPECT_EQ(file.result.character, char32_t{0xD83D});
    EXPECT_NE(file.result.message.find("输入框的表达式中的字符U+D83D不能用GBK编码保存"),
              std::string::npos)
        << file.result.message;
}

}  // namespace
}  // namespace kalvox
