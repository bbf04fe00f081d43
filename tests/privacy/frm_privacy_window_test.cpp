// The privacy page's window hosted as the main window hosts it: its panel in
// a page area, its command buttons in a separate strip that forwards their
// clicks; and the cookies manager. Needs the X display.
#include "privacy/frm_privacy_window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

#include "platform/utf.h"
#include "platform/window_text.h"
#include "privacy/frm_cookies_window.h"
#include "privacy/frm_privacy_prog_window.h"
#include "privacy/privacy_page_fixture.h"
#include "support/modal_steps.h"
#include "support/scoped_theme.h"
#include "support/scripted_prompts.h"
#include "support/test_window.h"
#include "support/window_colours.h"
#include "support/window_probes.h"

namespace {

using platform::WindowText;
using privacy::FrmPrivacyWindow;
using namespace privacy_testing;

FrmPrivacyWindow* g_page = nullptr;

LRESULT CALLBACK StripProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && g_page && g_page->HandleButtonCommand(reinterpret_cast<HWND>(lParam))) return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// A button strip as the main window's: it hands its buttons' clicks to the page.
HWND MakeStrip(HWND parent) {
    WNDCLASSW stripClass = {};
    stripClass.lpfnWndProc = StripProc;
    stripClass.hInstance = ::GetModuleHandleW(nullptr);
    stripClass.lpszClassName = L"ClarimoPrivacyTestStrip";
    ::RegisterClassW(&stripClass);
    return ::CreateWindowExW(WS_EX_CONTROLPARENT, L"ClarimoPrivacyTestStrip", L"", WS_CHILD | WS_VISIBLE, 0, 336, 200,
                             28, parent, nullptr, nullptr, nullptr);
}

// Whether control lies wholly inside the page's visible item area.
bool InView(FrmPrivacyWindow& page, HWND control) {
    RECT view, r;
    ::GetWindowRect(::GetParent(page.ItemPanel()), &view);
    ::GetWindowRect(control, &r);
    return r.top >= view.top && r.bottom <= view.bottom;
}

TEST(FrmPrivacyWindow, MenuScrollsToGroupsAndCleanShowsThePleaseWaitWindowThenTheNewState) {
    ProgramTraces traces;
    privacy_testing::BrowserProfiles browsers;
    traces.AddProgram(15);
    testing_support::ScriptedPrompts prompts;
    const testing_support::TestWindow top(480, 370);
    const HWND strip = MakeStrip(top.hwnd());
    FrmPrivacyWindow page(prompts);
    g_page = &page;
    // A page area of 480 x 330 with the strip under it.
    ASSERT_TRUE(page.Create(::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 480,
                                              330, top.hwnd(), nullptr, nullptr, nullptr),
                            strip));
    ::SetWindowPos(page.Panel(), nullptr, 0, 0, 480, 330, SWP_NOZORDER | SWP_SHOWWINDOW);
    testing_support::PumpMessages(50);
    const HWND clean = page.CommandButtons()[0];
    EXPECT_EQ(::GetParent(clean), strip);
    EXPECT_FALSE(::IsWindowEnabled(clean));
    EXPECT_EQ(WindowText(::GetDlgItem(page.ItemPanel(), FrmPrivacyWindow::kGroupFirst + 3)), "Modern Browsers");
    EXPECT_FALSE(::IsWindowEnabled(page.CheckBox(privacy::kChromeItem)));
    EXPECT_TRUE(InView(page, page.CheckBox(0)));
    EXPECT_FALSE(InView(page, page.CheckBox(19)));

    // A right click on a box offers the menu; Select Programs scrolls to its group.
    page.trackMenu = [&](HMENU menu, POINT) -> UINT {
        EXPECT_EQ(::GetMenuItemCount(menu), 8);
        EXPECT_TRUE(::GetMenuState(menu, FrmPrivacyWindow::kMenuDeselectAll, MF_BYCOMMAND) & MF_GRAYED);
        return FrmPrivacyWindow::kMenuPrograms;
    };
    ::SendMessageW(page.CheckBox(3), WM_RBUTTONUP, 0, 0);
    EXPECT_TRUE(InView(page, ::GetDlgItem(page.ItemPanel(), FrmPrivacyWindow::kGroupFirst + 2)));
    EXPECT_FALSE(InView(page, page.CheckBox(0)));
    EXPECT_TRUE(::IsWindowEnabled(clean));
    // The focused box scrolls into view; Shift+F10 opens the menu.
    ::SetFocus(page.CheckBox(1));
    EXPECT_TRUE(InView(page, page.CheckBox(1)));
    page.trackMenu = nullptr;
    EXPECT_EQ(testing_support::KeyboardMenuTexts(page.CheckBox(1), true).size(), 8u);

    // A theme change recolours the boxes.
    const testing_support::ScopedTheme gray(3);
    EXPECT_EQ(testing_support::ColoursOfStatic(page.ItemPanel(), page.CheckBox(1)).text, gray.text());

    ::SendMessageW(page.CheckBox(15), BM_CLICK, 0, 0);  // unchecks what Select Programs checked
    EXPECT_EQ(page.Logic().CheckedCount(), 0);
    ::SendMessageW(page.CheckBox(15), BM_CLICK, 0, 0);
    // The please-wait window shows, modal, while the clean waits for its timer.
    bool ownerDisabled = false;
    const auto progress = [] { return ::FindWindowW(privacy::FrmPrivacyProgWindow::kClassName, nullptr); };
    const testing_support::ModalSteps steps({[&] {
                                                ownerDisabled = !::IsWindowEnabled(top.hwnd());
                                                return progress() && ::IsWindowVisible(progress());
                                            }},
                                            [] { return HWND{}; });
    ::SendMessageW(clean, BM_CLICK, 0, 0);
    EXPECT_TRUE(steps.Finished());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_EQ(progress(), nullptr);
    EXPECT_TRUE(::IsWindowEnabled(top.hwnd()));
    EXPECT_FALSE(::IsWindowEnabled(page.CheckBox(15)));
    EXPECT_EQ(WindowText(page.CheckBox(15)), "Win Rar  (No Recent)");
    g_page = nullptr;
}

// The cookies manager's real window.
class FrmCookiesWindowTest : public UrlCacheTest {
protected:
    void SetUp() override {
        UrlCacheTest::SetUp();
        FillCache();
    }
    testing_support::TestWindow owner_;
};

TEST_F(FrmCookiesWindowTest, ButtonsAndLabelFollowTheListAndTheCache) {
    testing_support::ScopedTheme green(1);  // the window opens in the theme in use
    privacy::FrmCookies logic;
    privacy::FrmCookiesWindow window(logic);
    ASSERT_TRUE(window.Create(owner_.hwnd()));
    EXPECT_EQ(WindowText(window.Window()), "Cookies Manager");
    EXPECT_EQ(::GetWindow(window.Window(), GW_OWNER), owner_.hwnd());
    EXPECT_EQ(ListView_GetItemCount(window.List()), 2);
    EXPECT_EQ(WindowText(window.Label()), "Cookies Number : 2");
    EXPECT_EQ(ListView_GetTextColor(window.List()), green.text());
    EXPECT_FALSE(::IsWindowEnabled(window.RemoveButton()));
    EXPECT_TRUE(::IsWindowEnabled(window.ClearButton()));
    EXPECT_EQ(::GetWindowLongW(window.CloseButton(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

    // A selected row enables Remove, which takes exactly that entry.
    ListView_SetItemState(window.List(), 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(::IsWindowEnabled(window.RemoveButton()));
    const std::string selected = logic.Rows()[1];
    ::SendMessageW(window.RemoveButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(InCache(selected));
    EXPECT_EQ(ListView_GetItemCount(window.List()), 1);
    EXPECT_EQ(WindowText(window.Label()), "Cookies Number : 1");
    EXPECT_FALSE(::IsWindowEnabled(window.RemoveButton()));

    // Refresh leaves Remove disabled even with a row selected.
    ListView_SetItemState(window.List(), 0, LVIS_SELECTED, LVIS_SELECTED);
    ::SendMessageW(window.RefreshButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowEnabled(window.RemoveButton()));

    ::SendMessageW(window.ClearButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(ListView_GetItemCount(window.List()), 0);
    EXPECT_FALSE(::IsWindowEnabled(window.ClearButton()));
    EXPECT_EQ(WindowText(window.Label()), "Cookies Number : 0");
    EXPECT_EQ(AllCacheUrls().size(), 2u);  // the image and the page stay
}

TEST_F(FrmCookiesWindowTest, ModalWindowClosesWithEnterAndWithEsc) {
    const auto manager = [] { return testing_support::FindThreadWindow("Cookies Manager"); };
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        bool ownerDisabled = false, forced = false;
        const testing_support::ModalSteps steps({[&] {
                                                     if (!manager()) return false;
                                                     ownerDisabled = !::IsWindowEnabled(owner_.hwnd());
                                                     const HWND list =
                                                         ::FindWindowExW(manager(), nullptr, WC_LISTVIEWW, nullptr);
                                                     ::PostMessageW(list, WM_KEYDOWN, key, 0);
                                                     return true;
                                                 },
                                                 [] { return false; }},  // closed by the key, before this ends
                                                [&] {
                                                    forced = true;  // never hang the test
                                                    return manager();
                                                });
        privacy::ShowCookiesManager(owner_.hwnd());
        EXPECT_TRUE(ownerDisabled) << key;
        EXPECT_FALSE(forced) << key;
        EXPECT_TRUE(::IsWindowEnabled(owner_.hwnd()));
    }
}

}  // namespace
