// The controls' real windows in a test window under the X display.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "controls/error_msg_window.h"
#include "controls/link_window.h"
#include "controls/page_panel.h"
#include "controls/prog_bar.h"
#include "controls/prog_bar_window.h"
#include "controls/round_btn_window.h"
#include "controls/tab_button_window.h"
#include "controls/tool_tip.h"
#include "platform/utf.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace controls {
namespace {

using testing_support::TestWindow;

TEST(ControlWindows, BalloonShowsItsMessageWithATipThatStaysWithItsWindow) {
    TestWindow host;
    ErrorMsg logic;
    ErrorMsgWindow balloon(logic);
    ASSERT_TRUE(balloon.Create(host.hwnd(), 10, 10));
    EXPECT_FALSE(::IsWindowVisible(balloon.hwnd()));
    logic.ShowInformation("Use Ctrl+Click to restart your computer.");
    EXPECT_TRUE(::IsWindowVisible(balloon.hwnd()));
    EXPECT_EQ(testing_support::WindowText(balloon.hwnd()), "Use Ctrl+Click to restart your computer.");
    logic.OnMouseMove(true);
    logic.OnShowTimer(true);
    ASSERT_NE(ToolTipWindow(), nullptr);
    EXPECT_EQ(ToolTipText(), "Use Ctrl+Click to restart your computer.");
    EXPECT_TRUE(::IsWindowVisible(ToolTipWindow()));
    // Above its own window only, never over other programs.
    EXPECT_FALSE(::GetWindowLongW(ToolTipWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(::GetWindow(ToolTipWindow(), GW_OWNER), host.hwnd());
    ::SendMessageW(balloon.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(ToolTipWindow(), nullptr);
    logic.HideMessage();
    EXPECT_FALSE(::IsWindowVisible(balloon.hwnd()));
}

// The clickable controls' windows: caption as window text and accessible
// name, their role, the press that a lost capture cancels, and the round
// buttons of one parent forming a group.
TEST(ControlWindows, ClickableControlsNameThemselvesAndCancelAPressWhenTheCaptureGoes) {
    platform::ComApartment com;
    TestWindow host;
    int clicks = 0;
    TabButton tab;
    TabButtonWindow tabWindow(tab);
    RoundBtn round;
    RoundBtnWindow roundWindow(round);
    Link link;
    LinkWindow linkWindow(link);
    TestWindow otherHost;
    RoundBtn peer, stranger;  // on the same parent, on another one
    RoundBtnWindow peerWindow(peer), strangerWindow(stranger);
    const RECT rect{10, 10, 190, 42};
    ASSERT_TRUE(tabWindow.Create(host.hwnd(), rect) && roundWindow.Create(host.hwnd(), rect) &&
                linkWindow.Create(host.hwnd(), rect) && peerWindow.Create(host.hwnd(), rect) &&
                strangerWindow.Create(otherHost.hwnd(), rect));
    peer.SelectButton(true);
    stranger.SelectButton(true);
    tab.SetCaption("Startup Manager");
    round.SetCaption("Privacy");
    link.SetCaption("Restore Settings");
    tab.Click = round.Click = link.Click = [&] { ++clicks; };
    const struct {
        HWND window;
        const char* caption;
        long role;
        std::function<bool()> pressed;
    } clickables[] = {
        {tabWindow.hwnd(), "Startup Manager", ROLE_SYSTEM_PAGETAB, [&] { return tab.Pressed(); }},
        {roundWindow.hwnd(), "Privacy", ROLE_SYSTEM_PUSHBUTTON, [&] { return round.Pressed(); }},
        {linkWindow.hwnd(), "Restore Settings", ROLE_SYSTEM_LINK, [&] { return link.PressRemembered(); }},
    };
    for (const auto& clickable : clickables) {
        SCOPED_TRACE(clickable.caption);
        const HWND window = clickable.window;
        EXPECT_EQ(testing_support::WindowText(window), clickable.caption);
        platform::ComPtr<IAccessible> accessible;
        ASSERT_EQ(::AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible,
                                               reinterpret_cast<void**>(accessible.put())),
                  S_OK);
        VARIANT self{}, role{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        ASSERT_EQ(accessible->get_accRole(self, &role), S_OK);
        EXPECT_EQ(role.lVal, clickable.role);
        BSTR name = nullptr;
        ASSERT_EQ(accessible->get_accName(self, &name), S_OK);
        EXPECT_EQ(platform::ToUtf8(name ? name : L""), clickable.caption);
        ::SysFreeString(name);

        // Pressed, then another window takes the mouse: the press is gone,
        // and the release that follows is no click.
        clicks = 0;
        ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_TRUE(clickable.pressed());
        ::SetCapture(host.hwnd());
        EXPECT_FALSE(clickable.pressed());
        ::ReleaseCapture();
        ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        testing_support::ClickAt(window, 5, 5);
        EXPECT_EQ(clicks, 1);  // the click after, not the release of the lost press
        EXPECT_NE(::GetCapture(), window);
    }
    EXPECT_TRUE(round.IsButtonSelected());
    EXPECT_FALSE(peer.IsButtonSelected());
    EXPECT_TRUE(stranger.IsButtonSelected());
}

TEST(ControlWindows, APageReFontsItsControlsAndLaysOutAgainWhenTheDpiChanges) {
    TestWindow host;
    PagePanel panel;
    ASSERT_TRUE(panel.Create(host.hwnd()));
    const HWND label = panel.AddControl(L"STATIC", "Theme Color:", 0, 1);
    const HWND bold = panel.AddControl(L"STATIC", "Windows Clean", 0, 2);
    ::SendMessageW(bold, WM_SETFONT, reinterpret_cast<WPARAM>(panel.BoldFont()), FALSE);
    // A list on an inner window (as on a dialog's tab page) in the page's font.
    const HWND inner = panel.AddControl(L"STATIC", "", 0, 3);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&classes);
    const HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 100, 100, inner, nullptr,
                                        nullptr, nullptr);
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(panel.Font()), FALSE);
    const auto fontOf = [](HWND control) { return reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)); };
    const HFONT before = fontOf(label);
    int layouts = 0;
    panel.onLayout = [&](int, int) { ++layouts; };
    ::SendMessageW(panel.hwnd(), 0x02E3 /* WM_DPICHANGED_AFTERPARENT */, 0, 0);
    EXPECT_EQ(layouts, 1);
    // New fonts at the new DPI: the old ones are gone, no control keeps one.
    EXPECT_EQ(fontOf(label), panel.Font());
    EXPECT_NE(fontOf(label), before);
    EXPECT_EQ(fontOf(bold), panel.BoldFont());
    EXPECT_EQ(fontOf(list), panel.Font());
}

TEST(ProgBar, FillBlocksAndTextFollowTheValueWithinTheRangeAndArePainted) {
    const struct {
        int min, max, value, width, filled;
    } cases[] = {
        {0, 3, 2, 300, 200},
        {5, 5, 5, 200, 0},      // min = max: nothing filled
        {5, 10, 0, 200, 0},     // below the range
        {5, 10, 50, 200, 200},  // beyond it: full, never more
    };
    for (const auto& c : cases) {
        ProgBar bar;
        bar.SetBarMin(c.min);
        bar.SetBarMax(c.max);
        bar.SetBarValue(c.value);
        EXPECT_EQ(bar.Drawing().FilledWidth(c.width), c.filled) << c.min << ".." << c.max << ": " << c.value;
    }
    cProgressBar d;
    d.Value = 45;
    EXPECT_EQ(d.Blocks(100, 8, 2).back().right, 45);  // the last block is cut at the filled edge
    d.Text.assign(1, 'x');                            // (assigning a literal trips a false GCC 12 warning)
    EXPECT_EQ(d.DisplayText(), "");
    d.ShowText = true;
    EXPECT_EQ(d.DisplayText(), " x ");

    TestWindow host;
    ProgBar logic;  // and its window paints the fill
    ProgBarWindow bar(logic);
    ASSERT_TRUE(bar.Create(host.hwnd(), RECT{10, 10, 210, 30}));
    logic.SetBarBackColor(Rgb(255, 255, 255));
    logic.SetBarProgressColor(Rgb(255, 0, 0));
    logic.SetBarMax(3);
    logic.SetBarValue(1);
    ::UpdateWindow(bar.hwnd());
    platform::WindowDc dc(bar.hwnd());
    EXPECT_EQ(::GetPixel(dc.get(), 5, 10), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(dc.get(), 190, 10), RGB(255, 255, 255));
}

}  // namespace
}  // namespace controls
