// The startup page's real windows under the X display: the list, its check
// boxes, the Apply button and the "Add New Program" dialog.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include "core/settings.h"
#include "platform/handles.h"
#include "platform/utf.h"
#include "startup/add_new_prog_window.h"
#include "startup/all_prop_window.h"
#include "startup/startup_page_window.h"
#include "startup_fixture.h"
#include "support/scripted_prompts.h"
#include "support/test_window.h"
#include "support/window_probes.h"

using namespace startup;
using namespace startup_test;

namespace {

void Pump(int milliseconds = 100) { testing_support::PumpMessages(milliseconds); }

// A plain top-level window to hold the page, as the main window would.
class Host {
public:
    Host() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ClarimoStartupTestHost";
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, L"ClarimoStartupTestHost", L"Startup test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                                    20, 760, 520, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    ~Host() { ::DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};

constexpr auto ItemText = testing_support::ListCellText;

int FindItem(HWND list, const std::string& name) { return testing_support::FindListRow(list, name); }

class StartupPageWindowTest : public StartupPlaces {
protected:
    testing_support::ScriptedPrompts prompts_;
};

}  // namespace

TEST_F(StartupPageWindowTest, UncheckApplyCheckApplyAndAddAProgram) {
    ::InitCommonControls();
    SetText(HKEY_CURRENT_USER, userRun(), "Notepad", "C:\\windows\\notepad.exe");
    SetText(HKEY_CURRENT_USER, userRun(), "Missing", "C:\\nowhere\\missing.exe -x");
    core::MainIniPath.clear();  // default settings: All Users, Details
    Host host;
    ASSERT_TRUE(host.get());
    Frm_Startup logic(prompts_, where_);
    StartupPageWindow page(logic, prompts_);
    ASSERT_TRUE(page.Create(host.get()));
    Pump(300);
    // The saved view is missing: All Users. Switch to the user's view.
    ASSERT_EQ(logic.ShownView(), 1);
    HWND selector = ::FindWindowExW(page.Panel(), nullptr, WC_COMBOBOXW, nullptr);
    ::SendMessageW(selector, CB_SETCURSEL, 0, 0);
    ::SendMessageW(page.Panel(), WM_COMMAND, MAKEWPARAM(100, CBN_SELCHANGE), reinterpret_cast<LPARAM>(selector));
    Pump();
    const HWND list = page.List();
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    EXPECT_EQ(ListView_GetView(list), static_cast<DWORD>(LV_VIEW_DETAILS));
    const int notepad = FindItem(list, "Notepad");
    ASSERT_GE(notepad, 0);
    EXPECT_EQ(ItemText(list, notepad, 1), "C:\\windows\\notepad.exe");
    EXPECT_TRUE(ListView_GetCheckState(list, notepad));
    // One icon per row in each picture list.
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_SMALL)), 2);
    EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_NORMAL)), 2);

    ListView_SetCheckState(list, notepad, FALSE);
    Pump();
    EXPECT_FALSE(logic.Rows()[notepad].checked);
    ::SendMessageW(page.ApplyButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "Notepad").exists);
    EXPECT_EQ(ReadKeepingFile(where_.currentUserKeepingFile).size(), 1u);
    EXPECT_TRUE(::IsWindowEnabled(page.ApplyButton()));

    ListView_SetCheckState(list, FindItem(list, "Notepad"), TRUE);
    Pump();
    ::SendMessageW(page.ApplyButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Notepad"), "C:\\windows\\notepad.exe");
    EXPECT_FALSE(testing_support::Exists(where_.currentUserKeepingFile));

    // The dialog, filled in through its own boxes.
    Frm_AddNewProg addLogic(prompts_, logic);
    AddNewProgWindow dialog(addLogic);
    ASSERT_TRUE(dialog.Create(host.get()));
    Pump();
    EXPECT_FALSE(::IsWindowEnabled(dialog.OkButton()));
    ::SetWindowTextW(dialog.NameBox(), L"Added");
    ::SetWindowTextW(dialog.PathBox(), L"C:\\windows\\regedit.exe");
    Pump();
    EXPECT_TRUE(::IsWindowEnabled(dialog.OkButton()));
    ::SendMessageW(dialog.OkButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(::IsWindow(dialog.Window()));
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Added"), "C:\\windows\\regedit.exe");
    EXPECT_EQ(ListView_GetItemCount(list), 3);
    EXPECT_GE(FindItem(list, "Added"), 0);

    // The all-items window lists the user's group.
    Frm_AllProp allLogic(prompts_, where_);
    AllPropWindow all(allLogic);
    ASSERT_TRUE(all.Create(host.get()));
    Pump(200);
    ASSERT_EQ(ListView_GetItemCount(all.List()), 4);
    EXPECT_EQ(ItemText(all.List(), 0, 0), "Registry\\Current User\\Run");
    EXPECT_TRUE(::IsWindowEnabled(all.ReportButton()));
}
