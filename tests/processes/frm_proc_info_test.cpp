#include "processes/frm_proc_info.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/process_info.h"
#include "platform/utf.h"
#include "proc_fixture.h"

using namespace processes;
using proc_test::RowOf;
using testing_support::ChildProcess;

namespace {

class ProcInfo : public proc_test::ProcessPage {};

}  // namespace

TEST_F(ProcInfo, ShowsTheRowAsListedAndTheModulesStartingWithTheProgramWhenItHasOne) {
    ChildProcess helper = proc_test::StartIdle();
    Frm_Tasks page(prompts_);
    page.Form_Load();
    const int row = RowOf(page, helper.id());
    ASSERT_GE(row, 0);
    page.SelectRow(row);
    page.SetTimerEnabled(true);

    Frm_ProcInfo details(page);
    details.Form_Load();
    EXPECT_FALSE(page.TimerEnabled());
    EXPECT_EQ(details.Caption, "Process Details : proc_idle.exe");
    const TaskRow& task = page.Lv[row];
    const char* facts[] = {"Process Name", "Process ID", "File Path", "Memory Usage", "Priority", "Threads"};
    ASSERT_EQ(details.Lv1.size(), std::size(facts));
    for (size_t i = 0; i < std::size(facts); ++i) EXPECT_EQ(details.Lv1[i].data, facts[i]);
    EXPECT_EQ(details.Lv1[0].value, "proc_idle.exe");
    EXPECT_EQ(details.Lv1[1].value, std::to_string(helper.id()));
    EXPECT_EQ(details.Lv1[2].value, task.tag);
    EXPECT_EQ(details.Lv1[3].value, task.memory);
    EXPECT_EQ(details.Lv1[4].value, "Normal");
    EXPECT_EQ(details.Lv1[5].value, task.threads);

    ASSERT_GE(details.Lv2.size(), 2u);
    EXPECT_EQ(details.Lv2[0].name, "proc_idle.exe");
    EXPECT_TRUE(details.Lv2[0].executable);
    EXPECT_FALSE(details.Lv2[1].executable);
    EXPECT_TRUE(details.Btn2Enabled);
    EXPECT_EQ(details.CountLabel, "");

    details.Btn2_Click();
    EXPECT_FALSE(details.Lv1Visible);
    EXPECT_TRUE(details.Btn2Selected);
    EXPECT_FALSE(details.Btn1Selected);
    EXPECT_EQ(details.CountLabel, "Modules : " + std::to_string(details.Lv2.size()));

    details.Form_Unload();
    EXPECT_TRUE(page.TimerEnabled());

    // Listed without a path: "N/A", and no module list to switch to.
    page.Lv[row].tag = " ";
    page.SelectRow(row);
    Frm_ProcInfo pathless(page);
    pathless.Form_Load();
    EXPECT_EQ(pathless.Lv1[2].value, "N/A");
    EXPECT_TRUE(pathless.Lv2.empty());
    EXPECT_FALSE(pathless.Btn2Enabled);
    pathless.Btn2_Click();
    EXPECT_TRUE(pathless.Lv1Visible);
}

TEST(ProcessModules, AThirtyTwoBitProgramListsItsOwnModules) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemWow64DirectoryW(folder, MAX_PATH);
    const std::string ping = platform::ToUtf8(std::wstring_view(folder, length)) + "\\ping.exe";
    if (length == 0 || !platform::FileExists(ping)) GTEST_SKIP() << "no 32-bit programs in this prefix";
    // Any 32-bit program that stays a while.
    ChildProcess program = ChildProcess::Start(ping, "-n 300 127.0.0.1");
    std::vector<platform::ModuleEntry> modules;
    for (int i = 0; i < 500 && modules.size() < 2; ++i, ::Sleep(10)) modules = platform::SnapshotModules(program.id());
    ASSERT_FALSE(modules.empty());
    EXPECT_EQ(platform::UpperCaseForComparison(modules[0].name), "PING.EXE");
    EXPECT_EQ(platform::UpperCaseForComparison(modules[0].path), platform::UpperCaseForComparison(ping));
}
