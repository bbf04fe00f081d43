// The startup page's real windows under the X display.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include "core/settings.h"
#include "platform/handles.h"
#include "startup/add_new_prog_window.h"
#include "startup/startup_page_window.h"
#include "startup_fixture.h"
#include "support/modal_steps.h"
#include "support/scoped_theme.h"
#include "support/test_window.h"
#include "support/window_colours.h"
#include "support/window_probes.h"

using namespace startup;
using namespace startup_test;

namespace {

void Pump(int milliseconds = 100) { testing_support::PumpMessages(milliseconds); }

using StartupPageWindowTest = StartupPlaces;

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
    const HWND list = page.List();
    const auto settle = [&] {
        Pump(300);
        for (int i = 0; i < 200 && !logic.ProgramInfoComplete(); ++i) Pump(50);
        for (int i = 0; i < 200 && ListView_GetItemCount(list) != static_cast<int>(logic.Rows().size()); ++i) Pump(50);
        Pump();
    };
    // The default picture and notepad's icon once the worker has read it;
    // F5 reads again and its pictures replace the old ones.
    for (int refresh = 0; refresh < 3; ++refresh) {
        if (refresh) logic.Mnu_Pop_Refresh_Click();
        settle();
        EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_SMALL)), 2) << refresh;
    }
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    const int notepad = testing_support::FindListRow(list, "Notepad");
    EXPECT_EQ(testing_support::ListCellText(list, notepad, 1), "C:\\windows\\notepad.exe");
    EXPECT_EQ(testing_support::ListCellText(list, 1 - notepad, 2), "Policy");

    ListView_SetCheckState(list, notepad, FALSE);
    Pump();
    ::SendMessageW(page.ApplyButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, machineRun(), "Notepad").exists);

    // A long list fills in slices between messages, and each row's check
    // follows it through a sort.
    for (int i = 0; i < 1000; ++i) SetText(HKEY_CURRENT_USER, machineRun(), "Extra " + std::to_string(i), "C:\\x.exe");
    logic.Mnu_Pop_Refresh_Click();
    for (int order = 0; order < 2; ++order) {
        if (order) logic.ColumnClick(1);
        settle();
        ASSERT_EQ(ListView_GetItemCount(list), 1002);
        int wrong = 0;
        for (int row = 0; row < 1002; ++row)
            wrong += !ListView_GetCheckState(list, row) != (testing_support::ListCellText(list, row, 0) == "Notepad");
        EXPECT_EQ(wrong, 0) << order;
    }

    // The page in the colour theme (its tool bar band too), its fonts again
    // after a DPI change, its balloon inside the page, and the list's menu on
    // the keyboard.
    const HWND panel = page.Panel();
    {
        const testing_support::ScopedTheme gray(3);
        EXPECT_EQ(testing_support::ErasedColour(panel, {100, 2}),
                  controls::ResolveColor(controls::Blend(controls::ThemeColor, controls::kWhite, 55)));
        EXPECT_EQ(ListView_GetTextColor(list), gray.text());
    }
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
    const auto texts = testing_support::KeyboardMenuTexts(list, true);  // Shift+F10
    EXPECT_EQ(texts.size() > 2 ? texts[2] : "", "Add Program");
}

// "Add New Program" runs modally over the page's window (the runner is
// tested on its own); its questions are owned by the dialog.
TEST_F(StartupPageWindowTest, AddProgramOwnsItsPromptsWhileTheWindowBelowWaits) {
    testing_support::TestWindow host(760, 520);
    Frm_Startup logic(prompts_, where_);
    Frm_AddNewProg addLogic(prompts_, logic);
    AddNewProgWindow add(addLogic);
    HWND dialog = nullptr;
    const auto browseThenCancel = [&] {
        if (!(dialog = add.Window())) return false;
        EXPECT_FALSE(::IsWindowEnabled(host.hwnd()));
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(102, BN_CLICKED), 0);  // "Browse"
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    };
    testing_support::ModalSteps addSteps({browseThenCancel}, [&] { return add.Window(); });
    add.ShowModal(host.hwnd());
    EXPECT_TRUE(addSteps.Finished());
    ASSERT_EQ(prompts_.openFileRequests.size(), 1u);
    EXPECT_EQ(prompts_.owners, std::vector<platform::WindowHandle>{dialog});
}
