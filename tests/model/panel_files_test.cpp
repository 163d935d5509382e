// Save and open as commands of the model: what the dialogs answer goes in, the
// file and the panel come out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/panel_model.h"
#include "model/utf16.h"

namespace kalvox {
namespace {

namespace fs = std::filesystem;

class PanelFiles : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("kalvox-panel-files-" +
                   std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    // The name as UTF-8, as the model takes file names.
    std::string path(const std::string& name) const {
        const std::u8string text = (folder_ / name).u8string();
        return std::string(text.begin(), text.end());
    }
    static std::string bytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void type(PanelModel& m, std::u16string text) {
        const int end = static_cast<int>(text.size());
        m.syncInput(std::move(text), end, end, 0, true);
    }
    fs::path folder_;
};

TEST_F(PanelFiles, SaveWritesWhatAFreshEqualsShows) {
    PanelModel m;
    type(m, u"1+2");
    m.press({KeyGroup::Equals});
    m.press({KeyGroup::Store, 0});
    m.editTag(0, "Ia");
    type(m, u"2(3");  // saved as a fresh "=" shows it
    m.press({KeyGroup::Save});
    m.saveFile(path("r"), "计算结果(*.jsq)");
    EXPECT_EQ(m.message(), "");
    EXPECT_EQ(bytes(path("r.jsq")),
              "2(3=\xb4\xed\xce\xf3:\xc0\xa8\xba\xc5\xb2\xbb\xc6\xa5\xc5\xe4\xa1\xa3\r\n"
              "Ia=1+2=3\r\n");
}

TEST_F(PanelFiles, NameAndFilterDecideTheFile) {
    struct Case {
        const char* name;
        std::string typed;
        const char* filter;
        const char* written;  // "" for none
    };
    const Case cases[] = {
        {"extension from the filter", "a", "文本文件(*.txt)", "a.txt"},
        {"extension typed is kept", "b.dat", "计算结果(*.jsq)", "b.dat"},
        {"cancelled dialog", "", "文本文件(*.txt)", ""},
        {"blank name", "   ", "文本文件(*.txt)", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PanelModel m;
        m.saveFile(c.typed.empty() || c.typed == "   " ? c.typed : path(c.typed), c.filter);
        EXPECT_EQ(m.message(), "");
        if (*c.written) {
            EXPECT_EQ(bytes(path(c.written)), "=0\r\n");
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);
}

TEST_F(PanelFiles, FailedSaveLeavesItsMessage) {
    PanelModel m;
    type(m, u"x²");
    m.saveFile(path("r.txt"), "文本文件(*.txt)");
    EXPECT_NE(m.message().find("输入框的表达式中的字符“²”(U+00B2)"), std::string::npos)
        << m.message();
    type(m, std::u16string(u"1") + char16_t(0xD83D));  // a lone surrogate, refused by name
    m.saveFile(path("r.txt"), "文本文件(*.txt)");
    EXPECT_NE(m.message().find("U+D83D"), std::string::npos) << m.message();
    EXPECT_FALSE(fs::exists(folder_ / "r.txt"));
}

TEST_F(PanelFiles, OpenLoadsTheFileOrLeavesThePanelAsItWas) {
    {
        std::ofstream(path("good.jsq"), std::ios::binary) << "4*5=20\r\ncos\xa6\xd5=3/5=0.6\r\n";
        std::ofstream(path("bad.jsq"), std::ios::binary) << "no equals\r\n";
    }
    PanelModel m;
    type(m, u"7");
    EXPECT_FALSE(m.openFile(path("bad.jsq")));
    EXPECT_NE(m.message().find("第1行没有“=”"), std::string::npos) << m.message();
    EXPECT_EQ(m.input(), u"7");
    EXPECT_FALSE(m.openFile("  "));
    EXPECT_EQ(m.message(), "");

    EXPECT_TRUE(m.openFile(path("good.jsq")));
    EXPECT_EQ(m.message(), "");
    EXPECT_EQ(m.input(), u"4*5");
    EXPECT_EQ(m.output(), "20");
    EXPECT_EQ(m.registers()[0].tag, "cosφ");
    EXPECT_EQ(m.registers()[0].content, "0.6");
    EXPECT_TRUE(m.registersReplaced());
}

TEST(PanelCommands, CopyFormsFollowTheOutput) {
    PanelModel m;
    m.syncInput(u"3+j4", 4, 4, 0, true);
    m.press({KeyGroup::Equals});
    const std::vector<CopyForm> forms = m.copyForms();
    ASSERT_EQ(forms.size(), 2u);
    EXPECT_EQ(forms[0].caption, "复制指数形式");
    EXPECT_EQ(forms[0].text, "5ej53.130102354156");
    EXPECT_EQ(forms[1].caption, "复制代数形式");
    EXPECT_EQ(forms[1].text, "3+j4");
    m.press({KeyGroup::Clear});
    for (const CopyForm& form : m.copyForms()) EXPECT_EQ(form.text, "") << form.name;
}

TEST(PanelCommands, InverseBoxFlipsOnlyWhenItChanges) {
    PanelModel m;
    m.setInverse(false);
    EXPECT_FALSE(m.inverse());
    m.setInverse(true);
    EXPECT_TRUE(m.inverse());
    EXPECT_FALSE(m.enabled({KeyGroup::Function, 6}));  // ^ off while checked
    m.setInverse(true);
    EXPECT_TRUE(m.inverse());
}

}  // namespace
}  // namespace kalvox
