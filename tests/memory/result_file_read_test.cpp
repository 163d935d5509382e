// Reading a result file back: how each line splits into its fields, which
// files are refused and with what message, and reading from disk.
#include <gtest/gtest.h>

#include <initializer_list>

#include "memory/file_names.h"
#include "memory/result_file.h"
#include "memory/result_file_reader.h"
#include "tests/memory/gbk_reference.h"
#include "tests/memory/scratch_folder.h"

namespace kalvox {
namespace {

using test::gbk;

struct Reg {
    const char* tag;
    const char* expression;
    const char* content;
};

const std::string& utf8(const std::string& s) { return s; }

struct LinesCase {
    const char* name;
    const char* fileUtf8;  // encoded with iconv before it is read
    const char* input;
    const char* output;
    std::initializer_list<Reg> registers;  // registers 1, 2, ...; the rest must be empty
};

TEST(ResultFileRead, LinesSplitIntoFields) {
    const LinesCase cases[] = {
        {"calculation only", "1+2=3\r\n", "1+2", "3", {}},
        {"tagged register", "1+2=3\r\nIa=X=Y\r\n", "1+2", "3", {{"Ia", "X", "Y"}}},
        {"single = has no tag", "1=1\r\nX=Y\r\n", "1", "1", {{"", "X", "Y"}}},
        {"tag and nothing stored", "1=1\r\nP==\r\n", "1", "1", {{"P", "", ""}}},
        {"tag may hold =", "1=1\r\nU=I*R=a=b\r\n", "1", "1", {{"U=I*R", "a", "b"}}},
        {"many = in the tag", "1=1\r\n==x=y\r\n", "1", "1", {{"=", "x", "y"}}},
        {"empty stored expression, no tag", "1=1\r\n=5\r\n", "1", "1", {{"", "", "5"}}},
        {"empty content", "1=1\r\nIa=2=\r\n", "1", "1", {{"Ia", "2", ""}}},
        {"everything empty fills no register", "=\r\n==\r\n", "", "", {}},
        {"blank tag read as none", "1=1\r\n   =X=Y\r\n", "1", "1", {{"", "X", "Y"}}},
        {"blank tag with content blank too",
         "1=1\r\n   =X= \r\nP==\r\n",
         "1",
         "1",
         {{"P", "", ""}}},
        {"expression without content fills no register",
         "1=1\r\nPE=\r\nIa=2=2\r\n",
         "1",
         "1",
         {{"Ia", "2", "2"}}},
        {"ideographic space is not blank", "1=1\r\n\u3000=X=\r\n", "1", "1", {{"\u3000", "X", ""}}},
        {"skipped lines leave room for nine",
         "0=0\r\n1=1\r\n2=2\r\n3=3\r\nx= \r\n4=4\r\n5=5\r\n6=6\r\n7=7\r\n8=8\r\n9=9\r\n",
         "0",
         "0",
         {{"", "1", "1"},
          {"", "2", "2"},
          {"", "3", "3"},
          {"", "4", "4"},
          {"", "5", "5"},
          {"", "6", "6"},
          {"", "7", "7"},
          {"", "8", "8"},
          {"", "9", "9"}}},
        {"calculation splits at its last =", "a=b=c\r\n", "a=b", "c", {}},
        {"empty input, start output", "=0\r\n", "", "0", {}},
        {"spaces kept as they stand",
         "1=1\r\n  Ia = 1+2=3 \r\n",
         "1",
         "1",
         {{"  Ia ", " 1+2", "3 "}}},
        {"LF alone", "1=1\nIa=2=2\nX=Y\n", "1", "1", {{"Ia", "2", "2"}, {"", "X", "Y"}}},
        {"CR LF and LF mixed",
         "1=1\nIa=2=2\r\nX=Y\n",
         "1",
         "1",
         {{"Ia", "2", "2"}, {"", "X", "Y"}}},
        {"last line without a line end", "1=1\r\nX=Y", "1", "1", {{"", "X", "Y"}}},
        {"error message as the result", "1/0=错误:除数为零。\r\n", "1/0", "错误:除数为零。", {}},
        {"GBK tags",
         "2ej30*3=6ej30\r\ncosφ=0.8=0.8\r\nCT变比=600/5=120\r\n",
         "2ej30*3",
         "6ej30",
         {{"cosφ", "0.8", "0.8"}, {"CT变比", "600/5", "120"}}},
        {"nine register lines fill all rows",
         "0=0\r\n1=1\r\n2=2\r\n3=3\r\n4=4\r\n5=5\r\n6=6\r\n7=7\r\n8=8\r\nS=9=9\r\n",
         "0",
         "0",
         {{"", "1", "1"},
          {"", "2", "2"},
          {"", "3", "3"},
          {"", "4", "4"},
          {"", "5", "5"},
          {"", "6", "6"},
          {"", "7", "7"},
          {"", "8", "8"},
          {"S", "9", "9"}}},
    };
    for (const LinesCase& c : cases) {
        SCOPED_TRACE(c.name);
        const OpenedResultFile file = decodeResultFile(gbk(c.fileUtf8), "r.jsq");
        ASSERT_TRUE(file.ok()) << utf8(file.message);
        EXPECT_EQ(utf8(file.input), c.input);
        EXPECT_EQ(utf8(file.output), c.output);
        EXPECT_EQ(file.registerLines, static_cast<int>(c.registers.size()));
        int k = 0;
        for (const Reg& r : c.registers) {
            const MemoryRegister& got = file.registers[static_cast<std::size_t>(k++)];
            EXPECT_EQ(got.tag, r.tag) << "register " << k;
            EXPECT_EQ(got.storedExpression, r.expression) << "register " << k;
            EXPECT_EQ(got.content, r.content) << "register " << k;
        }
        for (; k < kRegisterCount; ++k) {
            const MemoryRegister& rest = file.registers[static_cast<std::size_t>(k)];
            EXPECT_TRUE(rest.tag.empty() && rest.storedExpression.empty() && rest.content.empty())
                << "register " << k + 1 << " should be empty";
        }
    }
}

struct RefusedCase {
    const char* name;
    std::string bytes;
    ReadError error;
    int line;             // first bad line named in the message; 0 = none
    const char* because;  // a part of the message (UTF-8)
};

TEST(ResultFileRead, RefusedFiles) {
    const std::string tenRegisters =
        "0=0\r\n1=1\r\n2=2\r\n3=3\r\n4=4\r\n5=5\r\n6=6\r\n7=7\r\n8=8\r\n9=9\r\n10=10\r\n";
    const RefusedCase cases[] = {
        {"empty file", "", ReadError::NoEquals, 1, "没有“=”"},
        {"calculation without =", "1+2\r\n", ReadError::NoEquals, 1, "没有“=”"},
        {"register line without =", "1=1\r\nIa\r\n", ReadError::NoEquals, 2, "没有“=”"},
        {"blank line at the end", "1=1\r\nX=Y\r\n\r\n", ReadError::NoEquals, 3, "没有“=”"},
        {"ten register lines", tenRegisters, ReadError::TooManyRegisters, 11, "最多9个"},
        {"NUL inside a line", std::string("1=1\r\nX=\0Y\r\n", 11), ReadError::ControlCharacter, 2,
         "第3个字符是控制字符U+0000"},
        {"tab inside a line", "1\t=1\r\n", ReadError::ControlCharacter, 1, "控制字符U+0009"},
        {"lone CR inside a line", "1=1\rX=Y\r\n", ReadError::ControlCharacter, 1, "U+000D"},
        {"escape character", "1=1\r\nIa=\x1b[0m=1\r\n", ReadError::ControlCharacter, 2, "U+001B"},
        {"DEL character", "1=1\x7f\r\n", ReadError::ControlCharacter, 1, "U+007F"},
        {"column counts characters, not bytes", gbk("变比=1\t=1"), ReadError::ControlCharacter, 1,
         "第1行第5个字符"},
        {"UTF-8 instead of GBK", std::string("1=1\r\n") + std::string("电=1=1\r\n"),
         ReadError::NotGbk, 2, "不是GBK编码的文本"},
        {"lead byte cut off by the line end", "1=1\r\nIa=1=\xb1\r\n", ReadError::NotGbk, 2,
         "不是GBK"},
        {"invalid trail byte", "1=\x81\x20\r\n", ReadError::NotGbk, 1, "不是GBK"},
        {"first bad line wins", "1=1\r\nnone\r\n1\t=1\r\n", ReadError::NoEquals, 2, "第2行"},
        {"larger than 1 MiB", "=" + std::string(kMaxResultFileSize, 'a'), ReadError::TooLarge, 0,
         "1 MiB"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.name);
        const OpenedResultFile file = decodeResultFile(c.bytes, "/tmp/三相.jsq");
        EXPECT_EQ(file.error, c.error) << utf8(file.message);
        EXPECT_EQ(file.line, c.line);
        const std::string message = utf8(file.message);
        // The name as the system writes paths ("\\tmp\\三相.jsq" on Windows).
        const std::string named = "文件“" + shownName("/tmp/三相.jsq") + "”没有打开";
        EXPECT_NE(message.find(named), std::string::npos) << message;
        if (c.line > 0) {
            EXPECT_NE(message.find("第" + std::to_string(c.line) + "行"), std::string::npos)
                << message;
        }
        EXPECT_NE(message.find(c.because), std::string::npos) << message;
        EXPECT_EQ(file.registerLines, 0);
        EXPECT_TRUE(file.input.empty() && file.output.empty());
    }
}

// A file opened, saved as the save key saves it and opened again: the window
// shows the same calculation and the same registers.
TEST(ResultFileRead, SavedAgainReadsTheSame) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"saved file", gbk("1+2=3\r\nIa=X=Y\r\nX=Y\r\nP==\r\n")},
        {"blank tag", "1=1\r\n  =X=Y\r\n"},
        {"blank register between others",
         "4!=24\nPE=\n\xab"
         "CT\xb1\xe4\xb1\xc8==\n7=7\n"},
        {"blank tag and content", "1=1\r\n =X= \r\nIa=1=1\r\n"},
        {"tag of equals signs", "1=1\r\n==x=y\r\n===\r\n"},
        {"ideographic space tag", gbk("=\r\n\u3000==\r\n")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OpenedResultFile first = decodeResultFile(c.bytes, "a.jsq");
        ASSERT_TRUE(first.ok()) << utf8(first.message);
        const EncodedFile saved =
            encodeResultFile(resultLines(first.input, first.output, first.registers));
        ASSERT_TRUE(saved.result.ok()) << utf8(saved.result.message);
        const OpenedResultFile again = decodeResultFile(saved.bytes, "a.jsq");
        ASSERT_TRUE(again.ok()) << utf8(again.message);
        EXPECT_EQ(again.input, first.input);
        EXPECT_EQ(again.output, first.output);
        EXPECT_EQ(again.registerLines, first.registerLines);
        for (std::size_t k = 0; k < first.registers.size(); ++k) {
            EXPECT_EQ(again.registers[k].tag, first.registers[k].tag) << "register " << k + 1;
            EXPECT_EQ(again.registers[k].storedExpression, first.registers[k].storedExpression)
                << "register " << k + 1;
            EXPECT_EQ(again.registers[k].content, first.registers[k].content)
                << "register " << k + 1;
        }
    }
}

TEST(ResultFileRead, ExactlyOneMebibyteIsRead) {
    const std::string bytes = "=" + std::string(kMaxResultFileSize - 1, 'a');
    const OpenedResultFile file = decodeResultFile(bytes, "big.txt");
    ASSERT_TRUE(file.ok()) << utf8(file.message);
    EXPECT_EQ(file.output.size(), kMaxResultFileSize - 1);
}

class ResultFileOpen : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string path(const std::string& name) const { return dir_.path(name); }
    void write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(test::writeRaw(path(name), bytes));
    }
    test::ScratchFolder dir_;
};

TEST_F(ResultFileOpen, ReadsFromDiskAndRefusesWhatCannotBeRead) {
    write("结果.jsq", gbk("1+2=3\r\ncosφ=0.8=0.8\r\n"));
    const OpenedResultFile good = readResultFile(path("结果.jsq"));
    ASSERT_TRUE(good.ok()) << utf8(good.message);
    EXPECT_EQ(good.registers[0].tag, "cosφ");

    write("big.txt", "=" + std::string(kMaxResultFileSize, 'a'));
    ASSERT_TRUE(test::makeFolder(path("folder.jsq")));
    struct Case {
        const char* name;
        std::string file;
        ReadError error;
        const char* because;
    };
    const Case cases[] = {
        {"missing file", path("missing.jsq"), ReadError::Unreadable, "文件不存在"},
        {"a folder", path("folder.jsq"), ReadError::Unreadable, "文件夹"},
        {"larger than 1 MiB on disk", path("big.txt"), ReadError::TooLarge, "1 MiB"},
        {"blank name", "  ", ReadError::Unreadable, "没有给出文件名"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const OpenedResultFile file = readResultFile(c.file);
        EXPECT_EQ(file.error, c.error);
        EXPECT_NE(utf8(file.message).find(c.because), std::string::npos) << utf8(file.message);
    }
    // Reading left the folder as it was.
    EXPECT_EQ(test::entries(dir_.path()),
              (std::vector<std::string>{"big.txt", "folder.jsq", "结果.jsq"}));
}

}  // namespace
}  // namespace kalvox
