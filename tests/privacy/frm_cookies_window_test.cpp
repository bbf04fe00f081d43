// The cookies manager's real window under the X display.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <string>

#include "cash_fixture.h"
#include "platform/ui.h"
#include "platform/window_text.h"
#include "privacy/frm_cookies_window.h"
#include "support/modal_steps.h"
#include "support/scoped_theme.h"
#include "support/test_window.h"

using namespace privacy_testing;
using platform::WindowText;

namespace {

class FrmCookiesWindowTest : public UrlCacheTest {
protected:
    void SetUp() override {
        UrlCacheTest::SetUp();
        platform::InitCommonControls();
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
