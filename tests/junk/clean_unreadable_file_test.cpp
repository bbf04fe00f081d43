// A clean that meets a listed file whose size and date cannot be read any more.
#include <gtest/gtest.h>

#include "core/results_tally.h"
#include "core/settings.h"
#include "junk/frm_junk.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

using testing_support::Exists;

TEST(FrmJunkClean, AFileWhoseSizeCannotBeReadStaysListedAndCountsAsAFailure) {
    testing_support::TempFolder settings, tree;
    core::SetSettingsPaths(settings.path());
    core::WriteIni(core::MainIniPath, "Options", "DType", "2");
    core::WriteIni(core::MainIniPath, "Options", "ConDlg", "0");
    testing_support::MakeFolder(tree / "held");
    testing_support::WriteFile(tree / "a.tmp", "12345");
    testing_support::WriteFile(tree / "held\\b.tmp", "1234567");
    testing_support::ScriptedPrompts prompts;
    junk::Frm_Junk page(prompts);
    page.LvDrives = {junk::DriveRow{tree.path() + "\\", "", "", "", true}};
    page.Cmd_Scan_Click();
    ASSERT_EQ(page.LvResult.size(), 2u);

    // Its folder held without sharing: the file is there, but its entry
    // (size, date) cannot be read, so it cannot be checked against the scan.
    const platform::UniqueHandle lock(::CreateFileW(platform::ToSystemPath(tree / "held").c_str(), GENERIC_READ, 0,
                                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(lock);
    core::CleanedCount = 0;
    core::CleanedSize = 0;
    page.SetAllResults(true);
    page.Cmd_Del_Click();
    EXPECT_TRUE(Exists(tree / "held\\b.tmp"));
    EXPECT_FALSE(Exists(tree / "a.tmp"));
    ASSERT_EQ(page.LvResult.size(), 1u);
    EXPECT_EQ(page.LvResult[0].Text, "b.tmp");
    EXPECT_EQ(core::CleanedCount, 1u);
    EXPECT_EQ(core::CleanedSize, 5u);
    EXPECT_EQ(page.Info.Text, "1 file could not be removed.");
}
