#include "controls/theme.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace controls {
namespace {

// Restores theme 0 after each test: the values are process-wide.
class ThemeTest : public ::testing::Test {
protected:
    void TearDown() override { SetThemeValues(0); }
};

TEST_F(ThemeTest, StoredIndexNamesAThemeAndOneOutsideTheTableSelectsThemeZero) {
    // Stored files name a theme by its place: Green and Gray keep theirs.
    EXPECT_EQ(std::string(ThemeTable()[1].name), "Green");
    EXPECT_EQ(std::string(ThemeTable()[3].name), "Gray");
    for (int index : {-1, 6, 32767}) {
        SCOPED_TRACE(index);
        SetThemeValues(3);
        SetThemeValues(index);
        EXPECT_EQ(ThemeIndex, 0);
        EXPECT_EQ(ThemeColor, ThemeTable()[0].color);
    }
}

TEST_F(ThemeTest, SubscribersLeaveWhenTheirOwnerGoesEvenDuringARound) {
    std::vector<std::string> calls;
    ThemeSubscription later;
    auto first = SubscribeTheme(ThemeStage::MainWindow, [&] {
        calls.push_back("main");
        later.Reset();
    });
    later = SubscribeTheme(ThemeStage::Finish, [&] { calls.push_back("finish"); });
    auto junk = SubscribeTheme(ThemeStage::JunkPage, [&] { calls.push_back("junk"); });
    {
        ThemeSubscription moved = std::move(junk);
        EXPECT_FALSE(junk.active());
        NotifyThemeSubscribers();
    }  // the moved-to owner leaves
    NotifyThemeSubscribers();
    EXPECT_EQ(calls, (std::vector<std::string>{"main", "junk", "main"}));
}

}  // namespace
}  // namespace controls
