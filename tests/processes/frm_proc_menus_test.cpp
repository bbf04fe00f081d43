#include "processes/frm_proc_menus.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/file_system.h"
#include "platform/process_info.h"
#include "proc_fixture.h"
#include "processes/critical_process.h"
#include "processes/mod_proc.h"
#include "processes/process_tree.h"

using namespace processes;
using proc_test::RowOf;
using testing_support::ChildProcess;

namespace {

class ProcMenus : public proc_test::ProcessPage {
protected:
    // Every message so far, each checked for the title and icon all share.
    std::vector<std::string> MessageTexts() {
        std::vector<std::string> texts;
        for (const auto& message : prompts_.messages) {
            EXPECT_EQ(message.title + (message.icon == core::PromptIcon::Exclamation ? " !" : ""), "Clarimo !");
            texts.push_back(message.text);
        }
        prompts_.messages.clear();
        return texts;
    }
};

}  // namespace

TEST_F(ProcMenus, OpeningMarksThePriorityEnablesEntriesOnlyWithASelectionAndPathlessRowsRefuse) {
    ChildProcess helper = proc_test::StartIdle();
    ASSERT_TRUE(platform::SetProcessPriorityClass(helper.id(), kBelowNormal));
    ASSERT_NO_FATAL_FAILURE(Load(page_, helper.id()));
    page_.Menus.PopupOpening();
    EXPECT_TRUE(page_.Menus.ProcessEntriesEnabled);
    EXPECT_EQ(page_.Menus.PriorityChecked, (std::array<bool, 6>{false, false, false, false, true, false}));

    // A row listed without a path: Folder and Properties refuse.
    page_.Lv[page_.SelectedRow()].tag.clear();
    page_.Menus.Mnu_Pop_Folder_Click();
    page_.Menus.Mnu_Pop_Properties_Click();
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Can't open this program folder",
                                                        "Can't display properties dialog for this program"}));

    // A reload unloads the menu; with nothing selected only Refresh is left.
    page_.Menus.Mnu_Pop_Refresh_Click();
    EXPECT_FALSE(page_.Menus.Loaded);
    page_.SelectRow(-1);
    page_.Menus.PopupOpening();
    EXPECT_FALSE(page_.Menus.ProcessEntriesEnabled);
}

TEST(CriticalProcess, KnownByNameAndBySystemFolderOrMissingPath) {
    const std::string system = "C:\\windows\\system32";
    struct Probe {
        std::string name, path;
        uint32_t id;
    };
    const Probe critical[] = {{"", "", 0},
                              {"System", "", 4},
                              {"Registry", "", 120},
                              {"LSASS.EXE", system + "\\lsass.exe", 600},
                              {"csrss.exe", "", 500},
                              {"winlogon", "C:\\WINDOWS\\System32\\winlogon.exe", 610}};
    const Probe ordinary[] = {{"system", "C:\\Games\\system.exe", 1200},
                              {"lsass.exe", "C:\\Games\\lsass.exe", 700},
                              {"notepad.exe", system + "\\notepad.exe", 900}};
    for (const Probe& probe : critical) EXPECT_TRUE(IsCriticalProcess(probe.name, probe.path, probe.id, system));
    for (const Probe& probe : ordinary) EXPECT_FALSE(IsCriticalProcess(probe.name, probe.path, probe.id, system));
}

TEST_F(ProcMenus, CriticalProcessesAreRefusedOthersEndOnceAndTheProgramItselfLeavesItsMark) {
    // A helper named and placed as a critical program, in a system folder
    // of the test's own.
    page_.systemFolder = settings_ / "system";
    testing_support::MakeFolder(page_.systemFolder);
    const std::string lsass = page_.systemFolder + "\\lsass.exe";
    ASSERT_TRUE(testing_support::CopyFileTo(testing_support::BesideTestProgram("proc_idle.exe"), lsass));
    ChildProcess helper = proc_test::StartIdle("300", lsass);
    ASSERT_NO_FATAL_FAILURE(Load(page_, helper.id()));
    page_.Menus.Mnu_Pop_EndProc_Click();
    page_.Menus.Mnu_Pop_EndTree_Click();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>(2, "This is a critical system process, Can't end it"));
    EXPECT_FALSE(helper.WaitForExit(std::chrono::milliseconds(200)).has_value());
    EXPECT_EQ(RunMarker(), "missing");

    // The same program outside the system folder is an ordinary one.
    page_.systemFolder = platform::SystemFolder();
    page_.Menus.Mnu_Pop_EndProc_Click();
    EXPECT_EQ(helper.WaitForExit(std::chrono::seconds(10)), std::optional<DWORD>(0));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
    EXPECT_EQ(RunMarker(), "0");

    helper = ChildProcess();  // the last handle goes, and with it the process
    page_.Menus.Mnu_Pop_EndProc_Click();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Access is denied, Can't end this process"});
    EXPECT_EQ(RunMarker(), "0");

    // Ending the program itself, in a process of its own, leaves the
    // orderly-end mark.
    helper =
        ChildProcess::Start(testing_support::BesideTestProgram("proc_end_self.exe"), "\"" + settings_.path() + "\"");
    EXPECT_EQ(helper.WaitForExit(std::chrono::seconds(30)), std::optional<DWORD>(0));
    EXPECT_EQ(RunMarker(), "1");
}

TEST_F(ProcMenus, EndProcessTreeEndsTheDescendantsChildrenFirst) {
    ChildProcess bystander = proc_test::StartIdle();
    ChildProcess root = proc_test::StartIdle("300 2");  // a chain of three
    std::vector<platform::ProcessEntry> tree;
    for (int i = 0; i < 500 && tree.size() < 3; ++i, ::Sleep(10))
        tree = ProcessTreeChildrenFirst(platform::SnapshotProcesses(), root.id());
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(std::vector<uint32_t>({tree[0].parentId, tree[1].parentId, tree[2].id}),
              std::vector<uint32_t>({tree[1].id, root.id(), root.id()}));
    // A process started before its "parent" got that identifier is no child.
    auto reused = platform::SnapshotProcesses();
    for (auto& entry : reused)
        if (entry.id == tree[1].id) entry.creationTime = tree[2].creationTime - 1;
    EXPECT_EQ(ProcessTreeChildrenFirst(reused, root.id()).size(), 1u);

    std::vector<platform::UniqueHandle> members;
    for (const auto& member : tree) members.emplace_back(::OpenProcess(SYNCHRONIZE, FALSE, member.id));
    ASSERT_NO_FATAL_FAILURE(Load(page_, root.id()));
    page_.Menus.Mnu_Pop_EndTree_Click();
    for (const auto& member : members) EXPECT_EQ(::WaitForSingleObject(member.get(), 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(bystander.Running());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
    EXPECT_EQ(RunMarker(), "0");
}

TEST_F(ProcMenus, AnIdentifierNowHeldByAnotherProgramIsNeverActedOn) {
    ChildProcess helper = proc_test::StartIdle();
    for (const bool nameChanged : {true, false}) {
        SCOPED_TRACE(nameChanged ? "name" : "start time");
        ASSERT_NO_FATAL_FAILURE(Load(page_, helper.id()));
        const uint64_t rebuilds = page_.rebuilds;
        FrmProcMenus& menus = page_.Menus;
        const std::function<void()> actions[] = {
            [&] { menus.Mnu_Pop_EndProc_Click(); }, [&] { menus.Mnu_Pop_EndTree_Click(); },
            [&] { menus.Mnu_Pop_Details_Click(); }, [&] { menus.Mnu_Pop_Priority_Click(5); }};
        for (const auto& action : actions) {
            // As if the listed program had ended and Windows had given its
            // identifier to another one.
            page_.SelectRow(RowOf(page_, helper.id()));
            TaskRow& row = page_.Lv[page_.SelectedRow()];
            row.name = nameChanged ? "listed.exe" : row.name;
            row.creationTime += nameChanged ? 0 : 10'000'000;
            action();
            EXPECT_EQ(page_.SelectedTask(), nullptr);
        }
        EXPECT_TRUE(helper.Running());
        EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), kNormal);
        EXPECT_EQ(page_.rebuilds, rebuilds + 4);
        EXPECT_EQ(page_.Lv[RowOf(page_, helper.id())].name, "proc_idle.exe");
    }
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
    EXPECT_EQ(RunMarker(), "missing");
}

TEST_F(ProcMenus, HighRaisesTheProgramsOwnClassToo) {
    ChildProcess helper = proc_test::StartIdle();
    const uint32_t own = platform::ProcessPriorityClass(platform::CurrentProcessId());
    ASSERT_NO_FATAL_FAILURE(Load(page_, helper.id()));
    page_.Menus.Mnu_Pop_Priority_Click(5);
    EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), kLow);
    EXPECT_EQ(platform::ProcessPriorityClass(platform::CurrentProcessId()), own);

    page_.Menus.Mnu_Pop_Priority_Click(1);
    EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), kHigh);
    EXPECT_EQ(platform::ProcessPriorityClass(platform::CurrentProcessId()), kHigh);
    platform::SetProcessPriorityClass(platform::CurrentProcessId(), own);
}
