// The junk page's real windows under Xvfb: a test drive ticked, scanned,
// results ticked, cleaned into the recycle bin, with the theme, the fonts
// after a DPI change, drives mapped meanwhile and the page's own balloon;
// the options dialog.
#include <windows.h>

#include <commctrl.h>
#include <dbt.h>
#include <gtest/gtest.h>

#include <memory>

#include "controls/custom_window.h"
#include "core/results_tally.h"
#include "core/settings.h"
#include "junk/frm_clean_options_window.h"
#include "junk/frm_junk_window.h"
#include "platform/shell.h"
#include "support/modal_steps.h"
#include "support/scoped_theme.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"
#include "support/test_window.h"
#include "support/window_colours.h"
#include "support/window_probes.h"

using namespace testing_support;

namespace {

void Pump() { PumpMessages(0); }

// The drive list's row that names letter; -1 when none does.
int RowOf(HWND list, char letter) {
    for (int i = 0; i < ListView_GetItemCount(list); ++i)
        if (ListCellText(list, i, 0).find(std::string(1, letter) + ":") != std::string::npos) return i;
    return -1;
}

}  // namespace

TEST(JunkPageWindow, TickScanTickCleanIntoTheRecycleBinFollowingThemeAndDpi) {
    TempFolder settings, tree;
    core::SetSettingsPaths(settings.path());
    core::WriteIni(core::MainIniPath, "Options", "ConDlg", "0");
    for (const char* name : {"old.tmp", "copy.bak"}) WriteFile(tree / name, "1234");
    WriteFile(tree / "keep.txt", "x");
    TestDrive drive(tree.path());
    ASSERT_NE(drive.letter(), 0);
    core::CleanedCount = core::CleanedSize = 0;

    TestWindow host(700, 500);
    ScriptedPrompts prompts;
    junk::FrmJunkWindow page(prompts);
    ASSERT_TRUE(page.Create(host.hwnd()));
    HWND panel = page.Panel();
    HWND drives = FindChild(panel, WC_LISTVIEWW, 0);
    HWND results = FindChild(panel, WC_LISTVIEWW, 1);

    {
        const ScopedTheme green(1);
        RECT client{};
        ::GetClientRect(panel, &client);
        EXPECT_EQ(ErasedColour(panel, {client.right / 2, client.bottom / 2}), green.back());
    }
    ::SendMessageW(panel, 0x02E3 /* WM_DPICHANGED_AFTERPARENT */, 0, 0);
    EXPECT_EQ(::SendMessageW(page.ScanButton(), WM_GETFONT, 0, 0), ::SendMessageW(panel, WM_GETFONT, 0, 0));

    ASSERT_GE(RowOf(drives, drive.letter()), 0) << "the test drive is listed as a fixed drive";
    ListView_SetCheckState(drives, RowOf(drives, drive.letter()), TRUE);
    Pump();

    // A drive mapped while shown joins at once and gets its figures from the
    // worker, through the page's timer; it leaves again, the tick kept.
    TempFolder folder;
    auto mapped = std::make_unique<TestDrive>(folder.path());
    ASSERT_NE(mapped->letter(), 0);
    const char letter = mapped->letter();
    ::SendMessageW(panel, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
    const int row = RowOf(drives, letter);
    ASSERT_GE(row, 0);
    for (int wait = 0; wait < 400 && ListCellText(drives, row, 1).empty(); ++wait) PumpMessages(50);
    EXPECT_FALSE(ListCellText(drives, row, 2).empty());
    mapped.reset();
    ::SendMessageW(panel, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
    EXPECT_LT(RowOf(drives, letter), 0);
    EXPECT_TRUE(ListView_GetCheckState(drives, RowOf(drives, drive.letter())));
    ::SendMessageW(page.ScanButton(), BM_CLICK, 0, 0);  // enabled by the tick; scans to the end
    Pump();
    EXPECT_EQ(WindowText(page.ScanButton()), "< Back");
    EXPECT_EQ(ListView_GetItemCount(results), 2);

    // The virtual list's check boxes follow the list control's own state
    // changes (screen readers, automation); a click or Space ticks once.
    const auto& rows = page.Logic().LvResult;
    ListView_SetItemState(results, 1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    EXPECT_TRUE(rows[1].Checked);
    ListView_SetItemState(results, -1, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    EXPECT_FALSE(rows[0].Checked || rows[1].Checked);
    RECT box{};
    ListView_GetItemRect(results, 0, &box, LVIR_BOUNDS);
    LVHITTESTINFO hit{};
    for (hit.pt = {box.left, (box.top + box.bottom) / 2}; hit.pt.x < box.right; ++hit.pt.x)
        if (ListView_HitTest(results, &hit) == 0 && (hit.flags & LVHT_ONITEMSTATEICON)) break;
    ClickAt(results, hit.pt.x, hit.pt.y);
    Pump();
    EXPECT_TRUE(rows[0].Checked);
    ListView_SetItemState(results, 0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ::SendMessageW(results, WM_KEYDOWN, VK_SPACE, 0);
    ::SendMessageW(results, WM_KEYUP, VK_SPACE, 0);
    Pump();
    EXPECT_FALSE(rows[0].Checked);

    const std::vector<std::string> resultMenu{
        "Select All",       "Deselect All",  "Properties", "-", "Open Containing Folder",
        "Skip This Folder", "Export List..."};
    EXPECT_EQ(KeyboardMenuTexts(results, false), resultMenu);  // Apps
    EXPECT_EQ(KeyboardMenuTexts(results, true), resultMenu);   // Shift+F10

    // "Select All" of the result list's menu, then Clean.
    ::SendMessageW(panel, WM_COMMAND, MAKEWPARAM(205, 0), 0);
    const auto before = platform::QueryRecycleBin().value_or(platform::RecycleBinContents{}).items;
    ::SendMessageW(page.CleanButton(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(platform::QueryRecycleBin()->items, before + 2);
    EXPECT_EQ(core::CleanedCount, 2u);
    EXPECT_EQ(core::CleanedSize, 8u);
    EXPECT_TRUE(prompts.messages.empty());

    // The hint balloon belongs to the page: it hides with it, never on top.
    page.Logic().Info.ShowInformation("Right-click the list to select all");
    page.Logic().Changed();
    HWND balloon = ::GetDlgItem(panel, 120);
    EXPECT_TRUE(::IsWindowVisible(balloon));
    EXPECT_FALSE(::GetWindowLongW(balloon, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ::ShowWindow(panel, SW_HIDE);  // a page switch
    EXPECT_FALSE(::IsWindowVisible(balloon));
}

// The options dialog as the user meets it: the folder picker belongs to the
// dialog (which it blocks), and Enter in the files types list edits the
// selected type instead of pressing Ok.
TEST(JunkOptionsWindow, PickerOwnedByTheDialogAndEnterInTypesEdits) {
    TempFolder settings;
    core::SetSettingsPaths(settings.path());
    TestWindow owner;
    ScriptedPrompts prompts;
    junk::FrmCleanOptionsWindow options(prompts);
    HWND dialog = nullptr;
    bool editorOpened = false;
    const auto pickFolderThenEnterInTypes = [&] {
        dialog = FindThreadWindow("Junk Files Options");
        if (!dialog) return false;
        HWND add = FindDescendant(dialog, L"Button", "Add Folder");
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(add), BN_CLICKED), reinterpret_cast<LPARAM>(add));
        HWND types = FindDescendant(dialog, WC_LISTVIEWW, "");
        ListView_SetItemState(types, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ::SetFocus(types);
        ::PostMessageW(types, WM_KEYDOWN, VK_RETURN, 0);
        return true;
    };
    const auto closeTheEditor = [&] {
        HWND editor = FindThreadWindow("Edit Type");
        if (!editor) return false;
        editorOpened = ::GetWindow(editor, GW_OWNER) == dialog;
        ::PostMessageW(editor, WM_CLOSE, 0, 0);
        return true;
    };
    const auto cancel = [&] {
        if (FindThreadWindow("Edit Type")) return false;
        ::PostMessageW(dialog, WM_CLOSE, 0, 0);
        return true;
    };
    ModalSteps steps({pickFolderThenEnterInTypes, closeTheEditor, cancel}, [&] { return dialog; });
    options.ShowModal(owner.hwnd());
    EXPECT_TRUE(steps.Finished());
    EXPECT_TRUE(editorOpened);
    EXPECT_EQ(prompts.folderPrompts.size(), 1u);
    EXPECT_EQ(prompts.owners, std::vector<platform::WindowHandle>{dialog});
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
}
