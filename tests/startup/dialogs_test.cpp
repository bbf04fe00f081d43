#include <gtest/gtest.h>

#include "platform/system_info.h"
#include "startup/frm_add_new_prog.h"
#include "startup/frm_all_prop.h"
#include "startup/frm_startup.h"
#include "startup_fixture.h"
#include "support/scripted_prompts.h"

using namespace startup;
using namespace startup_test;
using core::PromptAnswer;
using testing_support::Exists;
using testing_support::ScriptedPrompts;

namespace {

class AddNewProg : public StartupPlaces {
protected:
    ScriptedPrompts prompts_;
    Frm_Startup page_{prompts_, where_};
    // The dialog opens over the Current User view.
    const bool shown_ = (page_.Cmb_View_Click(0), true);
    Frm_AddNewProg dialog_{prompts_, page_};
};
using AllProp = AddNewProg;

}  // namespace

TEST_F(AddNewProg, OkNeedsANameAndAPathAndAddsAQuotedPath) {
    const std::string exe = temp_ / "My Tools\\tool.exe";
    testing_support::MakeFolder(temp_ / "My Tools");
    testing_support::WriteFile(exe, "MZ");
    EXPECT_EQ(dialog_.targetIndex, 0);  // follows the page's view
    dialog_.Txt_Name_Change("   ");
    dialog_.Txt_Path_Change("C:\\missing.exe");
    EXPECT_FALSE(dialog_.okEnabled || dialog_.Cmd_OK_Click());
    dialog_.Txt_Path_LostFocus();
    EXPECT_EQ(dialog_.balloonText, "Selected file does not exists, Please select a valid file");
    prompts_.openFileAnswers = {exe};
    EXPECT_EQ(dialog_.Cmd_Browse_Click(), Frm_AddNewProg::Focus::NameBox);
    EXPECT_EQ(dialog_.balloonText, "");
    dialog_.Txt_Name_Change("My Tool");
    EXPECT_TRUE(dialog_.okEnabled && dialog_.Cmd_OK_Click());
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "My Tool"), "\"" + exe + "\"");
    ASSERT_EQ(page_.Rows().size(), 1u);
    WaitForProgramInfo(page_);
    EXPECT_TRUE(page_.Rows()[0].program->exists);
    EXPECT_TRUE(page_.SkipChangeCheck());
    prompts_.openFileAnswers = {exe};
    EXPECT_EQ(dialog_.Cmd_Browse_Click(), Frm_AddNewProg::Focus::OkButton);
}

TEST_F(AddNewProg, AMissingProgramOrAnExistingNameIsAskedAbout) {
    SetText(HKEY_CURRENT_USER, userRun(), "Taken", "C:\\first.exe");
    page_.Mnu_Pop_Refresh_Click();
    dialog_.Txt_Name_Change("Taken");
    dialog_.Txt_Path_Change("C:\\Missing Folder\\second.exe");
    // Yes to the missing program, No to replacing the value: nothing changes.
    prompts_.messageAnswers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_FALSE(dialog_.Cmd_OK_Click());
    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(prompts_.messages[0].text, "The specified program does not exists, Are you sure you want to continue ?");
    EXPECT_NE(prompts_.messages[1].text.find("C:\\first.exe"), std::string::npos);
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Taken"), "C:\\first.exe");
    EXPECT_TRUE(dialog_.Cmd_OK_Click());
    // A missing file is written as typed, and listed with the default picture.
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Taken"), "C:\\Missing Folder\\second.exe");
    WaitForProgramInfo(page_);
    EXPECT_FALSE(page_.Rows().at(0).program->exists);

    // All Users from the Current User view: nothing shows until the view is switched.
    dialog_.targetIndex = 1;
    dialog_.Txt_Name_Change("Everyone");
    EXPECT_TRUE(dialog_.Cmd_OK_Click());
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun(), "Everyone"), "C:\\Missing Folder\\second.exe");
    EXPECT_EQ(page_.Rows().size(), 1u);
    page_.Cmb_View_Click(1);
    EXPECT_EQ(page_.Rows().size(), 1u);
}

TEST_F(AllProp, TheReportListsEveryGroupWithEntries) {
    Frm_AllProp none(prompts_, where_);
    none.Tm_Load_Timer();
    ASSERT_EQ(none.rows.size(), 1u);
    EXPECT_EQ(none.rows[0].text, "There are no startup items.");
    EXPECT_FALSE(none.reportEnabled);

    SetText(HKEY_CURRENT_USER, machineRun(), "M1", "C:\\m1.exe");
    MakeShortcut(where_.userStartupFolder + "\\ .lnk", "C:\\blank.exe");  // counted, not listed
    ASSERT_TRUE(
        WriteKeepingFile(where_.currentUserKeepingFile, {{"Kept", "C:\\k.exe", origin(userRun(), "Kept"), kRegSz}}));
    SetText(HKEY_CURRENT_USER, machineRun32(), "M32", "C:\\m32.exe");
    SetText(HKEY_CURRENT_USER, userRunOnce(), "U1", "C:\\u1.exe");
    MakeShortcut(where_.commonStartupFolder + "\\Common.lnk", "C:\\c.exe");
    Frm_AllProp window(prompts_, where_);
    window.Tm_Load_Timer();

    prompts_.saveFileAnswers = {temp_ / "report"};
    window.WriteReport();
    ASSERT_EQ(prompts_.saveFileRequests.size(), 1u);
    EXPECT_EQ(prompts_.saveFileRequests[0].filter, "Text File (*.txt)|*.txt| All Files |*.*");
    const std::string text = testing_support::ReadFileBytes(temp_ / "report.txt");
    const std::string expected =
        "\xEF\xBB\xBF"
        "Startup Programs Report\r\n\r\nComputer Name : " +
        platform::ComputerName() + "\r\nUser Name : " + platform::UserName() +
        "\r\nStartup Programs Number : 5\r\n\r\n"
        "Registry\\All Users\\Run\r\n  M1\r\n  M32\r\n"
        "Registry\\Current User\\RunOnce\r\n  U1\r\n"
        "All Users\\Startup Folder\r\n  Common\r\n"
        "Report Created By : Clarimo 2.0\r\n\r\n";
    ASSERT_GT(text.size(), expected.size());
    EXPECT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    // The file the name turns into already exists: asked, and No keeps it.
    testing_support::WriteFile(temp_ / "old.txt", "keep me");
    prompts_.saveFileAnswers = {temp_ / "old"};
    prompts_.messageAnswers = {PromptAnswer::No};
    window.WriteReport();
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(testing_support::ReadFileBytes(temp_ / "old.txt"), "keep me");
}
