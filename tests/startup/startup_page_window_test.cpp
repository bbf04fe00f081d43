// The startup page's real windows under the X display: the list, its check
// boxes, the Apply button and the two dialogs.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include "controls/custom_window.h"
#include "controls/theme.h"
#include "core/settings.h"
#include "platform/handles.h"
#include "platform/utf.h"
#include "startup/add_new_prog_window.h"
#include "startup/startup_page_window.h"
#include "startup_fixture.h"
#include "support/modal_steps.h"
#include "support/scripted_prompts.h"
#include "support/test_window.h"
#include "support/window_colours.h"
#include "support/window_probes.h"

using namespace startup;
using namespace startup_test;

namespace {

void Pump(int milliseconds = 100) { testing_support::PumpMessages(milliseconds); }

class StartupPageWindowTest : public StartupPlaces {
protected:
    testing_support::ScriptedPrompts prompts_;
};

}  // namespace

TEST_F(StartupPageWindowTest, RowsIconsStatusThemeBalloonAndApply) {
    ::InitCommonControls();
    SetText(HKEY_CURRENT_USER, machineRun(), "Notepad", "C:\\windows\\notepad.exe");
    where_.registry[0].push_back({startup::Hive::CurrentUser, userPolicy(), {}, true});
    SetText(HKEY_CURRENT_USER, userPolicy(), "Missing", "C:\\nowhere\\missing.exe -x");
    core::MainIniPath.clear();  // default settings: All Users, Details
    testing_support::TestWindow host(760, 520);
    Frm_Startup logic(prompts_, where_);
    StartupPageWindow page(logic, prompts_);
    ASSERT_TRUE(page.Create(host.hwnd()));
    Pump(300);
    const HWND list = page.List();
    for (int i = 0; i < 200 && !logic.ProgramInfoComplete(); ++i) Pump(50);
    Pump();
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    const int notepad = testing_support::FindListRow(list, "Notepad");
    EXPECT_EQ(testing_support::ListCellText(list, notepad, 1), "C:\\windows\\notepad.exe");
    EXPECT_EQ(testing_support::ListCellText(list, 1 - notepad, 2), "Policy");
    // The default picture, and notepad's icon once the worker has read it.
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_SMALL)), 2);
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = notepad;
    ListView_GetItem(list, &item);
    EXPECT_EQ(item.iImage, 1);

    EXPECT_TRUE(ListView_GetCheckState(list, notepad));
    ListView_SetCheckState(list, notepad, FALSE);
    Pump();
    ::SendMessageW(page.ApplyButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, machineRun(), "Notepad").exists);
    EXPECT_TRUE(::IsWindowEnabled(page.ApplyButton()));
    EXPECT_TRUE(testing_support::Exists(where_.allUsersKeepingFile));

    // The page in the colour theme (its tool bar band too), its fonts again
    // after a DPI change, its balloon inside the page, and the list's menu on
    // the keyboard.
    const HWND panel = page.Panel();
    controls::SetThemeValues(3);  // "Gray"
    controls::NotifyThemeSubscribers();
    RECT client{};
    ::GetClientRect(panel, &client);
    EXPECT_EQ(testing_support::ErasedColour(panel, {client.right / 2, 2}),
              controls::ResolveColor(controls::Blend(controls::ThemeColor, controls::kWhite, 55)));
    EXPECT_EQ(ListView_GetTextColor(list), controls::ResolveColor(controls::ThemeTextColor));
    controls::SetThemeValues(0);
    controls::NotifyThemeSubscribers();
    ::SendMessageW(panel, 0x02E3 /* WM_DPICHANGED_AFTERPARENT */, 0, 0);
    EXPECT_EQ(::SendMessageW(list, WM_GETFONT, 0, 0), ::SendMessageW(panel, WM_GETFONT, 0, 0));

    logic.balloonText = "1 item could not be changed. The list shows it as it is now.";
    page.Sync();
    HWND balloon = ::GetDlgItem(panel, 106);
    ASSERT_TRUE(page.Balloon().Shown() && balloon);
    EXPECT_FALSE(::GetWindowLongW(balloon, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ::ShowWindow(panel, SW_HIDE);  // a page switch
    EXPECT_FALSE(::IsWindowVisible(balloon));
    ::ShowWindow(panel, SW_SHOW);

    ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    for (const bool shiftF10 : {false, true}) {
        const auto texts = testing_support::KeyboardMenuTexts(list, shiftF10);
        ASSERT_GT(texts.size(), 2u) << shiftF10;
        EXPECT_EQ(texts[2], "Add Program");
    }
}

namespace {

// Notes whether owner is enabled when the watched window gets WM_DESTROY
// (Windows activates another program when a modal window goes first).
struct DestroyWatch {
    static inline HWND watched = nullptr;
    static inline HWND owner = nullptr;
    static inline int ownerEnabledAtDestroy = -1;
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->message == WM_DESTROY && call->hwnd == watched)
            ownerEnabledAtDestroy = ::IsWindowEnabled(owner) ? 1 : 0;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

}  // namespace

// The dialogs run modally over the page's window: their questions are owned
// by the dialog, and the owner is enabled before the dialog goes.
TEST_F(StartupPageWindowTest, DialogsOwnTheirPromptsAndGiveTheOwnerBackFirst) {
    testing_support::TestWindow host(760, 520);
    Frm_Startup logic(prompts_, where_);
    const auto hook = ::SetWindowsHookExW(WH_CALLWNDPROC, DestroyWatch::Hook, nullptr, ::GetCurrentThreadId());
    DestroyWatch::owner = host.hwnd();

    Frm_AddNewProg addLogic(prompts_, logic);
    AddNewProgWindow add(addLogic);
    testing_support::ModalSteps addSteps({[&] {
                                             DestroyWatch::watched = add.Window();
                                             if (!add.Window()) return false;
                                             EXPECT_FALSE(::IsWindowEnabled(host.hwnd()));
                                             ::SendMessageW(add.Window(), WM_COMMAND, MAKEWPARAM(102, BN_CLICKED),
                                                            0);  // "Browse"
                                             ::PostMessageW(add.Window(), WM_COMMAND, IDCANCEL, 0);
                                             return true;
                                         }},
                                         [&] { return add.Window(); });
    add.ShowModal(host.hwnd());
    ::UnhookWindowsHookEx(hook);
    EXPECT_TRUE(addSteps.Finished());
    EXPECT_EQ(DestroyWatch::ownerEnabledAtDestroy, 1);
    ASSERT_EQ(prompts_.openFileRequests.size(), 1u);
    EXPECT_EQ(prompts_.owners, std::vector<platform::WindowHandle>{DestroyWatch::watched});
}
