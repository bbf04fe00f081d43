// The controls' real windows in a test window under the X display.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/error_msg_window.h"
#include "controls/link_window.h"
#include "controls/prog_bar_window.h"
#include "controls/round_btn_window.h"
#include "controls/tab_button_window.h"
#include "controls/tool_tip.h"
#include "platform/dpi.h"
#include "platform/utf.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace controls {
namespace {

using testing_support::ClickAt;
using testing_support::PumpMessages;
using testing_support::PumpUntil;
using testing_support::TestWindow;

std::wstring TextOf(HWND window) { return platform::ToWide(testing_support::WindowText(window)); }

SIZE SizeOf(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

TEST(ControlWindows, BalloonIsAFixed240TwipSquareThatFadesInAndHides) {
    TestWindow host;
    ErrorMsg logic;
    ErrorMsgWindow balloon(logic);
    ASSERT_TRUE(balloon.Create(host.hwnd(), 10, 10));
    const int side = platform::TwipsToPixels(240, platform::WindowDpi(balloon.hwnd()));
    EXPECT_EQ(SizeOf(balloon.hwnd()).cx, side);
    EXPECT_FALSE(::IsWindowVisible(balloon.hwnd()));

    // A layout asking for 600 twips wide gets 240 again.
    ::MoveWindow(balloon.hwnd(), 10, 10, platform::TwipsToPixels(600, platform::WindowDpi(host.hwnd())), 40, TRUE);
    EXPECT_EQ(SizeOf(balloon.hwnd()).cx, side);
    EXPECT_EQ(SizeOf(balloon.hwnd()).cy, side);

    logic.ShowError("Selected folder Does not exists, Plaese select a valid folder.");
    EXPECT_TRUE(::IsWindowVisible(balloon.hwnd()));
    EXPECT_EQ(TextOf(balloon.hwnd()), L"Selected folder Does not exists, Plaese select a valid folder.");
    // The 1 ms fade timer runs the fade to its end.
    EXPECT_TRUE(PumpUntil([&] { return !logic.FadeTimerRunning(); }, 10000));
    EXPECT_EQ(logic.IconAlpha(), 254);

    int clicks = 0;
    logic.Click = [&] { ++clicks; };
    ::SendMessageW(balloon.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(clicks, 0);
    ::SendMessageW(balloon.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(clicks, 1);

    logic.HideMessage();
    EXPECT_FALSE(::IsWindowVisible(balloon.hwnd()));
}

TEST(ControlWindows, BalloonToolTipOpensWithTheMessageAndClosesOnClick) {
    TestWindow host;
    ErrorMsg logic;
    ErrorMsgWindow balloon(logic);
    ASSERT_TRUE(balloon.Create(host.hwnd(), 10, 10));
    logic.SetToolTipFontColor(Rgb(62, 116, 217));
    logic.ShowInformation("Use Ctrl+Click to restart your computer.");
    // The show timer's tick with the cursor on the control.
    logic.OnMouseMove(true);
    logic.OnShowTimer(true);
    ASSERT_NE(ToolTipWindow(), nullptr);
    EXPECT_EQ(ToolTipText(), "Use Ctrl+Click to restart your computer.");
    EXPECT_TRUE(::IsWindowVisible(ToolTipWindow()));
    EXPECT_TRUE(::GetWindowLongW(ToolTipWindow(), GWL_EXSTYLE) & WS_EX_LAYERED);
    ::SendMessageW(balloon.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(ToolTipWindow(), nullptr);
}

TEST(ControlWindows, LinkClicksOnlyForAPressThatBeganOnIt) {
    TestWindow host;
    Link logic;
    logic.SetCaption("Restore Settings");
    LinkWindow link(logic);
    ASSERT_TRUE(link.Create(host.hwnd(), RECT{10, 10, 150, 30}));
    EXPECT_EQ(TextOf(link.hwnd()), L"Restore Settings");
    int clicks = 0;
    logic.Click = [&] { ++clicks; };

    ClickAt(link.hwnd(), 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(::GetCapture(), link.hwnd());

    // Pressed elsewhere, released on the link.
    ::SendMessageW(link.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(link.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(clicks, 1);

    // Keyboard: Space on the focused link.
    ::SetFocus(link.hwnd());
    ::SendMessageW(link.hwnd(), WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(clicks, 2);

    logic.SetCaption("Backup Settings");
    EXPECT_EQ(TextOf(link.hwnd()), L"Backup Settings");
    logic.SetEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(link.hwnd()));
    ClickAt(link.hwnd(), 5, 5);
    EXPECT_EQ(clicks, 2);
}

TEST(ControlWindows, RoundButtonsOfOneParentFormAGroup) {
    TestWindow host;
    std::vector<std::unique_ptr<RoundBtn>> logic;
    std::vector<std::unique_ptr<RoundBtnWindow>> windows;
    const wchar_t* captions[] = {L"Junk Files", L"Privacy", L"Startup", L"Processes", L"Options", L"About"};
    for (int i = 0; i < 6; ++i) {
        logic.push_back(std::make_unique<RoundBtn>());
        logic.back()->SetCaption(std::string(captions[i], captions[i] + wcslen(captions[i])));
        windows.push_back(std::make_unique<RoundBtnWindow>(*logic.back()));
        ASSERT_TRUE(windows.back()->Create(host.hwnd(), RECT{10 + i * 90, 10, 95 + i * 90, 36}));
    }
    // A round button on another parent is not in the group.
    TestWindow otherHost;
    RoundBtn stranger;
    RoundBtnWindow strangerWindow(stranger);
    ASSERT_TRUE(strangerWindow.Create(otherHost.hwnd(), RECT{10, 10, 90, 36}));
    stranger.SelectButton(true);

    EXPECT_EQ(TextOf(windows[3]->hwnd()), L"Processes");
    int clicks = 0;
    logic[2]->Click = [&] { ++clicks; };
    logic[0]->SelectButton(true);
    ClickAt(windows[2]->hwnd(), 10, 10);
    ClickAt(windows[2]->hwnd(), 10, 10);
    EXPECT_EQ(clicks, 2);
    int selected = 0;
    for (const auto& button : logic) selected += button->IsButtonSelected() ? 1 : 0;
    EXPECT_EQ(selected, 1);
    EXPECT_TRUE(logic[2]->IsButtonSelected());
    EXPECT_TRUE(stranger.IsButtonSelected());
}

TEST(ControlWindows, TabButtonSelectsItselfOnAClick) {
    TestWindow host;
    TabButton logic;
    logic.SetCaption("Startup Manager");
    TabButtonWindow button(logic);
    ASSERT_TRUE(button.Create(host.hwnd(), RECT{10, 10, 190, 42}));
    EXPECT_EQ(TextOf(button.hwnd()), L"Startup Manager");
    int clicks = 0;
    logic.Click = [&] { ++clicks; };
    ::SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(logic.Pressed());
    EXPECT_EQ(::GetCapture(), button.hwnd());
    ::SendMessageW(button.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(500, 5));  // released outside
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(logic.SelectButton());
    ClickAt(button.hwnd(), 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(logic.SelectButton());
}

TEST(ControlWindows, ProgressBarPaintsItsFill) {
    TestWindow host;
    ProgBar logic;
    ProgBarWindow bar(logic);
    ASSERT_TRUE(bar.Create(host.hwnd(), RECT{10, 10, 210, 30}));
    logic.SetBarBackColor(Rgb(255, 255, 255));
    logic.SetBarProgressColor(Rgb(255, 0, 0));
    logic.SetBarMax(3);
    auto pixelAt = [&](int x) {
        ::UpdateWindow(bar.hwnd());
        platform::WindowDc dc(bar.hwnd());
        return ::GetPixel(dc.get(), x, 10);
    };
    // min = max: nothing filled.
    logic.SetBarMin(3);
    EXPECT_EQ(pixelAt(100), RGB(255, 255, 255));
    logic.SetBarMin(0);
    for (int i = 0; i < 3; ++i) logic.SetBarValue(logic.BarValue() + 1);
    EXPECT_EQ(pixelAt(5), RGB(255, 0, 0));
    EXPECT_EQ(pixelAt(190), RGB(255, 0, 0));
    logic.SetBarValue(1);
    EXPECT_EQ(pixelAt(190), RGB(255, 255, 255));
}

}  // namespace
}  // namespace controls
