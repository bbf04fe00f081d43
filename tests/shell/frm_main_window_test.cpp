// The main window on screen (needs the X display).
#include "shell/frm_main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "platform/dpi.h"
#include "platform/handles.h"
#include "platform/message_pump.h"
#include "platform/window_text.h"
#include "support/temp_folder.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace {

using namespace std::chrono_literals;

// Runs the message loop's work until done() or the limit; false on timeout.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    return testing_support::PumpUntil(done, static_cast<int>(limit.count()), platform::TranslateDialogKeys);
}

using testing_support::PressKeys;

class FrmMainWindowTest : public testing::Test {
protected:
    void SetUp() override { core::SetSettingsPaths(folder_.path()); }
    void TearDown() override { ::SetErrorMode(errorMode_); }

    const UINT errorMode_ = ::GetErrorMode();
    testing_support::TempFolder folder_;
};

void PumpKeys(std::initializer_list<WORD> keys, shell::FrmMain& form) {
    // F5 after the keys: once the form has seen it, the keys before it have
    // been handled too.
    form.KeyHistory.clear();
    PressKeys(keys);
    PressKeys({VK_F5});
    ASSERT_TRUE(PumpUntil([&] { return form.KeyHistory.ends_with("116"); }, 5s));
}

// The main window is not a dialog: Enter and Esc stay with the control that
// has the focus, wherever it is; Ctrl+Tab switches pages; activation gives
// the focus back; only Close (Alt+C) ends the program.
TEST_F(FrmMainWindowTest, KeysNeverEndTheProgramExceptClose) {
    int ended = 0;
    shell::FrmMain form([&] { ++ended; });
    form.pause = [](double) {};
    shell::FrmMainWindow window(form);
    ASSERT_TRUE(window.Show());
    const HWND handle = window.Handle();
    EXPECT_EQ(platform::WindowText(handle), "Clarimo 2.1");
    EXPECT_EQ(platform::WindowText(window.CloseButton()), "Close");
    ::SetForegroundWindow(handle);
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == handle; }, 5s));

    // On every page: Close, the page's tab, the page's first control, and on
    // the options page the move-folder box.
    for (int page = 0; page < shell::kPageCount; ++page) {
        if (page > 0) {
            PressKeys({VK_CONTROL, VK_TAB});
            ASSERT_TRUE(PumpUntil([&] { return form.CurrentPage == page; }, 5s));
        }
        const HWND area = window.PageArea(static_cast<shell::Page>(page));
        std::vector<HWND> focuses{window.CloseButton(), window.TabButton(static_cast<shell::Page>(page)),
                                  ::GetNextDlgTabItem(area, nullptr, FALSE)};
        if (page == static_cast<int>(shell::Page::Options))
            focuses.push_back(testing_support::FindDescendant(area, L"Edit", ""));  // empty: no folder stored
        for (HWND focus : focuses) {
            ASSERT_NE(focus, nullptr) << "page " << page;
            ::SetFocus(focus);
            PumpKeys({VK_ESCAPE}, form);
            PumpKeys({VK_RETURN}, form);
            EXPECT_EQ(ended, 0) << "page " << page << ": " << platform::WindowText(focus);
        }
    }
    PressKeys({VK_CONTROL, VK_TAB});  // from the last page round to the first
    ASSERT_TRUE(PumpUntil([&] { return form.CurrentPage == 0; }, 5s));

    // The information sequence, Enter included, can be typed.
    form.KeyHistory.clear();
    for (char key : std::string("CLARIMOPROJECT")) PressKeys({static_cast<WORD>(key)});
    PressKeys({VK_RETURN});
    PressKeys({VK_F5});
    EXPECT_TRUE(PumpUntil([&] { return form.SequenceShown; }, 5s));

    PressKeys({VK_CONTROL, VK_TAB});
    EXPECT_TRUE(PumpUntil([&] { return form.CurrentPage == 1; }, 5s));
    PressKeys({VK_CONTROL, VK_SHIFT, VK_TAB});
    EXPECT_TRUE(PumpUntil([&] { return form.CurrentPage == 0; }, 5s));

    // Another window comes to the front and goes: the focus comes back.
    const HWND tab = window.TabButton(shell::Page::Startup);
    ::SetFocus(tab);
    {
        testing_support::TestWindow other;
        ::SetForegroundWindow(other.hwnd());
        ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == other.hwnd(); }, 5s));
    }
    ::SetForegroundWindow(handle);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == tab; }, 5s));
    EXPECT_EQ(ended, 0);

    PressKeys({VK_MENU, 'C'});
    EXPECT_TRUE(PumpUntil([&] { return ended > 0; }, 5s));
    EXPECT_EQ(window.Handle(), nullptr);  // the window went with the shut-down
}

}  // namespace

TEST_F(FrmMainWindowTest, TabClicksSwitchPageAreasAndTheirCommandButtons) {
    shell::FrmMain form([] {});
    shell::FrmMainWindow window(form);
    ASSERT_TRUE(window.Show());
    EXPECT_TRUE(::IsWindowVisible(window.PageArea(shell::Page::Junk)));
    // Each tool page sits in its area; the strip shows the command buttons
    // of the page shown, left to right.
    for (int page = 0; page < 6; ++page)
        EXPECT_NE(::GetWindow(window.PageArea(shell::PageAt(page)), GW_CHILD), nullptr) << page;
    const auto shownButtons = [&] {
        std::vector<std::pair<LONG, std::string>> shown;
        for (HWND b = ::GetWindow(window.ButtonStrip(), GW_CHILD); b; b = ::GetWindow(b, GW_HWNDNEXT)) {
            if (!::IsWindowVisible(b)) continue;
            RECT place{};
            ::GetWindowRect(b, &place);
            shown.emplace_back(place.left, platform::WindowText(b));
        }
        std::sort(shown.begin(), shown.end());
        std::vector<std::string> captions;
        for (const auto& button : shown) captions.push_back(button.second);
        return captions;
    };
    using Captions = std::vector<std::string>;
    EXPECT_EQ(shownButtons(), (Captions{"Scan", "Clean"}));
    for (int page : {5, 4, 3, 2}) {
        SCOPED_TRACE(page);
        const HWND tab = window.TabButton(shell::PageAt(page));
        ASSERT_NE(tab, nullptr);
        testing_support::ClickAt(tab, 5, 5);
        EXPECT_EQ(form.CurrentPage, page);
        for (int other = 0; other < 6; ++other)
            EXPECT_EQ(::IsWindowVisible(window.PageArea(shell::PageAt(other))) != FALSE, other == page) << other;
        EXPECT_EQ(shownButtons(), page == 2 ? (Captions{"Apply", "Tools"}) : Captions{});
        // The page's panel shows with its area (the options page once its
        // load timer has filled it).
        const HWND panel = ::GetWindow(window.PageArea(shell::PageAt(page)), GW_CHILD);
        EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(panel) != FALSE; }, 3s));
    }

    // The result strip shows the tally and its timer hides it.
    form.ShowResult();
    EXPECT_TRUE(platform::WindowText(window.ResultStrip()).ends_with(", Files : 0"));
    EXPECT_TRUE(::IsWindowVisible(window.ResultStrip()));
    form.TmResult_Timer();
    EXPECT_FALSE(::IsWindowVisible(window.ResultStrip()));

    // The privacy page's restart note and balloon go with their page.
    EXPECT_FALSE(::IsWindowVisible(window.PrivacyNote()));
    testing_support::ClickAt(window.TabButton(shell::Page::Privacy), 5, 5);
    EXPECT_TRUE(::IsWindowVisible(window.PrivacyNote()));
    EXPECT_EQ(shownButtons(), (Captions{"Clean", "Tools"}));
    EXPECT_TRUE(window.PrivacyTip().Shown());
    testing_support::ClickAt(window.TabButton(shell::Page::Startup), 5, 5);
    EXPECT_FALSE(::IsWindowVisible(window.PrivacyNote()));
    EXPECT_FALSE(window.PrivacyTip().Shown());
}

TEST_F(FrmMainWindowTest, CompactViewIsRestoredSwitchedAndSaved) {
    testing_support::WriteFile(folder_ / "Qxs.ini", "[Main]\r\nCb=3\r\nVmode=1\r\n");
    int ended = 0;
    shell::FrmMain form([&] { ++ended; });
    shell::FrmMainWindow window(form);
    ASSERT_TRUE(window.Show());
    // The header's program icon, the window's own, at the window's DPI.
    const auto icon = reinterpret_cast<HICON>(::SendMessageW(window.Handle(), WM_GETICON, ICON_BIG, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO parts{};
    ASSERT_TRUE(::GetIconInfo(icon, &parts));
    const platform::UniqueBitmap color(parts.hbmColor);
    const platform::UniqueBitmap mask(parts.hbmMask);
    BITMAP picture{};
    ::GetObjectW(parts.hbmColor, sizeof picture, &picture);
    EXPECT_EQ(picture.bmWidth, platform::ScaleForDpi(32, platform::WindowDpi(window.Handle())));
    RECT compact{};
    ::GetClientRect(window.Handle(), &compact);
    EXPECT_TRUE(form.CompactView);
    EXPECT_FALSE(::IsWindowVisible(window.TabButton(shell::Page::Processes)));
    form.SetCompactView(false);
    RECT full{};
    ::GetClientRect(window.Handle(), &full);
    EXPECT_TRUE(::IsWindowVisible(window.TabButton(shell::Page::Processes)));
    EXPECT_GT(full.bottom, compact.bottom);
    form.SetCompactView(true);
    ::SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return ended > 0; }, 5s));
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Main", "Vmode", ""), "1");
}

namespace update_wizard_probe {
HWND wizard = nullptr;
HWND owner = nullptr;
void CALLBACK CloseWizard(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND found = ::FindWindowW(nullptr, L"Update Wizard");
    if (!found) return;
    ::KillTimer(nullptr, id);
    wizard = found;
    owner = ::GetWindow(found, GW_OWNER);
    ::PostMessageW(found, WM_CLOSE, 0, 0);
}
}  // namespace update_wizard_probe

TEST_F(FrmMainWindowTest, AboutPageCheckForUpdateOpensTheUpdateWizardOverTheMainWindow) {
    shell::FrmMain form([] {});
    shell::FrmMainWindow window(form);
    ASSERT_TRUE(window.Show());
    form.ShowPage(5);
    const HWND link = testing_support::FindDescendant(window.PageArea(shell::Page::About), nullptr, "Check for Update");
    ASSERT_NE(link, nullptr);
    ::SetTimer(nullptr, 0, 100, &update_wizard_probe::CloseWizard);
    // The wizard runs modally inside the click and returns once closed.
    testing_support::ClickAt(link, 2, 2);
    EXPECT_NE(update_wizard_probe::wizard, nullptr);
    EXPECT_EQ(update_wizard_probe::owner, window.Handle());
    EXPECT_FALSE(::IsWindow(update_wizard_probe::wizard));
    EXPECT_TRUE(::IsWindowEnabled(window.Handle()));
}
