// The press of the tab button, the round button and the link: one table of
// mouse and key sequences run against each.
#include <gtest/gtest.h>

#include "controls/link.h"
#include "controls/round_btn.h"
#include "controls/tab_button.h"

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
    EXPECT_EQ(link.TextColor(), Rgb(1, 2, 3));
    EXPECT_FALSE(link.Underlined());
    link.OnMouseMove({MouseButton::Left, 1, 1}, true);
    EXPECT_EQ(link.TextColor(), Rgb(9, 9, 9));
    EXPECT_TRUE(link.Underlined());
    link.SetOverUnderline(false);
    EXPECT_FALSE(link.Underlined());
    link.OnMouseLeave();
    EXPECT_EQ(link.TextColor(), Rgb(1, 2, 3));
    EXPECT_EQ(moves, 1);
}

}  // namespace
}  // namespace controls
