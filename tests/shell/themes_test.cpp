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

TEST_F(ApplyThemeTest, RecoloursMainWindowThenPagesInOrderThenFinishesWithTheNewColours) {
    std::vector<std::string> calls;
    auto record = [&](const char* who) {
        return [&calls, who] {
            // Every subscriber already sees the new values.
            const bool current = controls::ThemeIndex == 2 && controls::ThemeColor == controls::ThemeTable()[2].color;
            calls.push_back(std::string(who) + (current ? "" : " (old colours)"));
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

}  // namespace
}  // namespace shell
