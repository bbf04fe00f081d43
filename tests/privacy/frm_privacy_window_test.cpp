// The privacy page's window hosted as the main window hosts it (its panel in a page area, its command
// buttons in a separate strip), and the cookies manager. Needs the X display.
#include "privacy/frm_privacy_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

#include "platform/window_text.h"
#include "privacy/frm_cookies_window.h"
#include "privacy/frm_privacy_prog_window.h"
#include "privacy/privacy_page_fixture.h"
#include "support/modal_steps.h"
#include "support/scripted_prompts.h"
#include "support/test_window.h"

namespace {

using platform::WindowText;
using privacy::FrmPrivacyWindow;
using namespace privacy_testing;

TEST(FrmPrivacyWindow, MenuChecksItemsAndCleanShowsThePleaseWaitWindowThenTheNewState) {
    ProgramTraces traces;
    BrowserProfiles browsers;
    traces.AddProgram(15);
    testing_support::ScriptedPrompts prompts;
    const testing_support::TestWindow top(480, 370);
    const auto child = [&](int y, int height) {
        return ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, y, 480, height,
                                 top.hwnd(), nullptr, nullptr, nullptr);
    };
    FrmPrivacyWindow page(prompts);
    // A page area of 480 x 330 with the button strip under it.
    ASSERT_TRUE(page.Create(child(0, 330), child(336, 28)));
    ::SetWindowPos(page.Panel(), nullptr, 0, 0, 480, 330, SWP_NOZORDER | SWP_SHOWWINDOW);
    testing_support::PumpMessages(50);
    const HWND clean = page.CommandButtons()[0];
    EXPECT_FALSE(::IsWindowEnabled(clean));
    EXPECT_EQ(WindowText(::GetDlgItem(page.ItemPanel(), FrmPrivacyWindow::kGroupFirst + 3)), "Modern Browsers");
    EXPECT_FALSE(::IsWindowEnabled(page.CheckBox(privacy::kChromeItem)));

    // A right click on a box offers the menu; Select Programs checks the one program found.
    page.trackMenu = [](HMENU, POINT) -> UINT { return FrmPrivacyWindow::kMenuPrograms; };
    ::SendMessageW(page.CheckBox(3), WM_RBUTTONUP, 0, 0);
    EXPECT_TRUE(::IsWindowEnabled(clean));
    page.trackMenu = nullptr;
    EXPECT_EQ(testing_support::KeyboardMenuTexts(page.CheckBox(1), true).size(), 8u);  // Shift+F10

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
    EXPECT_TRUE(page.HandleButtonCommand(clean));  // as the main window's strip forwards it
    EXPECT_TRUE(steps.Finished() && ownerDisabled);
    EXPECT_TRUE(!progress() && ::IsWindowEnabled(top.hwnd()));  // gone, the owner enabled again
    EXPECT_FALSE(::IsWindowEnabled(page.CheckBox(15)));
    EXPECT_EQ(WindowText(page.CheckBox(15)), "Win Rar  (No Recent)");
}

class FrmCookiesWindowTest : public UrlCacheTest {
protected:
    testing_support::TestWindow owner_;
};

TEST_F(FrmCookiesWindowTest, ButtonsAndLabelFollowTheListAndTheCache) {
    FillCache();
    privacy::FrmCookies logic;
    privacy::FrmCookiesWindow window(logic);
    ASSERT_TRUE(window.Create(owner_.hwnd()));
    EXPECT_EQ(ListView_GetItemCount(window.List()), 2);
    EXPECT_EQ(WindowText(window.Label()), "Cookies Number : 2");
    EXPECT_FALSE(::IsWindowEnabled(window.RemoveButton()));

    // A selected row enables Remove, which takes exactly that entry.
    ListView_SetItemState(window.List(), 1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(::IsWindowEnabled(window.RemoveButton()));
    const std::string kept = logic.Rows()[0];
    ::SendMessageW(window.RemoveButton(), BM_CLICK, 0, 0);
    EXPECT_THAT(AllCacheUrls(), testing::UnorderedElementsAre(kept, kCookieImage, kPage));
    EXPECT_EQ(WindowText(window.Label()), "Cookies Number : 1");
    EXPECT_FALSE(::IsWindowEnabled(window.RemoveButton()));

    // Refresh leaves Remove disabled even with a row selected.
    ListView_SetItemState(window.List(), 0, LVIS_SELECTED, LVIS_SELECTED);
    ::SendMessageW(window.RefreshButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowEnabled(window.RemoveButton()));

    ::SendMessageW(window.ClearButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowEnabled(window.ClearButton()));
    EXPECT_EQ(WindowText(window.Label()), "Cookies Number : 0");
    EXPECT_THAT(AllCacheUrls(), testing::UnorderedElementsAre(kCookieImage, kPage));
}

TEST_F(FrmCookiesWindowTest, ModalWindowClosesWithEnterAndWithEsc) {
    const auto manager = [] { return testing_support::FindThreadWindow("Cookies Manager"); };
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        bool ownerDisabled = false, forced = false;
        const auto pressKey = [&] {
            if (!manager()) return false;
            ownerDisabled = !::IsWindowEnabled(owner_.hwnd());
            ::PostMessageW(::FindWindowExW(manager(), nullptr, WC_LISTVIEWW, nullptr), WM_KEYDOWN, key, 0);
            return true;
        };
        // The key closes the window before the second step ends; the fallback never hangs the test.
        const testing_support::ModalSteps steps({pressKey, [] { return false; }}, [&] {
            forced = true;
            return manager();
        });
        privacy::ShowCookiesManager(owner_.hwnd());
        EXPECT_TRUE(ownerDisabled) << key;
        EXPECT_FALSE(forced) << key;
        EXPECT_TRUE(::IsWindowEnabled(owner_.hwnd()));
    }
}

}  // namespace
