#include "processes/frm_tasks.h"

#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
// clang-format on

#include <algorithm>

#include "platform/process_info.h"
#include "platform/window_text.h"
#include "proc_fixture.h"
#include "processes/frm_proc_info_window.h"
#include "processes/frm_tasks_window.h"
#include "processes/mod_proc.h"
#include "support/modal_steps.h"
#include "support/scoped_theme.h"
#include "support/test_window.h"
#include "support/window_probes.h"

using namespace processes;
using proc_test::RowOf;
using testing_support::ChildProcess;
using testing_support::ListCellText;
using testing_support::PumpUntil;

namespace {

class FrmTasks : public proc_test::ProcessPage {};

template <typename Key>
bool SortedBy(const Frm_Tasks& page, Key key, bool descending) {
    return std::is_sorted(page.Lv.begin(), page.Lv.end(), [&](const TaskRow& a, const TaskRow& b) {
        return descending ? key(b) < key(a) : key(a) < key(b);
    });
}

void ClickHeader(HWND list, int column) {
    const HWND header = ListView_GetHeader(list);
    RECT item;
    ASSERT_TRUE(Header_GetItemRect(header, column, &item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(header, WM_LBUTTONUP, 0, at);
}

}  // namespace

TEST_F(FrmTasks, ListsAndShowsARunningProcessWithItsPathAsItIsAndKeepsItSelected) {
    // A path outside the ANSI code page, with ".ico" inside a folder name
    // that a command-line parser would cut it at.
    const std::string folder = settings_ / "Ωmega my.icons";
    testing_support::MakeFolder(folder);
    const std::string path = folder + "\\prōc_идле.exe";
    ASSERT_TRUE(testing_support::CopyFileTo(testing_support::BesideTestProgram("proc_idle.exe"), path));
    ChildProcess helper = proc_test::StartIdle("300", path);
    ASSERT_NO_FATAL_FAILURE(Load(page_, helper.id()));
    const TaskRow& task = *page_.SelectedTask();
    EXPECT_EQ(task.name, "prōc_идле.exe");
    EXPECT_EQ(task.tag, path);
    // The thread count as a Toolhelp snapshot tells it.
    const auto toolhelp = platform::ToolhelpProcesses();
    const auto listed = std::find_if(toolhelp.begin(), toolhelp.end(), [&](const auto& e) { return e.id == task.id; });
    ASSERT_NE(listed, toolhelp.end());
    EXPECT_EQ(task.threads, std::to_string(listed->threads));

    EXPECT_EQ(page_.L3, path);
    EXPECT_EQ(page_.L4, "Started At : " + GetProcStartTime(helper.id()));
    EXPECT_EQ(page_.ProgPic, path);

    // Sorted by a number's value, the order and the selection survive a reload.
    page_.Lv[0].threads = "10";
    page_.Lv[1].threads = "9";
    const auto threads = [](const TaskRow& row) { return std::stoul(row.threads); };
    page_.SortBy(TaskColumn::Threads);
    page_.SortBy(TaskColumn::Threads);
    EXPECT_TRUE(SortedBy(page_, threads, true));
    page_.Menus.Mnu_Pop_Refresh_Click();
    EXPECT_TRUE(SortedBy(page_, threads, true));
    ASSERT_NE(page_.SelectedTask(), nullptr);
    EXPECT_EQ(page_.SelectedTask()->id, helper.id());

    page_.Lv[page_.SelectedRow()].tag.clear();
    page_.SelectRow(page_.SelectedRow());
    EXPECT_EQ(page_.L3 + page_.L4 + page_.ProgPic, "");
}

TEST_F(FrmTasks, TimerUpdatesRowsInPlaceAndRebuildsWhenTheSetOfProcessesChangesAndAHiddenPageHoldsNone) {
    ChildProcess helper = proc_test::StartIdle();
    ChildProcess busy = proc_test::StartIdle("60 busy");
    ASSERT_NO_FATAL_FAILURE(Load(page_, helper.id()));
    const auto memory = [](const TaskRow& row) { return row.workingSet; };
    page_.SortBy(TaskColumn::Memory);
    page_.Lv.front().workingSet = UINT64_MAX;  // the smallest, on top until the tick corrects it
    page_.SortBy(TaskColumn::Memory);
    TaskRow& row = page_.Lv[page_.SelectedRow()];
    row.threads = "as listed";
    row.memory = "stale";
    row.workingSet = 1;
    std::vector<std::pair<uint32_t, TaskColumn>> written;
    page_.onCellChanged = [&](size_t r, TaskColumn c) { written.emplace_back(page_.Lv[r].id, c); };

    // Every class, as the tick reads it from the system's snapshot.
    for (const uint32_t priorityClass : {kHigh, kAboveNormal, kBelowNormal, kNormal, kLow}) {
        ASSERT_TRUE(platform::SetProcessPriorityClass(helper.id(), priorityClass));
        ::Sleep(100);
        page_.Tm_Timer();
        EXPECT_EQ(page_.SelectedTask()->priority, PriorityName(priorityClass));
    }
    EXPECT_EQ(page_.rebuilds, 1u);
    EXPECT_TRUE(SortedBy(page_, memory, true));
    const TaskRow& task = *page_.SelectedTask();
    EXPECT_EQ(task.id, helper.id());
    EXPECT_EQ(task.threads, "as listed");
    PROCESS_MEMORY_COUNTERS counters = {};
    ASSERT_TRUE(::GetProcessMemoryInfo(helper.handle(), &counters, sizeof counters));
    EXPECT_EQ(task.memory, page_.Files().CalcSize(counters.WorkingSetSize));
    for (const TaskColumn column : {TaskColumn::Memory, TaskColumn::Priority})
        EXPECT_NE(std::find(written.begin(), written.end(), std::make_pair(uint32_t{helper.id()}, column)),
                  written.end());
    // A busy process shows its share; an idle one none.
    EXPECT_GT(std::stoi(page_.Lv[RowOf(page_, busy.id())].cpu), 0);
    EXPECT_EQ(task.cpu, "0");
    // A second tick with nothing changed writes no priority cell.
    written.clear();
    page_.Tm_Timer();
    for (const auto& [id, column] : written) EXPECT_NE(column, TaskColumn::Priority) << id;

    // A process the user cannot open (a service of another account) that
    // starts between ticks is no change.
    auto entries = platform::SnapshotProcesses();
    entries.push_back({0x7FFFFFF0, 4, "service.exe", true, 1 << 20, 42});
    page_.TickFrom(entries);
    page_.TickFrom(entries);
    EXPECT_EQ(page_.rebuilds, 1u);

    // One ends while another starts: the count stays, the set does not.
    ChildProcess second = proc_test::StartIdle();
    page_.Tm_Timer();
    const size_t count = page_.Lv.size();
    // A hidden page holds no process open: Wine frees an ended one a moment
    // after the last handle to it went.
    page_.SetTimerEnabled(true);
    page_.SetTimerEnabled(false);
    const uint32_t ended = busy.id();
    busy.Kill();
    busy = ChildProcess();
    for (int i = 0; i < 1000 && platform::ProcessQuery::Open(ended); ++i) ::Sleep(10);
    EXPECT_FALSE(platform::ProcessQuery::Open(ended));
    ChildProcess third = proc_test::StartIdle();
    page_.Tm_Timer();
    EXPECT_EQ(page_.rebuilds, 3u);
    EXPECT_EQ(page_.Lv.size(), count);
    ASSERT_NE(RowOf(page_, third.id()), -1);

    // An identifier that now names another executable also rebuilds.
    page_.Lv[RowOf(page_, third.id())].name = "other.exe";
    page_.Tm_Timer();
    EXPECT_EQ(page_.rebuilds, 4u);
    EXPECT_EQ(page_.Lv[RowOf(page_, third.id())].name, "proc_idle.exe");
}

TEST_F(FrmTasks, WindowsNineEightLoaderListsExistingExecutablesWithoutMemory) {
    ChildProcess helper = proc_test::StartIdle();
    const std::string path = testing_support::BesideTestProgram("proc_idle.exe");
    page_.isWin9x = [] { return true; };
    page_.Form_Load();

    // These systems name the full path in the snapshot; Wine gives bare
    // names, so the entries are made here.
    const std::vector<platform::ProcessEntry> entries = {
        {helper.id(), 3, path},
        {0x7FFFFF00, 2, settings_ / "gone.exe"},
        {0x7FFFFF04, 1, ""},
    };
    page_.LoadProcList9xFrom(entries);
    ASSERT_EQ(page_.Lv.size(), 1u);
    const TaskRow& task = page_.Lv[0];
    EXPECT_EQ(task.name + "|" + task.tag + "|" + task.threads, "proc_idle.exe|" + path + "|3");
    EXPECT_EQ(task.memory + task.cpu, "");
    page_.SelectRow(0);
    EXPECT_EQ(page_.L4, "");  // no start time on these systems

    // Missing executables are not counted by the tick either, so the list
    // stays as it is; a priority change still shows.
    ASSERT_TRUE(platform::SetProcessPriorityClass(helper.id(), kHigh));
    page_.TickFrom(entries);
    EXPECT_EQ(page_.rebuilds, 2u);
    EXPECT_EQ(page_.Lv[0].priority, "High");
}

TEST(ProcessPageWindow, FollowsTicksSortsByHeaderOpensTheMenuFromKeysAndShowsDetails) {
    testing_support::TestWindow host(600, 420);
    testing_support::ScriptedPrompts prompts;
    FrmTasksWindow page(prompts);
    ASSERT_TRUE(page.Create(host.hwnd()));
    ::ShowWindow(page.Panel(), SW_SHOW);
    const HWND list = page.List();
    Frm_Tasks& logic = page.Logic();

    ChildProcess helper = proc_test::StartIdle();
    page.EnableRefreshTimer(true);
    ASSERT_TRUE(PumpUntil([&] { return RowOf(logic, helper.id()) >= 0; }, 2600));
    page.EnableRefreshTimer(false);
    const std::string count = "Running Processes : " + std::to_string(ListView_GetItemCount(list));
    EXPECT_NE(testing_support::FindDescendant(page.Panel(), L"STATIC", count), nullptr);
    ListView_SetItemState(list, RowOf(logic, helper.id()), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_NE(testing_support::FindDescendant(page.Panel(), L"STATIC", logic.L4), nullptr);

    for (int click = 0; click < 2; ++click) {
        ASSERT_NO_FATAL_FAILURE(ClickHeader(list, 1));
        EXPECT_TRUE(logic.SortedBy(TaskColumn::Memory));
        EXPECT_EQ(logic.SortDescending(), click == 1);
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), RowOf(logic, helper.id()));
        EXPECT_EQ(ListCellText(list, 0, 0) + "|" + ListCellText(list, 0, 4), logic.Lv[0].name + "|" + logic.Lv[0].cpu);
    }

    const auto entries = testing_support::PopupMenuTexts([&] {
        ::SetForegroundWindow(host.hwnd());
        ::SetFocus(list);
        testing_support::PressKeys({VK_APPS});
    });
    EXPECT_EQ(entries,
              (std::vector<std::string>{"End Process", "-", "Process Details", "Priority", "-", "Program Folder",
                                        "Properties", "-", "Refresh", "-", "End Process Tree"}));

    const int row = RowOf(logic, helper.id());
    page.EnableRefreshTimer(true);
    testing_support::ScopedTheme green(1);
    EXPECT_EQ(ListView_GetTextColor(list), green.text());
    Frm_ProcInfo details(logic);
    FrmProcInfoWindow window(details);
    ASSERT_TRUE(window.Open(host.hwnd()));
    EXPECT_EQ(ListView_GetTextColor(window.FactsList()), green.text());
    EXPECT_FALSE(logic.TimerEnabled());
    EXPECT_EQ(platform::WindowText(window.Window()), "Process Details : proc_idle.exe");
    const TaskRow& task = logic.Lv[row];
    const std::vector<std::string> facts = {task.name,   std::to_string(helper.id()), task.tag, task.memory, "Normal",
                                            task.threads};
    ASSERT_EQ(ListView_GetItemCount(window.FactsList()), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ListCellText(window.FactsList(), i, 1), facts[i]) << i;

    window.ClickTab(2);
    EXPECT_TRUE(::IsWindowVisible(window.ModulesList()) && !::IsWindowVisible(window.FactsList()));
    EXPECT_EQ(ListCellText(window.ModulesList(), 0, 0), "proc_idle.exe");
    EXPECT_EQ(platform::WindowText(window.CountLabel()),
              "Modules : " + std::to_string(ListView_GetItemCount(window.ModulesList())));
    window.Close();
    EXPECT_TRUE(logic.TimerEnabled());
    page.EnableRefreshTimer(false);

    // Listed without a path: "N/A", and no module list to switch to.
    const std::string path = task.tag;
    logic.Lv[row].tag = " ";
    Frm_ProcInfo pathless(logic);
    pathless.Form_Load();
    EXPECT_EQ(pathless.Lv1[2].value, "N/A");
    EXPECT_TRUE(pathless.Lv2.empty());
    EXPECT_FALSE(pathless.Btn2Enabled);
    logic.Lv[row].tag = path;

    // End Process on a process that has gone.
    helper.Kill();
    page.trackMenu = [](HMENU menu, POINT) { return ::GetMenuItemID(menu, 0); };
    page.ShowMenu({0, 0});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.owners.back(), host.hwnd());
}
