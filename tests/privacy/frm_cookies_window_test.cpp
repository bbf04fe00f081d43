// The cookies manager's real window under the X display.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "cash_fixture.h"
#include "platform/ui.h"
#include "platform/url_cache.h"
#include "platform/utf.h"
#include "privacy/frm_cookies_window.h"
#include "support/test_window.h"

using privacy::FrmCookies;
using privacy::FrmCookiesWindow;
using testing_support::PumpMessages;
using testing_support::TestWindow;

namespace {

class FrmCookiesWindowTest : public privacy_testing::UrlCacheTest {
protected:
    void SetUp() override {
        UrlCacheTest::SetUp();
        platform::InitCommonControls();
        Add("Cookie:user@first.example/", platform::kNormalCacheEntry | platform::kCookieCacheEntry);
        Add("Cookie:user@second.example/", platform::kNormalCacheEntry | platform::kCookieCacheEntry);
        Add("http://first.example/Cookie.gif", platform::kNormalCacheEntry);
    }
};

RECT ClientRectIn(HWND control, HWND parent) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(FrmCookiesWindowTest, ButtonsAndLabelFollowTheListAndTheCache) {
    TestWindow owner;
    FrmCookies logic;
    FrmCookiesWindow window(logic);
    ASSERT_TRUE(window.Create(owner.hwnd()));
    PumpMessages(200);
    EXPECT_EQ(platform::WindowText(window.Window()), "Cookies Manager");
    EXPECT_EQ(::GetWindow(window.Window(), GW_OWNER), owner.hwnd());
    EXPECT_EQ(ListView_GetItemCount(window.List()), 2);
    EXPECT_EQ(platform::WindowText(window.Label()), "Cookies Number : 2");
    EXPECT_FALSE(::IsWindowEnabled(window.RemoveButton()));
    EXPECT_TRUE(::IsWindowEnabled(window.ClearButton()));
    EXPECT_EQ(::GetWindowLongW(window.CloseButton(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);

    // Left to right, inside the window, apart from each other and from the label.
    RECT client;
    ::GetClientRect(window.Window(), &client);
    const HWND buttons[] = {window.RefreshButton(), window.RemoveButton(), window.ClearButton(), window.CloseButton()};
    const char* captions[] = {"Refresh", "Remove", "Clear All", "Close"};
    RECT previous = {};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(platform::WindowText(buttons[i]), captions[i]);
        const RECT r = ClientRectIn(buttons[i], window.Window());
        EXPECT_GE(r.left, previous.right);
        EXPECT_LE(r.right, client.right);
        EXPECT_LE(r.bottom, client.bottom);
        EXPECT_GE(r.top, ClientRectIn(window.Label(), window.Window()).bottom);
        previous = r;
    }

    // Selecting a row (as a click does) enables Remove; Remove takes exactly that row.
    ListView_SetItemState(window.List(), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(::IsWindowEnabled(window.RemoveButton()));
    wchar_t text[256] = {};
    ListView_GetItemText(window.List(), 1, 0, text, 256);
    const std::string selected = platform::ToUtf8(text);
    ::SendMessageW(window.RemoveButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(privacy_testing::InCache(selected));
    EXPECT_EQ(ListView_GetItemCount(window.List()), 1);
    EXPECT_EQ(platform::WindowText(window.Label()), "Cookies Number : 1");
    EXPECT_FALSE(::IsWindowEnabled(window.RemoveButton()));

    // Refresh leaves Remove disabled even with a row selected.
    ListView_SetItemState(window.List(), 0, LVIS_SELECTED, LVIS_SELECTED);
    ::SendMessageW(window.RefreshButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowEnabled(window.RemoveButton()));

    ::SendMessageW(window.ClearButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(ListView_GetItemCount(window.List()), 0);
    EXPECT_FALSE(::IsWindowEnabled(window.ClearButton()));
    EXPECT_EQ(platform::WindowText(window.Label()), "Cookies Number : 0");
    EXPECT_TRUE(privacy_testing::InCache("http://first.example/Cookie.gif"));
}

// Presses a key in the open cookies manager from another thread; records
// whether the owner was disabled while it was open.
class KeyPresser {
public:
    KeyPresser(HWND owner, WPARAM key) {
        thread_ = std::thread([this, owner, key] {
            for (int i = 0; i < 300 && !found_; ++i) {
                ::Sleep(50);
                ::EnumThreadWindows(threadId_, FindManager, reinterpret_cast<LPARAM>(this));
                found_ = window_ != nullptr;
            }
            if (!found_) return;
            ::Sleep(300);
            ownerDisabled_ = !::IsWindowEnabled(owner);
            const HWND list = ::FindWindowExW(window_, nullptr, WC_LISTVIEWW, nullptr);
            ::PostMessageW(list, WM_KEYDOWN, key, 0);
            ::PostMessageW(list, WM_KEYUP, key, 0xC0000000);
            // Never hang the test if the key did nothing.
            for (int i = 0; i < 100 && ::IsWindow(window_); ++i) ::Sleep(50);
            if (::IsWindow(window_)) {
                keyIgnored_ = true;
                ::PostMessageW(window_, WM_CLOSE, 0, 0);
            }
        });
    }
    ~KeyPresser() { Join(); }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    bool found() const { return found_; }
    bool ownerDisabled() const { return ownerDisabled_; }
    bool keyIgnored() const { return keyIgnored_; }

private:
    static BOOL CALLBACK FindManager(HWND window, LPARAM self) {
        wchar_t name[64] = {};
        ::GetClassNameW(window, name, 64);
        if (std::wstring(name) != L"ClarimoCookiesManager" || !::IsWindowVisible(window)) return TRUE;
        reinterpret_cast<KeyPresser*>(self)->window_ = window;
        return FALSE;
    }

    DWORD threadId_ = ::GetCurrentThreadId();
    HWND window_ = nullptr;
    std::atomic<bool> found_{false};
    std::atomic<bool> ownerDisabled_{false};
    std::atomic<bool> keyIgnored_{false};
    std::thread thread_;
};

TEST_F(FrmCookiesWindowTest, ModalWindowClosesWithEnterAndWithEsc) {
    TestWindow owner;
    for (WPARAM key : {WPARAM{VK_ESCAPE}, WPARAM{VK_RETURN}}) {
        SCOPED_TRACE(key);
        bool found = false, disabled = false, ignored = false;
        {
            KeyPresser presser(owner.hwnd(), key);
            privacy::ShowCookiesManager(owner.hwnd());
            presser.Join();
            found = presser.found();
            disabled = presser.ownerDisabled();
            ignored = presser.keyIgnored();
        }
        EXPECT_TRUE(found);
        EXPECT_TRUE(disabled);
        EXPECT_FALSE(ignored);
        EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
    }
}

}  // namespace
