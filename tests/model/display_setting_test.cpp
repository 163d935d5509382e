// The display setting in the panel: only the output box's text changes; the value
// that MW stores, the save key writes, ans stands for and ej-j converts is the full
// value text under every setting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/panel_model.h"
#include "model/utf16.h"

namespace kalvox {
namespace {

using enum KeyGroup;

void evaluate(PanelModel& m, std::u16string_view input) {
    m.syncInput(std::u16string(input), static_cast<int>(input.size()), 0, 0, true);
    m.press({Equals});
}

// What a journey leaves that must not depend on the display: every output's full
// text, the registers, the input lines the save key writes.
std::vector<std::string> fullTexts(const DisplaySetting& setting, std::vector<std::string>* shown) {
    PanelModel m;
    m.setDisplay(setting);
    std::vector<std::string> texts;
    auto record = [&] {
        texts.push_back(m.output());
        texts.push_back(m.inputUtf8());
        shown->push_back(m.displayedOutput());
        // Where the box shows the value otherwise, its tooltip holds the full text.
        if (m.displayedOutput() != m.output()) {
            EXPECT_NE(m.outputTooltip("box").find("\n" + m.output()), std::string::npos);
        }
    };
    evaluate(m, u"1/(2*3.14159265358979*50*100E-6)");
    record();
    m.press({Store, 0});  // MW1
    evaluate(m, u"10ej30");
    record();
    m.press({Store, 1});  // MW2
    m.press({Save});      // the save key evaluates again and writes what it shows
    record();
    evaluate(m, u"ans*2");
    record();
    m.press({Function, static_cast<int>(keyIndex(FunctionKey::EjJ))});
    record();
    m.press({Recall, 0});
    record();
    for (int i = 0; i < 2; ++i) {
        texts.push_back(m.registers()[static_cast<std::size_t>(i)].content);
        texts.push_back(m.storedExpression(i + 1));
    }
    return texts;
}

TEST(DisplaySettingInThePanel, MwSaveAnsAndEjJKeepTheFullTextUnderEverySetting) {
    std::vector<std::string> plainShown;
    const std::vector<std::string> plain = fullTexts(DisplaySetting{}, &plainShown);
    EXPECT_EQ(plain[0], "31.8309886183791");
    EXPECT_EQ(plain[2], "10ej30.0000000000011");
    for (DisplayNotation notation : {DisplayNotation::Plain, DisplayNotation::Engineering}) {
        for (int digits : kDisplayDigits) {
            const DisplaySetting setting{notation, digits};
            std::vector<std::string> shown;
            EXPECT_EQ(fullTexts(setting, &shown), plain) << digits;
            // What the box shows is the setting's rendering of the full text.
            for (std::size_t i = 0; i < shown.size(); ++i)
                EXPECT_EQ(shown[i], displayedText(plain[2 * i], setting));
        }
    }
}

TEST(DisplaySettingInThePanel, EngineeringTenDigitsShowsTheJourneysValues) {
    PanelModel m;
    m.setDisplay({DisplayNotation::Engineering, 10});
    evaluate(m, u"1/(2*3.14159265358979*50*100E-6)");
    EXPECT_EQ(m.displayedOutput(), "31.83098862");
    evaluate(m, u"10ej30");
    EXPECT_EQ(m.displayedOutput(), "10ej30");
    EXPECT_EQ(m.outputTooltip("box"),
              "box\n10ej30.0000000000011\n8.66025403784429+j5.00000000000016");
    evaluate(m, u"4700*10");
    EXPECT_EQ(m.displayedOutput(), "47k");
    // A change of the setting shows the same value anew.
    m.setDisplay({});
    EXPECT_EQ(m.displayedOutput(), "47000");
}

TEST(DisplaySettingInThePanel, TypedOutputShowsAsTyped) {
    PanelModel m;
    m.setDisplay({DisplayNotation::Engineering, 6});
    m.editOutput("4700");
    EXPECT_EQ(m.displayedOutput(), "4700");
    EXPECT_EQ(m.output(), "4700");
    evaluate(m, u"4700");
    EXPECT_EQ(m.displayedOutput(), "4.7k");
}

}  // namespace
}  // namespace kalvox
