// The press of the tab button, the round button and the link: one table of
// mouse and key sequences run against each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

enum class Step { Down, UpInside, UpOutside, CaptureLost, RightDown, RightUpInside, Key, Disable };

struct Sequence {
    const char* name;
    std::vector<Step> steps;
    int clicks;
    bool pressedAfter;
};

const Sequence kSequences[] = {
    {"press shows", {Step::Down}, 0, true},
    {"click", {Step::Down, Step::UpInside}, 1, false},
    {"release without a press on it", {Step::UpInside}, 0, false},
    {"dragged off", {Step::Down, Step::UpOutside}, 0, false},
    {"dragged off, then a release from elsewhere", {Step::Down, Step::UpOutside, Step::UpInside}, 0, false},
    {"capture lost", {Step::Down, Step::CaptureLost}, 0, false},
    {"capture lost, then released on it", {Step::Down, Step::CaptureLost, Step::UpInside}, 0, false},
    {"right button", {Step::RightDown, Step::RightUpInside}, 0, false},
    {"key", {Step::Key}, 1, false},
    {"disabled mid-press", {Step::Down, Step::Disable, Step::UpInside, Step::Key}, 0, false},
};

template <typename Control>
class PressTest : public ::testing::Test {};
using Controls = ::testing::Types<TabButton, RoundBtn, Link>;
TYPED_TEST_SUITE(PressTest, Controls);

TYPED_TEST(PressTest, AReleaseCountsOnlyAfterAPressOnTheSameControl) {
    for (const Sequence& sequence : kSequences) {
        SCOPED_TRACE(sequence.name);
        TypeParam control;
        int clicks = 0;
        control.Click = [&] { ++clicks; };
        for (Step step : sequence.steps) {
            switch (step) {
                case Step::Down:
                    Down(control, MouseButton::Left);
                    break;
                case Step::UpInside:
                    Up(control, MouseButton::Left, true);
                    break;
                case Step::UpOutside:
                    Up(control, MouseButton::Left, false);
                    break;
                case Step::CaptureLost:
                    control.OnCaptureLost();
                    break;
                case Step::RightDown:
                    Down(control, MouseButton::Right);
                    break;
                case Step::RightUpInside:
                    Up(control, MouseButton::Right, true);
                    break;
                case Step::Key:
                    control.OnKeyActivate();
                    break;
                case Step::Disable:
                    control.SetEnabled(false);
                    break;
            }
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
