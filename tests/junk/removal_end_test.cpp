#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/results_tally.h"
#include "core/settings.h"
#include "junk/frm_junk.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace {

TEST(JunkRemoval, TheProgramsEndStopsItWithEachRemovedFileCountedOnceAndTheRestInPlace) {
    testing_support::TempFolder settings, tree;
    core::SetSettingsPaths(settings.path());
    core::WriteIni(core::MainIniPath, "Options", "ConDlg", "0");  // to the recycle bin, without asking
    for (int i = 0; i < 300; ++i) testing_support::WriteFile(tree / (std::to_string(i) + ".tmp"), "12");
    testing_support::ScriptedPrompts prompts;
    junk::Frm_Junk page(prompts);
    page.LvDrives = {junk::DriveRow{tree.path() + "\\", "tree", "", "", true}};
    page.Cmd_Scan_Click();
    ASSERT_EQ(page.LvResult.size(), 300u);
    page.SetAllResults(true);
    core::CleanedCount = core::CleanedSize = 0;

    ::PostQuitMessage(3);  // the program ends while the worker removes
    page.Cmd_Del_Click();
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // left for the main loop

    EXPECT_GT(page.LvResult.size(), 0u) << "the removal stopped";
    EXPECT_EQ(core::CleanedCount + page.LvResult.size(), 300u);
    EXPECT_EQ(core::CleanedSize, 2 * core::CleanedCount);
    for (const junk::ResultRow& row : page.LvResult) EXPECT_TRUE(testing_support::Exists(row.Key)) << row.Key;
    EXPECT_EQ(page.LastFailures, 0u);
}

}  // namespace
