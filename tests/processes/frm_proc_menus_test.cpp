#include "processes/frm_proc_menus.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/file_system.h"
#include "platform/process_info.h"
#include "platform/utf.h"
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

TEST_F(ProcMenus, OpeningMarksThePriorityPathlessRowsRefuseAndHighRaisesTheProgramToo) {
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

    // Low changes only the process; High also raises the program's own class.
    const uint32_t own = platform::ProcessPriorityClass(platform::CurrentProcessId());
    page_.SelectRow(RowOf(page_, helper.id()));
    for (const int index : {5, 1}) {
        page_.Menus.Mnu_Pop_Priority_Click(index);
        EXPECT_EQ(platform::ProcessPriorityClass(helper.id()), PriorityClassAt(index));
        EXPECT_EQ(platform::ProcessPriorityClass(platform::CurrentProcessId()), index == 1 ? kHigh : own);
    }
    platform::SetProcessPriorityClass(platform::CurrentProcessId(), own);
}

TEST(CriticalProcess, KnownByNameAndBySystemFolderOrMissingPath) {
    const std::string sys = "C:\\windows\\system32";
    const struct {
        std::string name, path;
        uint32_t id;
        bool critical;
    } table[] = {{"", "", 0, true},
                 {"System", "", 4, true},
                 {"csrss.exe", "", 500, true},
                 {"LSASS.EXE", sys + "\\lsass.exe", 600, true},
                 {"winlogon", "C:\\WINDOWS\\System32\\winlogon.exe", 610, true},
                 {"system", "C:\\Games\\system.exe", 1200, false},
                 {"notepad.exe", sys + "\\notepad.exe", 900, false}};
    for (const auto& row : table) EXPECT_EQ(IsCriticalProcess(row.name, row.path, row.id, sys), row.critical) << row.id;
}

TEST_F(ProcMenus, CriticalProcessesAreRefusedOthersEndOnceAndTheProgramItselfLeavesItsMark) {
    // A helper named and placed as lsass, in a system folder of the test's own.
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

    // The program ending itself (in a process of its own) leaves its mark.
    helper =
        ChildProcess::Start(testing_support::BesideTestProgram("proc_end_self.exe"), "\"" + settings_.path() + "\"");
    EXPECT_EQ(helper.WaitForExit(std::chrono::seconds(30)), std::optional<DWORD>(0));
    EXPECT_EQ(RunMarker(), "1");
}

TEST_F(ProcMenus, EndProcessTreeEndsTheDescendantsChildrenFirst) {
    ChildProcess bystander = proc_test::StartIdle();
    ChildProcess root = proc_test::StartIdle("300 2");  // a chain of three
    std::vector<platform::ProcessEntry> tree;
    // Under Wine a process still starting was once seen not to end: wait for its libraries.
    for (int i = 0; i < 500 && (tree.size() < 3 || platform::SnapshotModules(tree[0].id).size() < 2); ++i, ::Sleep(10))
        tree = ProcessTreeChildrenFirst(platform::SnapshotProcesses(), root.id());
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(std::vector<uint32_t>({tree[0].parentId, tree[1].parentId, tree[2].id}),
              std::vector<uint32_t>({tree[1].id, root.id(), root.id()}));
    // A process started before its "parent" got that identifier is no child.
    auto reused = tree;
    reused[1].creationTime = reused[2].creationTime - 1;
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
            // As if Windows had given the listed identifier to another program.
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

TEST(ModProc, UnknownClassesShowAsNormalAndTimesHaveNoLeadingZeros) {
    EXPECT_EQ(PriorityName(12345) + GetProcPriority(0x7FFFFFF0) + std::to_string(PriorityIndex(0)), "Normal03");
    EXPECT_EQ(StartTimeText(14, 3, 9), "14:3.9");
}

TEST(ModProc, EndsOnlyTheProcessCreatedAtTheExpectedTime) {
    ChildProcess helper = proc_test::StartIdle();
    const auto created = platform::ProcessCreationTime(helper.id());
    ASSERT_TRUE(created.has_value());
    // Another creation time stands for another program holding the identifier.
    EXPECT_FALSE(TerminateProc(helper.id(), *created + 1));
    EXPECT_TRUE(helper.Running());

    EXPECT_TRUE(TerminateProc(helper.id(), *created));
    EXPECT_EQ(helper.WaitForExit(std::chrono::seconds(10)), std::optional<DWORD>(0));
    // Ended already (the test still holds a handle to it): nothing to end.
    EXPECT_FALSE(TerminateProc(helper.id()));
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
