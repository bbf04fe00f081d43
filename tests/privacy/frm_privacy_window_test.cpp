// The privacy page's window hosted as the main window hosts it: its panel in
// a page area, its command buttons in a separate strip that forwards their
// clicks. Needs the X display.
#include "privacy/frm_privacy_window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

#include "platform/gdi.h"
#include "platform/utf.h"
#include "platform/window_text.h"
#include "privacy/frm_privacy_prog_window.h"
#include "privacy/privacy_page_fixture.h"
#include "support/scoped_theme.h"
#include "support/scripted_prompts.h"
#include "support/test_window.h"
#include "support/window_colours.h"
#include "support/window_probes.h"

namespace {

using privacy::FrmPrivacyWindow;
using privacy_testing::ProgramTraces;
using testing_support::PumpMessages;

FrmPrivacyWindow* g_page = nullptr;

LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && g_page && g_page->HandleButtonCommand(reinterpret_cast<HWND>(lParam))) return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// A page area of width x height and a button strip under it.
class PageHost {
public:
    PageHost(int width, int height) : window_(width, height + 40) {
        WNDCLASSW stripClass = {};
        stripClass.lpfnWndProc = StripProc;
        stripClass.hInstance = ::GetModuleHandleW(nullptr);
        stripClass.lpszClassName = L"ClarimoPrivacyTestStrip";
        stripClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        ::RegisterClassW(&stripClass);
        area_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                  width, height, window_.hwnd(), nullptr, nullptr, nullptr);
        strip_ = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"ClarimoPrivacyTestStrip", L"", WS_CHILD | WS_VISIBLE, 0,
                                   height + 6, 200, 28, window_.hwnd(), nullptr, nullptr, nullptr);
        page_ = std::make_unique<FrmPrivacyWindow>(prompts_);
        g_page = page_.get();
        ok_ = page_->Create(area_, strip_);
        ::SetWindowPos(page_->Panel(), nullptr, 0, 0, width, height, SWP_NOZORDER);
        ::ShowWindow(page_->Panel(), SW_SHOW);
        PumpMessages(50);
    }
    ~PageHost() {
        page_.reset();
        g_page = nullptr;
    }
    bool ok() const { return ok_; }
    FrmPrivacyWindow& page() { return *page_; }
    HWND strip() const { return strip_; }
    HWND top() const { return window_.hwnd(); }

private:
    testing_support::ScriptedPrompts prompts_;
    testing_support::TestWindow window_;
    HWND area_ = nullptr;
    HWND strip_ = nullptr;
    std::unique_ptr<FrmPrivacyWindow> page_;
    bool ok_ = false;
};

RECT ScreenRect(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    return r;
}

// Whether control lies wholly inside the page's visible item area.
bool InView(FrmPrivacyWindow& page, HWND control) {
    const RECT view = ScreenRect(::GetParent(page.ItemPanel()));
    const RECT r = ScreenRect(control);
    return r.top >= view.top && r.bottom <= view.bottom && r.left >= view.left && r.right <= view.right;
}

std::string MenuText(HMENU menu, UINT id) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, id, text, 64, MF_BYCOMMAND);
    return platform::ToUtf8(text);
}

TEST(FrmPrivacyWindow, SmallestPanelShowsWholeCaptionsAndScrollsToEachGroup) {
    ProgramTraces traces;
    PageHost host(480, 330);
    ASSERT_TRUE(host.ok());
    FrmPrivacyWindow& page = host.page();
    const HWND clean = page.CommandButtons()[0];
    EXPECT_EQ(::GetParent(clean), host.strip());
    EXPECT_FALSE(::IsWindowEnabled(clean));

    // Every caption fits its box, every box the visible width.
    platform::WindowDc dc(page.ItemPanel());
    const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(page.CheckBox(0), WM_GETFONT, 0, 0));
    const RECT view = ScreenRect(::GetParent(page.ItemPanel()));
    for (int i = 0; i < privacy::kItemCount; ++i) {
        std::string shown = platform::WindowText(page.CheckBox(i));
        if (const size_t at = shown.find("&&"); at != std::string::npos) shown.erase(at, 1);
        const RECT r = ScreenRect(page.CheckBox(i));
        EXPECT_LE(platform::MeasureText(dc.get(), font, shown).cx + 18, r.right - r.left) << shown;
        EXPECT_TRUE(r.left >= view.left && r.right <= view.right) << shown;
    }
    EXPECT_TRUE(InView(page, page.CheckBox(0)));
    EXPECT_FALSE(InView(page, page.CheckBox(19)));

    // A right click on a box offers the menu; Select Programs scrolls to its group.
    std::string seen;
    page.trackMenu = [&](HMENU menu, POINT) -> UINT {
        for (UINT id : {FrmPrivacyWindow::kMenuSelectAll, FrmPrivacyWindow::kMenuDeselectAll,
                        FrmPrivacyWindow::kMenuPrograms, FrmPrivacyWindow::kMenuRefresh})
            seen += MenuText(menu, id) + ((::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) ? "-|" : "|");
        EXPECT_EQ(::GetMenuItemCount(menu), 8);
        return FrmPrivacyWindow::kMenuPrograms;
    };
    ::SendMessageW(page.CheckBox(3), WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(seen, "&Select All|&Deselect All-|Select Programs|Refresh|");
    EXPECT_TRUE(InView(page, ::GetDlgItem(page.ItemPanel(), FrmPrivacyWindow::kGroupFirst + 2)));
    EXPECT_TRUE(InView(page, page.CheckBox(12)));
    EXPECT_FALSE(InView(page, page.CheckBox(0)));
    page.trackMenu = [](HMENU, POINT) -> UINT { return FrmPrivacyWindow::kMenuWindows; };
    ::SendMessageW(page.ItemPanel(), WM_RBUTTONUP, 0, 0);
    EXPECT_TRUE(InView(page, page.CheckBox(0)));
    EXPECT_TRUE(::IsWindowEnabled(clean));

    // Refresh (F5 in the main window) detects again; the keyboard reaches the
    // last box, which scrolls into view.
    traces.AddProgram(19);
    page.Mnu_Pop_Refresh_Click();
    ASSERT_TRUE(::IsWindowEnabled(page.CheckBox(19)));
    HWND control = page.CheckBox(0);
    for (int steps = 0; control != page.CheckBox(19) && steps < 40; ++steps) {
        control = ::GetNextDlgTabItem(host.top(), control, FALSE);
        EXPECT_TRUE(::IsWindowEnabled(control)) << platform::WindowText(control);
    }
    ASSERT_EQ(control, page.CheckBox(19));
    ::SetFocus(page.CheckBox(19));
    EXPECT_TRUE(InView(page, page.CheckBox(19)));

    // Shift+F10 and the Apps key open the menu under the focused box.
    std::vector<POINT> keyed;
    page.trackMenu = [&](HMENU, POINT at) -> UINT {
        keyed.push_back(at);
        return 0;
    };
    ::SetForegroundWindow(host.top());
    ::SetFocus(page.CheckBox(1));
    testing_support::PressKeys({VK_SHIFT, VK_F10});
    ASSERT_TRUE(testing_support::PumpUntil([&] { return keyed.size() == 1; }, 3000));
    testing_support::PressKeys({VK_APPS});
    ASSERT_TRUE(testing_support::PumpUntil([&] { return keyed.size() == 2; }, 3000));
    for (const POINT& at : keyed) EXPECT_EQ(at.y, ScreenRect(page.CheckBox(1)).bottom);

    // A theme change recolours the boxes and their panel.
    testing_support::ScopedTheme gray(3);
    const auto colours = testing_support::ColoursOfStatic(page.ItemPanel(), page.CheckBox(1));
    EXPECT_EQ(colours.text, gray.text());
    EXPECT_EQ(colours.back, gray.back());
}

int g_progressSeen = 0;
bool g_ownerDisabled = false;

void CALLBACK WatchProgress(HWND, UINT, UINT_PTR, DWORD) {
    const HWND progress = ::FindWindowW(privacy::FrmPrivacyProgWindow::kClassName, nullptr);
    if (progress && ::IsWindowVisible(progress)) {
        ++g_progressSeen;
        g_ownerDisabled = !::IsWindowEnabled(::GetWindow(progress, GW_OWNER));
    }
}

TEST(FrmPrivacyWindow, CleanShowsThePleaseWaitWindowAndThenTheNewState) {
    ProgramTraces traces;
    traces.AddProgram(15);
    PageHost host(560, 420);
    ASSERT_TRUE(host.ok());
    FrmPrivacyWindow& page = host.page();
    ASSERT_TRUE(::IsWindowEnabled(page.CheckBox(15)));
    EXPECT_EQ(platform::WindowText(page.CheckBox(15)), "Win Rar");

    // The temporary folder's tool tip is on its box.
    wchar_t tip[256] = {};
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = page.ItemPanel();
    tool.uId = reinterpret_cast<UINT_PTR>(page.CheckBox(0));
    tool.lpszText = tip;
    ::SendMessageW(page.ToolTips(), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(platform::ToUtf8(tip).rfind("Temp Folder Size : ", 0), 0u) << platform::ToUtf8(tip);

    ::SendMessageW(page.CheckBox(15), BM_CLICK, 0, 0);
    EXPECT_EQ(page.Logic().CheckedCount(), 1);
    ASSERT_TRUE(::IsWindowEnabled(page.CommandButtons()[0]));

    g_progressSeen = 0;
    const UINT_PTR watch = ::SetTimer(nullptr, 0, 50, WatchProgress);
    ::SendMessageW(page.CommandButtons()[0], BM_CLICK, 0, 0);
    ::KillTimer(nullptr, watch);
    EXPECT_GT(g_progressSeen, 1);
    EXPECT_TRUE(g_ownerDisabled);
    EXPECT_EQ(::FindWindowW(privacy::FrmPrivacyProgWindow::kClassName, nullptr), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(host.top()));

    EXPECT_FALSE(ProgramTraces::KeyExists("Software\\WinRAR\\ArcHistory"));
    EXPECT_FALSE(::IsWindowEnabled(page.CheckBox(15)));
    EXPECT_EQ(::SendMessageW(page.CheckBox(15), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(platform::WindowText(page.CheckBox(15)), "Win Rar  (No Recent)");
    EXPECT_TRUE(::IsWindowEnabled(page.CommandButtons()[0]));
}

}  // namespace
