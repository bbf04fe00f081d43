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

TEST_F(ThemeTest, TableHoldsTheSixThemesInListOrder) {
    struct Expected {
        const char* name;
        Color color, light, text, back, border;
    };
    const Expected expected[] = {
        {"Blue (Default)", Rgb(100, 135, 220), Rgb(169, 193, 242), Rgb(62, 116, 217), Rgb(243, 248, 254),
         Rgb(148, 184, 243)},
        {"Green", Rgb(72, 185, 30), Rgb(216, 247, 204), Rgb(0, 128, 0), Rgb(236, 251, 230), Rgb(141, 227, 108)},
        {"Red", Rgb(255, 128, 128), Rgb(255, 213, 218), Rgb(128, 0, 0), Rgb(255, 244, 245), Rgb(255, 170, 179)},
        {"Gray", Rgb(128, 128, 128), Rgb(207, 207, 207), Rgb(64, 64, 64), Rgb(238, 238, 238), Rgb(184, 184, 184)},
        {"Orange", Rgb(239, 172, 33), Rgb(249, 225, 170), Rgb(160, 116, 12), Rgb(253, 244, 225), Rgb(247, 209, 132)},
        {"Magenta", Rgb(255, 128, 255), Rgb(248, 222, 248), Rgb(184, 20, 184), Rgb(253, 242, 253), Rgb(242, 174, 242)},
    };
    for (int i = 0; i < kThemeCount; ++i) {
        SCOPED_TRACE(i);
        const ThemeRow& row = ThemeTable()[static_cast<size_t>(i)];
        EXPECT_EQ(std::string(row.name), expected[i].name);
        EXPECT_EQ(row.color, expected[i].color);
        EXPECT_EQ(row.light, expected[i].light);
        EXPECT_EQ(row.text, expected[i].text);
        EXPECT_EQ(row.back, expected[i].back);
        EXPECT_EQ(row.border, expected[i].border);

        SetThemeValues(i);
        EXPECT_EQ(ThemeIndex, i);
        EXPECT_EQ(ThemeColor, expected[i].color);
        EXPECT_EQ(ThemeLightColor, expected[i].light);
        EXPECT_EQ(ThemeTextColor, expected[i].text);
        EXPECT_EQ(ThemeBackColor, expected[i].back);
        EXPECT_EQ(ThemeBorderColor(), expected[i].border);
    }
    // The COLORREF layout: red in the low byte.
    EXPECT_EQ(Rgb(0x12, 0x34, 0x56), 0x563412u);
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

TEST_F(ThemeTest, BlendWeighsTheFirstColour) {
    // 70 of 255 parts of the blue theme colour over white (a selected toggle).
    const Color selected = Blend(Rgb(100, 135, 220), kWhite, 70);
    EXPECT_EQ(RedOf(selected), (100 * 70 + 255 * 185 + 127) / 255);
    EXPECT_EQ(GreenOf(selected), (135 * 70 + 255 * 185 + 127) / 255);
    EXPECT_EQ(BlueOf(selected), (220 * 70 + 255 * 185 + 127) / 255);
    EXPECT_EQ(Blend(Rgb(10, 20, 30), kWhite, 255), Rgb(10, 20, 30));
    EXPECT_EQ(Blend(Rgb(10, 20, 30), kWhite, 0), kWhite);
    EXPECT_EQ(Blend(kBlack, kWhite, 300), kBlack);  // weight kept to 0..255
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
