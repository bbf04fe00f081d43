#include <windows.h>

#include <commctrl.h>
#include <dbt.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "junk/frm_junk_window.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace {

// The drive list's row that names letter; -1 when none does.
int RowOf(HWND list, char letter) {
    for (int i = 0; i < ListView_GetItemCount(list); ++i)
        if (testing_support::ListCellText(list, i, 0).find(std::string(1, letter) + ":") != std::string::npos) return i;
    return -1;
}

TEST(JunkDriveList, FollowsADriveMappedWhileShownKeepingTheOtherTicksAndFillsItsFiguresIn) {
    testing_support::TestWindow host(700, 500);
    testing_support::ScriptedPrompts prompts;
    junk::FrmJunkWindow page(prompts);
    ASSERT_TRUE(page.Create(host.hwnd()));
    const HWND drives = testing_support::FindChild(page.Panel(), WC_LISTVIEWW, 0);
    const int c = RowOf(drives, 'C');
    ASSERT_GE(c, 0);
    ListView_SetCheckState(drives, c, TRUE);

    testing_support::TempFolder folder;
    auto mapped = std::make_unique<testing_support::TestDrive>(folder.path());
    ASSERT_NE(mapped->letter(), 0);
    const char letter = mapped->letter();
    ::SendMessageW(page.Panel(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
    const int row = RowOf(drives, letter);
    ASSERT_GE(row, 0) << "the new drive joins at once";
    EXPECT_TRUE(ListView_GetCheckState(drives, RowOf(drives, 'C')));
    // Its figures arrive from the worker, through the page's timer.
    for (int wait = 0; wait < 400 && testing_support::ListCellText(drives, row, 1).empty(); ++wait)
        testing_support::PumpMessages(50);
    EXPECT_FALSE(testing_support::ListCellText(drives, row, 2).empty());

    mapped.reset();
    ::SendMessageW(page.Panel(), WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, 0);
    EXPECT_LT(RowOf(drives, letter), 0);
    EXPECT_TRUE(ListView_GetCheckState(drives, RowOf(drives, 'C')));
    EXPECT_TRUE(::IsWindowEnabled(page.ScanButton()));
}

}  // namespace
