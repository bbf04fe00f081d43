#include "controls/link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace controls {
namespace {

struct RecordingLink {
    Link link;
    std::vector<std::string> events;
    RecordingLink() {
        link.SetCaption("Manage Cookies");
        link.Click = [this] { events.push_back("Click"); };
        link.MouseDown = [this](const MouseEventArgs&) { events.push_back("MouseDown"); };
        link.MouseMove = [this](const MouseEventArgs&) { events.push_back("MouseMove"); };
        link.MouseUp = [this](const MouseEventArgs&) { events.push_back("MouseUp"); };
    }
};

const MouseEventArgs kLeft{MouseButton::Left, 3, 4};
const MouseEventArgs kRight{MouseButton::Right, 3, 4};

TEST(Link, Defaults) {
    Link link;
    EXPECT_EQ(link.Caption(), "");
    EXPECT_EQ(link.ForeColor(), SystemColor(18));
    EXPECT_EQ(link.BackColor(), SystemColor(15));
    EXPECT_EQ(link.OverColor(), kBlack);
    EXPECT_TRUE(link.OverUnderline());
    EXPECT_TRUE(link.Enabled());
    EXPECT_EQ(link.TipText(), "");
    EXPECT_EQ(link.TipsText(), "");
}

TEST(Link, HoverShowsOverColourAndUnderline) {
    RecordingLink r;
    r.link.SetForeColor(Rgb(1, 2, 3));
    r.link.SetOverColor(Rgb(9, 9, 9));
    EXPECT_EQ(r.link.TextColor(), Rgb(1, 2, 3));
    EXPECT_FALSE(r.link.Underlined());

    r.link.OnMouseMove(kLeft, true);
    EXPECT_EQ(r.link.TextColor(), Rgb(9, 9, 9));
    EXPECT_TRUE(r.link.Underlined());
    r.link.SetOverUnderline(false);
    EXPECT_FALSE(r.link.Underlined());

    r.link.OnMouseMove(kLeft, false);
    EXPECT_EQ(r.link.TextColor(), Rgb(1, 2, 3));
    EXPECT_EQ(r.events, (std::vector<std::string>{"MouseMove", "MouseMove"}));

    r.link.OnMouseMove(kLeft, true);
    r.link.OnMouseLeave();
    EXPECT_FALSE(r.link.Hovered());
}

TEST(Link, PressAndReleaseOnTheLinkClicksOnce) {
    RecordingLink r;
    r.link.OnButtonDown(kLeft);
    EXPECT_TRUE(r.link.PressRemembered());
    r.link.OnButtonUp(kLeft, true);
    EXPECT_EQ(r.events, (std::vector<std::string>{"MouseDown", "MouseUp", "Click"}));
    EXPECT_FALSE(r.link.PressRemembered());
}

TEST(Link, PressElsewhereThenReleaseOnTheLinkDoesNotClick) {
    RecordingLink r;
    r.link.OnMouseMove(kLeft, true);  // moved onto it with the button held
    r.link.OnButtonUp(kLeft, true);
    EXPECT_EQ(r.events, (std::vector<std::string>{"MouseMove", "MouseUp"}));
}

TEST(Link, DraggingOffBeforeTheReleaseCancelsTheClickAndForgetsThePress) {
    RecordingLink r;
    r.link.OnButtonDown(kLeft);
    r.link.OnMouseMove(kLeft, false);
    r.link.OnButtonUp(kLeft, false);
    EXPECT_EQ(r.events, (std::vector<std::string>{"MouseDown", "MouseMove", "MouseUp"}));
    // A later press elsewhere released on the link must not click either.
    r.link.OnButtonUp(kLeft, true);
    EXPECT_EQ(std::count(r.events.begin(), r.events.end(), "Click"), 0);
}

TEST(Link, OtherButtonsRaiseTheirEventsButNoClick) {
    RecordingLink r;
    r.link.OnButtonDown(kRight);
    r.link.OnButtonUp(kRight, true);
    EXPECT_EQ(r.events, (std::vector<std::string>{"MouseDown", "MouseUp"}));
    EXPECT_FALSE(r.link.PressRemembered());
}

TEST(Link, DisabledLinkIgnoresTheMouseAndTheKeyboard) {
    RecordingLink r;
    r.link.OnButtonDown(kLeft);
    r.link.SetEnabled(false);
    EXPECT_FALSE(r.link.PressRemembered());
    r.link.OnMouseMove(kLeft, true);
    r.link.OnButtonDown(kLeft);
    r.link.OnButtonUp(kLeft, true);
    r.link.OnKeyActivate();
    EXPECT_EQ(r.events, (std::vector<std::string>{"MouseDown"}));
    EXPECT_FALSE(r.link.Hovered());

    r.link.SetEnabled(true);
    r.link.OnKeyActivate();
    EXPECT_EQ(r.events.back(), "Click");
}

}  // namespace
}  // namespace controls
