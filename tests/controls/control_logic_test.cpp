// The controls' logic without windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/error_msg.h"
#include "controls/link.h"
#include "controls/round_btn.h"
#include "controls/tab_button.h"
#include "controls/theme.h"

namespace controls {
namespace {

void Down(PushControl& control, MouseButton button) { control.OnButtonDown(button); }
void Down(Link& link, MouseButton button) { link.OnButtonDown({button, 1, 1}); }
void Up(PushControl& control, MouseButton button, bool inside) { control.OnButtonUp(button, inside); }
void Up(Link& link, MouseButton button, bool inside) { link.OnButtonUp({button, 1, 1}, inside); }
bool IsPressed(const PushControl& control) { return control.Pressed(); }
bool IsPressed(const Link& link) { return link.PressRemembered(); }
bool IsSelected(const TabButton& button, int) { return button.SelectButton(); }
bool IsSelected(const RoundBtn& button, int) { return button.IsButtonSelected(); }
bool IsSelected(const Link&, int clicks) { return clicks > 0; }

// Steps: d/u left button down/up inside, o left up outside, c capture lost,
// r/R right button down/up inside, k key, x disabled.
const struct {
    const char* name;
    const char* steps;
    int clicks;
    bool pressedAfter;
} kSequences[] = {
    {"press shows", "d", 0, true},
    {"click", "du", 1, false},
    {"release without a press on it", "u", 0, false},
    {"dragged off, then a release from elsewhere", "dou", 0, false},
    {"capture lost, then released on it", "dcu", 0, false},
    {"right button", "rR", 0, false},
    {"key", "k", 1, false},
    {"disabled mid-press", "dxuk", 0, false},
};

template <typename Control>
class PressTest : public ::testing::Test {};
using Controls = ::testing::Types<TabButton, RoundBtn, Link>;
TYPED_TEST_SUITE(PressTest, Controls);

TYPED_TEST(PressTest, AReleaseCountsOnlyAfterAPressOnTheSameControl) {
    for (const auto& sequence : kSequences) {
        SCOPED_TRACE(sequence.name);
        TypeParam control;
        int clicks = 0;
        control.Click = [&] { ++clicks; };
        for (const char* step = sequence.steps; *step; ++step) {
            const MouseButton button = (*step == 'r' || *step == 'R') ? MouseButton::Right : MouseButton::Left;
            if (*step == 'd' || *step == 'r') Down(control, button);
            if (*step == 'u' || *step == 'R' || *step == 'o') Up(control, button, *step != 'o');
            if (*step == 'c') control.OnCaptureLost();
            if (*step == 'k') control.OnKeyActivate();
            if (*step == 'x') control.SetEnabled(false);
        }
        EXPECT_EQ(clicks, sequence.clicks);
        EXPECT_EQ(IsPressed(control), sequence.pressedAfter);
        // Only an activation selects a tab or round button.
        EXPECT_EQ(IsSelected(control, clicks), sequence.clicks > 0);
    }
}

TEST(Link, HoverShowsOverColourAndUnderline) {
    Link link;
    link.SetForeColor(Rgb(1, 2, 3));
    link.SetOverColor(Rgb(9, 9, 9));
    int moves = 0;
    link.MouseMove = [&](const MouseEventArgs&) { ++moves; };
    link.OnMouseMove({MouseButton::Left, 1, 1}, true);
    EXPECT_EQ(link.TextColor(), Rgb(9, 9, 9));
    EXPECT_TRUE(link.Underlined());
    link.SetOverUnderline(false);
    EXPECT_FALSE(link.Underlined());
    link.OnMouseLeave();
    EXPECT_EQ(link.TextColor(), Rgb(1, 2, 3));
    EXPECT_EQ(moves, 1);
}

TEST(ErrorMsg, FirstMessageStaysUntilHiddenAndEachFadesInOnce) {
    ErrorMsg balloon;
    balloon.ShowError("A");
    balloon.OnFadeTimer();
    balloon.ShowInformation("B");
    EXPECT_EQ(balloon.Icon(), MessageIcon::Error);
    EXPECT_EQ(balloon.Message(), "A");
    EXPECT_EQ(balloon.FadeLevel(), 253);  // the fade was not restarted either
    for (int ticks = 0; balloon.FadeTimerRunning() && ticks < 1000; ++ticks) balloon.OnFadeTimer();
    EXPECT_EQ(balloon.IconAlpha(), 254);

    balloon.HideMessage();
    balloon.ShowInformation("B");
    EXPECT_EQ(balloon.Icon(), MessageIcon::Information);
    EXPECT_EQ(balloon.Message(), "B");
    EXPECT_EQ(balloon.IconAlpha(), 0);  // fades in from transparent again
}

TEST(ErrorMsg, ToolTipOpensOncePerVisitOfTheMouseAndAnEmptyMessageHasNone) {
    ErrorMsg balloon;
    std::vector<std::string> tips;
    int closes = 0, clicks = 0;
    Connection open = balloon.openToolTip.Connect([&](const std::string& text) { tips.push_back(text); });
    Connection close = balloon.closeToolTip.Connect([&] { ++closes; });
    balloon.Click = [&] { ++clicks; };
    const auto hover = [&] {
        balloon.OnMouseMove(true);
        balloon.OnShowTimer(true);
    };
    balloon.ShowInformation("Hello");
    balloon.OnShowTimer(true);  // timer not running: the mouse never came
    balloon.OnMouseMove(true);
    balloon.OnShowTimer(false);  // cursor elsewhere at the tick
    EXPECT_TRUE(tips.empty());
    balloon.OnShowTimer(true);
    balloon.OnShowTimer(true);
    EXPECT_EQ(tips, std::vector<std::string>{"Hello"});
    balloon.OnMouseMove(false);
    EXPECT_EQ(closes, 1);
    hover();
    // A left release over the control clicks and closes the tip; others not.
    balloon.OnButtonUp(MouseButton::Right, true);
    balloon.OnButtonUp(MouseButton::Left, false);
    balloon.OnButtonUp(MouseButton::Left, true);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(closes, 2);
    hover();
    balloon.HideMessage();
    EXPECT_EQ(closes, 3);
    EXPECT_EQ(tips.size(), 3u);

    balloon.ShowError("");
    hover();
    EXPECT_EQ(tips.size(), 3u);
}

TEST(Theme, StoredIndexesKeepTheirThemes) {
    // Stored files name a theme by its place.
    EXPECT_EQ(std::string(ThemeTable()[1].name), "Green");
    EXPECT_EQ(std::string(ThemeTable()[3].name), "Gray");
}

TEST(Theme, SubscribersLeaveWhenTheirOwnerGoesEvenDuringARound) {
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
