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
    void Hover() {
        balloon.OnMouseMove(true);
        balloon.OnShowTimer(true);
    }
};

TEST(ErrorMsg, FirstMessageStaysUntilHiddenAndEachFadesInOnce) {
    ErrorMsg balloon;
    balloon.ShowError("A");
    EXPECT_EQ(balloon.IconAlpha(), 0);
    balloon.OnFadeTimer();
    balloon.ShowInformation("B");
    EXPECT_EQ(balloon.Icon(), MessageIcon::Error);
    EXPECT_EQ(balloon.Message(), "A");
    EXPECT_EQ(balloon.FadeLevel(), 253);  // the fade was not restarted either
    int ticks = 0;
    for (; balloon.FadeTimerRunning() && ticks < 1000; ++ticks) balloon.OnFadeTimer();
    EXPECT_EQ(balloon.IconAlpha(), 254);

    balloon.HideMessage();
    EXPECT_FALSE(balloon.Shown());
    balloon.ShowInformation("B");
    EXPECT_EQ(balloon.Icon(), MessageIcon::Information);
    EXPECT_EQ(balloon.Message(), "B");
    EXPECT_EQ(balloon.IconAlpha(), 0);  // fades in from transparent again
}

TEST(ErrorMsg, ToolTipOpensOncePerVisitOfTheMouseAndAnEmptyMessageHasNone) {
    RecordingBalloon r;
    r.balloon.ShowInformation("Hello");
    r.balloon.OnShowTimer(true);  // timer not running: the mouse never came
    r.balloon.OnMouseMove(true);
    r.balloon.OnShowTimer(false);  // cursor elsewhere at the tick
    EXPECT_TRUE(r.tips.empty());
    r.balloon.OnShowTimer(true);
    r.balloon.OnShowTimer(true);
    EXPECT_EQ(r.tips, std::vector<std::string>{"Hello"});
    r.balloon.OnMouseMove(false);
    EXPECT_EQ(r.closes, 1);
    r.Hover();
    EXPECT_EQ(r.tips.size(), 2u);
    // A left release over the control clicks and closes the tip; others not.
    r.balloon.OnButtonUp(MouseButton::Right, true);
    r.balloon.OnButtonUp(MouseButton::Left, false);
    EXPECT_EQ(r.clicks, 0);
    r.balloon.OnButtonUp(MouseButton::Left, true);
    EXPECT_EQ(r.clicks, 1);
    EXPECT_EQ(r.closes, 2);
    r.Hover();
    r.balloon.HideMessage();
    EXPECT_EQ(r.closes, 3);

    r.balloon.ShowError("");
    r.Hover();
    EXPECT_EQ(r.tips.size(), 3u);
}

}  // namespace
}  // namespace controls
