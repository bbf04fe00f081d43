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
    auto finish = controls::SubscribeTheme(controls::ThemeStage::Finish, record("finish"));
    auto other = controls::SubscribeTheme(controls::ThemeStage::OtherWindows, record("other windows"));
    auto about = controls::SubscribeTheme(controls::ThemeStage::AboutPage, record("about"));
    auto junk = controls::SubscribeTheme(controls::ThemeStage::JunkPage, record("junk"));
    auto main = controls::SubscribeTheme(controls::ThemeStage::MainWindow, record("main window"));
    ApplyTheme(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"main window", "junk", "about", "other windows", "finish"}));
}

}  // namespace
}  // namespace shell
