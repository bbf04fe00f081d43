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

TEST_F(ThemeTest, ApplyingAThemeTakesItsRowWhoseNameTheOptionsPageLists) {
    // The stored index names a theme: Green and Gray keep their places.
    EXPECT_EQ(std::string(ThemeTable()[1].name), "Green");
    EXPECT_EQ(std::string(ThemeTable()[3].name), "Gray");
    for (int i = 0; i < kThemeCount; ++i) {
        SCOPED_TRACE(i);
        const ThemeRow& row = ThemeTable()[static_cast<size_t>(i)];
        SetThemeValues(i);
        EXPECT_EQ(ThemeIndex, i);
        EXPECT_EQ(ThemeColor, row.color);
        EXPECT_EQ(ThemeLightColor, row.light);
        EXPECT_EQ(ThemeTextColor, row.text);
        EXPECT_EQ(ThemeBackColor, row.back);
        EXPECT_EQ(ThemeBorderColor(), row.border);
    }
}

TEST_F(ThemeTest, IndexOutsideTheTableSelectsThemeZero) {
    for (int index : {-1, 6, 9, 32767}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(NormalizeThemeIndex(index), 0);
        SetThemeValues(3);
        SetThemeValues(index);
        EXPECT_EQ(ThemeIndex, 0);
        EXPECT_EQ(ThemeColor, Rgb(100, 135, 220));
    }
    EXPECT_EQ(NormalizeThemeIndex(5), 5);
}

TEST_F(ThemeTest, BlendGoesFromTheSecondColourToTheFirst) {
    const Color from = Rgb(100, 135, 220);
    EXPECT_EQ(Blend(from, kWhite, 255), from);
    EXPECT_EQ(Blend(from, kWhite, 0), kWhite);
    EXPECT_EQ(Blend(kBlack, kWhite, 300), kBlack);  // weight kept to 0..255
    // More weight, closer to the first colour.
    EXPECT_LT(RedOf(Blend(from, kWhite, 110)), RedOf(Blend(from, kWhite, 70)));
    EXPECT_GT(RedOf(Blend(from, kWhite, 70)), RedOf(from));
}

TEST_F(ThemeTest, SubscribersAreCalledStageByStageUntilTheyLeave) {
    std::vector<std::string> calls;
    auto about = SubscribeTheme(ThemeStage::AboutPage, [&] { calls.push_back("about"); });
    auto finish = SubscribeTheme(ThemeStage::Finish, [&] { calls.push_back("finish"); });
    auto junk = SubscribeTheme(ThemeStage::JunkPage, [&] { calls.push_back("junk"); });
    auto main = SubscribeTheme(ThemeStage::MainWindow, [&] { calls.push_back("main"); });
    auto options = SubscribeTheme(ThemeStage::OptionsPage, [&] { calls.push_back("options"); });
    auto secondJunk = SubscribeTheme(ThemeStage::JunkPage, [&] { calls.push_back("junk 2"); });
    NotifyThemeSubscribers();
    EXPECT_EQ(calls, (std::vector<std::string>{"main", "junk", "junk 2", "options", "about", "finish"}));

    calls.clear();
    options.Reset();
    {
        ThemeSubscription moved = std::move(junk);
        EXPECT_FALSE(junk.active());
        EXPECT_TRUE(moved.active());
    }  // the moved-to owner leaves
    NotifyThemeSubscribers();
    EXPECT_EQ(calls, (std::vector<std::string>{"main", "junk 2", "about", "finish"}));
}

TEST_F(ThemeTest, ASubscriberRemovedDuringARoundIsNotCalledAfterwards) {
    int laterCalls = 0;
    ThemeSubscription later;
    auto first = SubscribeTheme(ThemeStage::MainWindow, [&] { later.Reset(); });
    later = SubscribeTheme(ThemeStage::Finish, [&] { ++laterCalls; });
    NotifyThemeSubscribers();
    EXPECT_EQ(laterCalls, 0);
}

}  // namespace
}  // namespace controls
