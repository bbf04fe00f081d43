#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/round_btn.h"
#include "controls/tab_button.h"

namespace controls {
namespace {

TEST(TabButton, Defaults) {
    TabButton button;
    EXPECT_EQ(button.Caption(), "Btn");
    EXPECT_EQ(button.BackColor(), 0xFFFFFFu);
    EXPECT_EQ(button.ThemeColor(), 0u);
    EXPECT_FALSE(button.SelectButton());
    EXPECT_TRUE(button.Enabled());
}

TEST(TabButton, LeftClickSelectsAndClicks) {
    TabButton button;
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    button.OnButtonDown(MouseButton::Left);
    EXPECT_TRUE(button.Pressed());
    button.OnButtonUp(MouseButton::Left, true);
    EXPECT_FALSE(button.Pressed());
    EXPECT_TRUE(button.SelectButton());
    EXPECT_TRUE(button.ClickArmed());
    EXPECT_EQ(clicks, 1);
}

TEST(TabButton, ReleaseOutsideNeitherSelectsNorClicks) {
    TabButton button;
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    button.OnButtonDown(MouseButton::Left);
    button.OnButtonUp(MouseButton::Left, false);
    EXPECT_FALSE(button.Pressed());
    EXPECT_FALSE(button.SelectButton());
    EXPECT_EQ(clicks, 0);
}

TEST(TabButton, OtherButtonsDisarmAndNeverClick) {
    TabButton button;
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    button.OnButtonDown(MouseButton::Left);
    button.OnButtonUp(MouseButton::Left, true);
    button.OnButtonDown(MouseButton::Right);
    EXPECT_FALSE(button.Pressed());
    button.OnButtonUp(MouseButton::Right, true);
    EXPECT_FALSE(button.ClickArmed());
    EXPECT_EQ(clicks, 1);
}

TEST(TabButton, SelectionIsTheButtonsOwnAndDisabledButtonsIgnoreClicks) {
    TabButton button;
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    button.SetSelectButton(true);
    button.SetSelectButton(false);
    EXPECT_FALSE(button.SelectButton());
    button.SetEnabled(false);
    button.OnButtonDown(MouseButton::Left);
    button.OnButtonUp(MouseButton::Left, true);
    button.OnKeyActivate();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button.SelectButton());
    button.SetEnabled(true);
    button.OnKeyActivate();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button.SelectButton());
}

// Six round buttons of one panel.
struct Group {
    std::vector<std::unique_ptr<RoundBtn>> buttons;
    std::vector<int> clicks = std::vector<int>(6, 0);
    Group() {
        for (int i = 0; i < 6; ++i) {
            buttons.push_back(std::make_unique<RoundBtn>());
            buttons.back()->group = [this] {
                std::vector<RoundBtn*> all;
                for (auto& b : buttons) all.push_back(b.get());
                return all;
            };
            buttons.back()->Click = [this, i] { ++clicks[static_cast<size_t>(i)]; };
        }
    }
    int SelectedCount() const {
        int count = 0;
        for (const auto& b : buttons) count += b->IsButtonSelected() ? 1 : 0;
        return count;
    }
    void Click(int i) {
        buttons[static_cast<size_t>(i)]->OnButtonDown(MouseButton::Left);
        buttons[static_cast<size_t>(i)]->OnButtonUp(MouseButton::Left, true);
    }
};

TEST(RoundBtn, Defaults) {
    RoundBtn button;
    EXPECT_EQ(button.Caption(), "");
    EXPECT_TRUE(button.Enabled());
    EXPECT_FALSE(button.IsButtonSelected());
}

TEST(RoundBtn, OneSelectedPerGroup) {
    Group g;
    g.buttons[2]->SelectButton(true);
    g.Click(4);
    EXPECT_EQ(g.SelectedCount(), 1);
    EXPECT_TRUE(g.buttons[4]->IsButtonSelected());
    EXPECT_EQ(g.clicks[4], 1);

    // Clicking the selected one again raises Click and changes nothing.
    g.Click(4);
    EXPECT_EQ(g.clicks[4], 2);
    EXPECT_EQ(g.SelectedCount(), 1);
    EXPECT_TRUE(g.buttons[4]->IsButtonSelected());

    g.buttons[0]->SelectButton(true);
    EXPECT_EQ(g.SelectedCount(), 1);
    EXPECT_TRUE(g.buttons[0]->IsButtonSelected());
    g.buttons[0]->SelectButton(false);
    EXPECT_EQ(g.SelectedCount(), 0);
}

TEST(RoundBtn, ReleaseOutsideOrWithoutPressDoesNothing) {
    Group g;
    g.buttons[1]->OnButtonDown(MouseButton::Left);
    g.buttons[1]->OnButtonUp(MouseButton::Left, false);
    g.buttons[2]->OnButtonUp(MouseButton::Left, true);
    g.buttons[3]->OnButtonDown(MouseButton::Right);
    g.buttons[3]->OnButtonUp(MouseButton::Right, true);
    EXPECT_EQ(g.SelectedCount(), 0);
    EXPECT_EQ(g.clicks, std::vector<int>(6, 0));
}

TEST(RoundBtn, DisabledButtonIgnoresClicks) {
    Group g;
    g.buttons[5]->SetEnabled(false);
    g.Click(5);
    g.buttons[5]->OnKeyActivate();
    EXPECT_EQ(g.clicks[5], 0);
    EXPECT_FALSE(g.buttons[5]->IsButtonSelected());
}

}  // namespace
}  // namespace controls
