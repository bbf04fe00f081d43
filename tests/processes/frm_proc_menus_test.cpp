#include "processes/frm_proc_menus.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/process_info.h"
#include "proc_fixture.h"
#include "processes/critical_process.h"
#include "processes/frm_tasks.h"
#include "processes/mod_proc.h"
#include "processes/process_tree.h"

using namespace processes;
using proc_test::RowOf;
using testing_support::ChildProcess;

namespace {

class ProcMenus : public proc_test::ProcessPage {
protected:
    // The page loaded with the process's row selected.
    void Load(Frm_Tasks& page, uint32_t id) {
        page.Form_Load();
        const int row = RowOf(page, id);
        ASSERT_GE(row, 0);
        page.SelectRow(row);
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : prompts_.messages) {
            EXPECT_EQ(message.title, "Clarimo");
            EXPECT_EQ(message.icon, core::PromptIcon::Exclamation);
            texts.push_back(message.text);
        }
        return texts;
    }
};

int CheckedIndex(const FrmProcMenus& menus) {
    for (size_t i = 0; i < menus.PriorityChecked.size(); ++i)
        if (menus.PriorityChecked[i]) return static_cast<int>(i);
    return -1;
}

}  // namespace

TEST_F(ProcMenus, OpeningMarksThePriorityEnablesEntriesOnlyWithASelectionAndPathlessRowsRefuse) {
    ChildProcess helper = proc_test::StartIdle();
    ASSERT_TRUE(platform::SetProcessPriorityClass(helper.id(), kBelowNormal));
    Frm_Tasks page(prompts_);
    ASSERT_NO_FATAL_FAILURE(Load(page, helper.id()));
    page.Menus.PopupOpening();
    EXPECT_TRUE(page.Menus.ProcessEntriesEnabled);
    EXPECT_EQ(CheckedIndex(page.Menus), 4);

    // A row listed without a path: Folder and Properties refuse.
    page.Lv[page.SelectedRow()].tag.clear();
    page.Menus.Mnu_Pop_Folder_Click();
    page.Menus.Mnu_Pop_Properties_Click();
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"Can't open this program folder",
                                                        "Can't display properties dialog for this program"}));

    // A reload unloads the menu; with nothing selected only Refresh is left.
    page.Menus.Mnu_Pop_Refresh_Click();
    EXPECT_FALSE(page.Menus.Loaded);
    page.SelectRow(-1);
    page.Menus.PopupOpening();
    EXPECT_FALSE(page.Menus.ProcessEntriesEnabled);
}

TEST(CriticalProcess, KnownByNameAndBySystemFolderOrMissingPath) {
    const std::string system = "C:\\windows\\system32";
    const struct {
        const char* name;
        std::string path;
        uint32_t id;
        bool critical;
    } table[] = {
        {"", "", 0, true},
        {"System", "", 4, true},
        {"Registry", "", 120, true},
        {"system", "C:\\Games\\system.exe", 1200, false},
        {"LSASS.EXE", system + "\\lsass.exe", 600, true},
        {"winlogon", "C:\\WINDOWS\\System32\\winlogon.exe", 610, true},
        {"csrss.exe", "", 500, true},
        {"lsass.exe", "C:\\Games\\lsass.exe", 700, false},
        {"notepad.exe", system + "\\notepad.exe", 900, false},
    };
    for (const auto& row : table)
        EXPECT_EQ(IsCriticalProcess(row.name, row.path, row.id, system), row.critical) << row.name << " " << row.path;
}

TEST_F(ProcMenus, CriticalProcessesAreRefusedAndOthersEndOnce) {
    // A helper named and placed as a critical program, in a system folder
    // of the test's own.
    const std::string system = settings_ / "system";
    testing_support::MakeFolder(system);
    ASSERT_TRUE(
        testing_support::CopyFileTo(testing_support::BesideTestProgram("proc_idle.exe"), system + "\\lsass.exe"));
    ChildProcess helper = ChildProcess::Start(system + "\\lsass.exe", "300");
    Frm_Tasks page(prompts_);
    page.systemFolder = system;
    ASSERT_NO_FATAL_FAILURE(Load(page, helper.id()));
    page.Menus.Mnu_Pop_EndProc_Click();
    page.Menus.Mnu_Pop_EndTree_Click();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>(2, "This is a critical system process, Can't end it"));
    EXPECT_FALSE(helper.WaitForExit(std::chrono::milliseconds(200)).has_value());
    EXPECT_EQ(RunMarker(), "missing");

    // The same program outside the system folder is an ordinary one.
    prompts_.messages.clear();
    page.systemFolder = platform::SystemFolder();
    page.Menus.Mnu_Pop_EndProc_Click();
    EXPECT_EQ(helper.WaitForExit(std::chrono::seconds(10)), std::optional<DWORD>(0));
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_EQ(RunMarker(), "0");

    helper = ChildProcess();  // the last handle goes, and with it the process
    page.Menus.Mnu_Pop_EndProc_Click();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Access is denied, Can't end this process"});
    EXPECT_EQ(RunMarker(), "0");
}

TEST_F(ProcMenus, EndProcessTreeEndsTheDescendantsChildrenFirst) {
    ChildProcess bystander = proc_test::StartIdle();
    ChildProcess root = ChildProcess::Start(testing_support::BesideTestProgram("proc_idle.exe"), "300 2");
    std::vector<platform::ProcessEntry> tree;
    for (int i = 0; i < 500 && tree.size() < 3; ++i, ::Sleep(10))
        tree = ProcessTreeChildrenFirst(platform::SnapshotProcesses(), root.id());
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[2].id, root.id());
    EXPECT_EQ(tree[1].parentId, root.id());
    EXPECT_EQ(tree[0].parentId, tree[1].id);
    // A process started before its "parent" got that identifier is no child.
    auto reused = platform::SnapshotProcesses();
    for (auto& entry : reused)
        if (entry.id == tree[1].id) entry.creationTime = tree[2].creationTime - 1;
    EXPECT_EQ(ProcessTreeChildrenFirst(reused, root.id()).size(), 1u);

    std::vector<platform::UniqueHandle> members;
    for (const auto& member : tree) members.emplace_back(::OpenProcess(SYNCHRONIZE, FALSE, member.id));
    Frm_Tasks page(prompts_);
    ASSERT_NO_FATAL_FAILURE(Load(page, root.id()));
    page.Menus.Mnu_Pop_EndTree_Click();
    for (const auto& member : members) EXPECT_EQ(::WaitForSingleObject(member.get(), 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(bystander.Running());
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_EQ(RunMarker(), "0");
}

TEST_F(ProcMenus, EndProcessOfTheProgramItselfLeavesTheOrderlyEndMark) {
    // Run in a process of its own: the test runner must not end itself.
    ChildProcess program =
        ChildProcess::Start(testing_support::BesideTestProgram("proc_end_self.exe"), "\"" + settings_.path() + "\"");
    EXPECT_EQ(program.WaitForExit(std::chrono::seconds(30)), std::optional<DWORD>(0));
    EXPECT_EQ(RunMarker(), "1");
}

TEST_F(ProcMenus, AnIdentifierNowHeldByAnotherProgramIsNeverActedOn) {
    ChildProcess helper = proc_test::StartIdle();
    for (const char* change : {"name", "start time"}) {
        SCOPED_TRACE(change);
        Frm_Tasks page(prompts_);
        ASSERT_NO_FATAL_FAILURE(Load(page, helper.id()));
        bool detailsShown = false;
        page.onShowDetails = [&] { detailsShown = true; };
        // As if the listed program had ended and Windows had given its
        // identifier to another one.
        auto reuse = [&] {
            const int row = RowOf(page, helper.id());
            ASSERT_GE(row, 0);
            page.SelectRow(row);
            if (std::string(change) == "name")
                page.Lv[row].name = "listed.exe";
            else
                page.Lv[row].creationTime += 10'000'000;
        };
        const uint64_t rebuilds = page.rebuilds;
        for (auto action : {&FrmProcMenus::Mnu_Pop_EndProc_Click, &FrmProcMenus::Mnu_Pop_EndTree_Click,
                            &FrmProcMenus::Mnu_Pop_Details_Click}) {
            ASSERT_NO_FATAL_FAILURE(reuse());
            (page.Menus.*action)();
            EXPECT_EQ(page.SelectedTask(), nullptr);
        }
        ASSERT_NO_FATAL_FAILURE(reuse());
        page.Menus.Mnu_Pop_Priority_Click(5);
        EXPECT_TRUE(helper.Running());
        EXPECT_FALSE(detailsShown);
        EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), kNormal);
        EXPECT_EQ(page.rebuilds, rebuilds + 4);
        EXPECT_EQ(page.Lv[RowOf(page, helper.id())].name, "proc_idle.exe");
    }
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_EQ(RunMarker(), "missing");
}

TEST_F(ProcMenus, HighRaisesTheProgramsOwnClassToo) {
    ChildProcess helper = proc_test::StartIdle();
    const uint32_t own = platform::ProcessPriorityClass(platform::CurrentProcessId());
    Frm_Tasks page(prompts_);
    ASSERT_NO_FATAL_FAILURE(Load(page, helper.id()));
    page.Menus.Mnu_Pop_Priority_Click(5);
    EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), kLow);
    EXPECT_EQ(platform::ProcessPriorityClass(platform::CurrentProcessId()), own);

    page.Menus.Mnu_Pop_Priority_Click(1);
    EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), kHigh);
    EXPECT_EQ(platform::ProcessPriorityClass(platform::CurrentProcessId()), kHigh);
    platform::SetProcessPriorityClass(platform::CurrentProcessId(), own);
}
