#include "controls/error_msg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace controls {
namespace {

struct RecordingBalloon {
    ErrorMsg balloon;
    std::vector<std::string> tips;
    int closes = 0;
    int clicks = 0;
    Connection open = balloon.openToolTip.Connect([this](const std::string& text) { tips.push_back(text); });
    Connection close = balloon.closeToolTip.Connect([this] { ++closes; });
    RecordingBalloon() {
        balloon.Click = [this] { ++clicks; };
    }
};

TEST(ErrorMsg, FirstMessageStaysUntilHidden) {
    ErrorMsg balloon;
    balloon.ShowError("A");
    balloon.OnFadeTimer();
    balloon.ShowInformation("B");
    EXPECT_TRUE(balloon.Shown());
    EXPECT_EQ(balloon.Icon(), MessageIcon::Error);
    EXPECT_EQ(balloon.Message(), "A");
    EXPECT_EQ(balloon.FadeLevel(), 253);  // the fade was not restarted either

    balloon.HideMessage();
    EXPECT_FALSE(balloon.Shown());
    EXPECT_FALSE(balloon.FadeTimerRunning());
    balloon.HideMessage();  // hidden already: nothing happens
    EXPECT_FALSE(balloon.Shown());

    balloon.ShowInformation("B");
    EXPECT_EQ(balloon.Icon(), MessageIcon::Information);
    EXPECT_EQ(balloon.Message(), "B");
    EXPECT_TRUE(balloon.FadeTimerRunning());
    EXPECT_EQ(balloon.IconAlpha(), 0);  // fades in from transparent again
}

TEST(ErrorMsg, FadeInEndsOpaqueAndStops) {
    ErrorMsg balloon;
    balloon.ShowError("A");
    EXPECT_EQ(balloon.IconAlpha(), 0);
    int ticks = 0;
    for (; balloon.FadeTimerRunning() && ticks < 1000; ++ticks) balloon.OnFadeTimer();
    EXPECT_LT(ticks, 1000);
    EXPECT_EQ(balloon.IconAlpha(), 254);
    balloon.OnFadeTimer();  // a late tick changes nothing
    EXPECT_EQ(balloon.IconAlpha(), 254);
}

TEST(ErrorMsg, ToolTipOpensOncePerVisitOfTheMouse) {
    RecordingBalloon r;
    r.balloon.ShowInformation("Hello");
    EXPECT_TRUE(r.balloon.HoverArmed());

    r.balloon.OnShowTimer(true);  // timer not running: the mouse never came
    EXPECT_TRUE(r.tips.empty());

    r.balloon.OnMouseMove(true);
    EXPECT_TRUE(r.balloon.ShowTimerRunning());
    r.balloon.OnShowTimer(false);  // cursor elsewhere at the tick
    EXPECT_TRUE(r.tips.empty());
    r.balloon.OnShowTimer(true);
    r.balloon.OnShowTimer(true);
    EXPECT_EQ(r.tips, std::vector<std::string>{"Hello"});
    EXPECT_FALSE(r.balloon.HoverArmed());
    EXPECT_TRUE(r.balloon.ShowTimerRunning());  // runs until the mouse leaves

    r.balloon.OnMouseMove(false);
    EXPECT_FALSE(r.balloon.ShowTimerRunning());
    EXPECT_TRUE(r.balloon.HoverArmed());
    EXPECT_EQ(r.closes, 1);
    r.balloon.OnMouseMove(true);
    r.balloon.OnShowTimer(true);
    EXPECT_EQ(r.tips.size(), 2u);
}

TEST(ErrorMsg, LeftReleaseOverTheControlClicksOnce) {
    RecordingBalloon r;
    r.balloon.ShowInformation("Restart");
    r.balloon.OnMouseMove(true);
    r.balloon.OnShowTimer(true);
    ASSERT_FALSE(r.balloon.HoverArmed());

    r.balloon.OnButtonUp(MouseButton::Right, true);
    r.balloon.OnButtonUp(MouseButton::Middle, true);
    EXPECT_EQ(r.clicks, 0);
    r.balloon.OnButtonUp(MouseButton::Left, false);  // released elsewhere
    EXPECT_EQ(r.clicks, 0);

    const int closesBefore = r.closes;
    r.balloon.OnButtonUp(MouseButton::Left, true);
    EXPECT_EQ(r.clicks, 1);
    EXPECT_FALSE(r.balloon.ShowTimerRunning());
    EXPECT_TRUE(r.balloon.HoverArmed());
    EXPECT_EQ(r.closes, closesBefore + 1);
}

TEST(ErrorMsg, AnEmptyMessageNeverOpensATipAndHidingClosesOne) {
    RecordingBalloon r;
    r.balloon.ShowError("");
    EXPECT_TRUE(r.balloon.Shown());
    r.balloon.OnMouseMove(true);
    r.balloon.OnShowTimer(true);
    EXPECT_TRUE(r.tips.empty());
    r.balloon.HideMessage();
    r.balloon.ShowError("A");
    r.balloon.OnMouseMove(true);
    r.balloon.OnShowTimer(true);
    EXPECT_EQ(r.tips.size(), 1u);
    const int closesBefore = r.closes;
    r.balloon.HideMessage();
    EXPECT_EQ(r.closes, closesBefore + 1);
    EXPECT_FALSE(r.balloon.ShowTimerRunning());
}

}  // namespace
}  // namespace controls
