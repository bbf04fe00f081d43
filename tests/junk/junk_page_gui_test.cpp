// The junk page's real window under Xvfb: a test drive ticked, scanned,
// results ticked, cleaned into the recycle bin.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "core/cls_file_folder.h"
#include "core/results_tally.h"
#include "core/settings.h"
#include "junk/frm_junk_window.h"
#include "platform/utf.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace {

constexpr auto Text = testing_support::WindowText;
using testing_support::FindChild;

void Pump() { testing_support::PumpMessages(0); }

}  // namespace

TEST(JunkPageWindow, TickScanTickCleanIntoTheRecycleBin) {
    testing_support::TempFolder settings;
    testing_support::TempFolder tree;
    core::SetSettingsPaths(settings.path());
    core::WriteIni(core::MainIniPath, "Options", "ConDlg", "0");
    core::WriteIni(core::MainIniPath, "Options", "DType", "1");
    testing_support::WriteFile(tree / "old.tmp", "1234");
    testing_support::WriteFile(tree / "copy.bak", "5678");
    testing_support::WriteFile(tree / "keep.txt", "x");
    testing_support::TestDrive drive(tree.path());
    ASSERT_NE(drive.letter(), 0);
    core::CleanedCount = core::CleanedSize = 0;

    HWND host = ::CreateWindowExW(0, L"STATIC", L"Junk page test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 500,
                                  nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    testing_support::ScriptedPrompts prompts;
    std::string resultStrip;
    {
        junk::FrmJunkWindow page(prompts);
        ASSERT_TRUE(page.Create(host));
        page.Logic().ShowResult = [&] {
            // As the main window does: the tally first, since "< Back" resets it.
            const uint64_t count = core::CleanedCount, size = core::CleanedSize;
            if (page.Logic().ResultListEmptied()) page.Logic().Cmd_Scan_Click();
            resultStrip =
                "  Cleaned Space : " + core::ClsFileFolder().CalcSize(size) + ", Files : " + std::to_string(count);
        };
        HWND drives = FindChild(page.Panel(), WC_LISTVIEWW, 0);
        HWND results = FindChild(page.Panel(), WC_LISTVIEWW, 1);
        ASSERT_NE(drives, nullptr);
        ASSERT_NE(results, nullptr);

        // Tick the test drive's row as a click would.
        int row = -1;
        for (int i = 0; i < ListView_GetItemCount(drives); ++i) {
            wchar_t text[128] = {};
            ListView_GetItemText(drives, i, 0, text, 128);
            if (platform::ToUtf8(text).find(std::string(1, drive.letter()) + ":") != std::string::npos) row = i;
        }
        ASSERT_GE(row, 0) << "the test drive is listed as a fixed drive";
        EXPECT_FALSE(::IsWindowEnabled(page.ScanButton()));
        ListView_SetCheckState(drives, row, TRUE);
        Pump();
        EXPECT_TRUE(::IsWindowEnabled(page.ScanButton()));

        ::SendMessageW(page.ScanButton(), BM_CLICK, 0, 0);  // scans to the end
        Pump();
        EXPECT_EQ(Text(page.ScanButton()), "< Back");
        EXPECT_EQ(ListView_GetItemCount(results), 2);
        EXPECT_TRUE(::IsWindowVisible(results));
        EXPECT_FALSE(::IsWindowVisible(drives));

        // "Select All" of the result list's menu, then Clean.
        ::SendMessageW(page.Panel(), WM_COMMAND, MAKEWPARAM(205, 0), 0);
        EXPECT_EQ(ListView_GetItemState(results, 0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));
        SHQUERYRBINFO before{};
        before.cbSize = sizeof before;
        ::SHQueryRecycleBinW(nullptr, &before);
        ::SendMessageW(page.CleanButton(), BM_CLICK, 0, 0);
        Pump();
        SHQUERYRBINFO after{};
        after.cbSize = sizeof after;
        ::SHQueryRecycleBinW(nullptr, &after);
        EXPECT_EQ(after.i64NumItems, before.i64NumItems + 2);
        EXPECT_EQ(resultStrip, "  Cleaned Space : 8 Byte, Files : 2");
        EXPECT_FALSE(testing_support::Exists(tree / "old.tmp"));
        EXPECT_FALSE(testing_support::Exists(tree / "copy.bak"));
        EXPECT_TRUE(testing_support::Exists(tree / "keep.txt"));
        // The emptied result list went back to the drives.
        EXPECT_EQ(Text(page.ScanButton()), "Scan");
        EXPECT_TRUE(::IsWindowVisible(drives));
        EXPECT_TRUE(prompts.messages.empty());
    }
    ::DestroyWindow(host);
}
