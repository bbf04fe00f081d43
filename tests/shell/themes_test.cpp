#include "shell/themes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/theme.h"

namespace shell {
namespace {

class ApplyThemeTest : public ::testing::Test {
protected:
    void TearDown() override { ApplyTheme(0); }
};

TEST_F(ApplyThemeTest, SetsTheProcessWideValuesOfTheChosenTheme) {
    ApplyTheme(3);  // "Gray"
    EXPECT_EQ(controls::ThemeIndex, 3);
    EXPECT_EQ(controls::ThemeColor, controls::Rgb(128, 128, 128));
    EXPECT_EQ(controls::ThemeLightColor, controls::Rgb(207, 207, 207));
    EXPECT_EQ(controls::ThemeTextColor, controls::Rgb(64, 64, 64));
    EXPECT_EQ(controls::ThemeBackColor, controls::Rgb(238, 238, 238));
    ApplyTheme(5);
    EXPECT_EQ(controls::ThemeTextColor, controls::Rgb(184, 20, 184));
}

TEST_F(ApplyThemeTest, IndexOutsideZeroToFiveAppliesThemeZero) {
    for (int index : {6, 9, -1}) {
        SCOPED_TRACE(index);
        ApplyTheme(4);
        ApplyTheme(index);
        EXPECT_EQ(controls::ThemeIndex, 0);
        EXPECT_EQ(controls::ThemeColor, controls::Rgb(100, 135, 220));
        EXPECT_EQ(controls::ThemeBackColor, controls::Rgb(243, 248, 254));
    }
}

TEST_F(ApplyThemeTest, RecoloursMainWindowThenPagesInOrderThenFinishesWithTheNewColours) {
    std::vector<std::string> calls;
    auto record = [&](const char* who) {
        return [&calls, who] {
            // Every subscriber already sees the new values.
            calls.push_back(std::string(who) + (controls::ThemeIndex == 2 ? "" : " (old colours)"));
        };
    };
    auto finish = controls::SubscribeTheme(controls::ThemeStage::Finish, record("main window repaint and tip"));
    auto about = controls::SubscribeTheme(controls::ThemeStage::AboutPage, record("about"));
    auto progress = controls::SubscribeTheme(controls::ThemeStage::OtherWindows, record("privacy progress"));
    auto options = controls::SubscribeTheme(controls::ThemeStage::OptionsPage, record("options"));
    auto processes = controls::SubscribeTheme(controls::ThemeStage::ProcessPage, record("processes"));
    auto startup = controls::SubscribeTheme(controls::ThemeStage::StartupPage, record("startup"));
    auto privacy = controls::SubscribeTheme(controls::ThemeStage::PrivacyPage, record("privacy"));
    auto junk = controls::SubscribeTheme(controls::ThemeStage::JunkPage, record("junk"));
    auto main = controls::SubscribeTheme(controls::ThemeStage::MainWindow, record("main window"));
    ApplyTheme(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"main window", "junk", "privacy", "startup", "processes", "options",
                                               "about", "privacy progress", "main window repaint and tip"}));
}

TEST_F(ApplyThemeTest, WindowsThatLeftAreNotRecoloured) {
    int calls = 0;
    {
        auto page = controls::SubscribeTheme(controls::ThemeStage::JunkPage, [&] { ++calls; });
        ApplyTheme(1);
    }
    ApplyTheme(2);
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace shell
