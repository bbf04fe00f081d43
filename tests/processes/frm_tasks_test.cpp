#include "processes/frm_tasks.h"

#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <regex>

#include "platform/process_info.h"
#include "proc_fixture.h"
#include "processes/mod_proc.h"

using namespace processes;
using proc_test::RowOf;
using testing_support::ChildProcess;

namespace {

class FrmTasks : public proc_test::ProcessPage {};

std::vector<std::string> ColumnTitles(const Frm_Tasks& page) {
    std::vector<std::string> titles;
    for (const auto& column : page.Columns) titles.push_back(column.title);
    return titles;
}

template <typename Key>
bool SortedBy(const Frm_Tasks& page, Key key, bool descending) {
    return std::is_sorted(page.Lv.begin(), page.Lv.end(), [&](const TaskRow& a, const TaskRow& b) {
        return descending ? key(b) < key(a) : key(a) < key(b);
    });
}

}  // namespace

TEST_F(FrmTasks, ListsAndShowsARunningProcessWithItsPathAsItIs) {
    // A path outside the ANSI code page, with ".ico" inside a folder name
    // that a command-line parser would cut it at.
    const std::string folder = settings_ / "Ωmega my.icons";
    testing_support::MakeFolder(folder);
    const std::string path = folder + "\\prōc_идле.exe";
    ASSERT_TRUE(testing_support::CopyFileTo(testing_support::BesideTestProgram("proc_idle.exe"), path));
    ChildProcess helper = ChildProcess::Start(path, "300");
    Frm_Tasks page(prompts_);
    page.Form_Load();
    EXPECT_EQ(ColumnTitles(page),
              (std::vector<std::string>{"Process Name", "Memory Usage", "Priority", "Threads", "CPU"}));
    EXPECT_EQ(page.L2, "Running Processes : " + std::to_string(page.Lv.size()));
    const int row = RowOf(page, helper.id());
    ASSERT_GE(row, 0);
    const TaskRow& task = page.Lv[row];
    EXPECT_EQ(task.name, "prōc_идле.exe");
    EXPECT_EQ(task.tag, path);
    EXPECT_TRUE(std::regex_match(task.memory, std::regex(R"([0-9.,]+ (Byte|KB|MB|GB))"))) << task.memory;
    EXPECT_EQ(task.priority, "Normal");
    // The thread count as a Toolhelp snapshot tells it.
    const auto toolhelp = platform::ToolhelpProcesses();
    const auto listed = std::find_if(toolhelp.begin(), toolhelp.end(), [&](const auto& e) { return e.id == task.id; });
    ASSERT_NE(listed, toolhelp.end());
    EXPECT_EQ(task.threads, std::to_string(listed->threads));

    page.SelectRow(row);
    EXPECT_EQ(page.L2, "prōc_идле.exe");
    EXPECT_EQ(page.L3, path);
    EXPECT_EQ(page.L4, "Started At : " + GetProcStartTime(helper.id()));
    EXPECT_EQ(page.ProgPic, path);

    page.Lv[row].tag.clear();
    page.SelectRow(row);
    EXPECT_EQ(page.L3 + page.L4 + page.ProgPic, "");
}

TEST_F(FrmTasks, TimerUpdatesMemoryPriorityAndCpuInPlaceButLeavesTheThreadCount) {
    ChildProcess helper = proc_test::StartIdle();
    ChildProcess busy = ChildProcess::Start(testing_support::BesideTestProgram("proc_idle.exe"), "60 busy");
    Frm_Tasks page(prompts_);
    page.Form_Load();
    const int row = RowOf(page, helper.id());
    ASSERT_GE(row, 0);
    page.Lv[row].threads = "as listed";
    page.Lv[row].memory = "stale";
    page.Lv[row].workingSet = 1;
    const uint64_t rebuilds = page.rebuilds;
    std::vector<std::pair<size_t, TaskColumn>> written;
    page.onCellChanged = [&](size_t r, TaskColumn c) { written.emplace_back(r, c); };

    // Every class, as the tick reads it from the system's snapshot.
    for (const uint32_t priorityClass : {kHigh, kAboveNormal, kBelowNormal, kNormal, kLow}) {
        ASSERT_TRUE(platform::SetProcessPriorityClass(helper.id(), priorityClass));
        ::Sleep(100);
        page.Tm_Timer();
        EXPECT_EQ(page.Lv[row].priority, PriorityName(priorityClass));
    }
    PROCESS_MEMORY_COUNTERS counters = {};
    ASSERT_TRUE(::GetProcessMemoryInfo(helper.handle(), &counters, sizeof counters));
    EXPECT_EQ(page.Lv[row].memory, page.Files().CalcSize(counters.WorkingSetSize));
    EXPECT_EQ(page.rebuilds, rebuilds);
    EXPECT_EQ(page.Lv[row].threads, "as listed");
    for (const TaskColumn column : {TaskColumn::Memory, TaskColumn::Priority})
        EXPECT_NE(std::find(written.begin(), written.end(), std::make_pair(size_t(row), column)), written.end());
    // A busy process shows its share; an idle one none.
    EXPECT_GT(std::stoi(page.Lv[RowOf(page, busy.id())].cpu), 0);
    EXPECT_EQ(page.Lv[row].cpu, "0");
    // A second tick with nothing changed writes no priority cell.
    written.clear();
    page.Tm_Timer();
    for (const auto& [r, column] : written) EXPECT_NE(column, TaskColumn::Priority) << r;
}

TEST_F(FrmTasks, SortAndSelectionSurviveTicksAndReloads) {
    ChildProcess helper = proc_test::StartIdle();
    Frm_Tasks page(prompts_);
    page.Form_Load();
    ASSERT_GE(page.Lv.size(), 3u);
    page.SelectRow(RowOf(page, helper.id()));
    const auto memory = [](const TaskRow& row) { return row.workingSet; };
    page.SortBy(TaskColumn::Memory);
    EXPECT_TRUE(SortedBy(page, memory, false));
    page.SortBy(TaskColumn::Memory);
    EXPECT_TRUE(SortedBy(page, memory, true));
    ASSERT_NE(page.SelectedTask(), nullptr);
    EXPECT_EQ(page.SelectedTask()->id, helper.id());

    page.Tm_Timer();
    page.Menus.Mnu_Pop_Refresh_Click();
    EXPECT_TRUE(SortedBy(page, memory, true));
    ASSERT_NE(page.SelectedTask(), nullptr);
    EXPECT_EQ(page.SelectedTask()->id, helper.id());
    EXPECT_EQ(page.L2, "proc_idle.exe");

    // Numbers by value, not as text.
    page.Lv[0].threads = "10";
    page.Lv[1].threads = "9";
    page.SortBy(TaskColumn::Threads);
    EXPECT_TRUE(SortedBy(
        page, [](const TaskRow& row) { return std::stoul(row.threads); }, false));
    EXPECT_EQ(page.SelectedTask()->id, helper.id());
}

TEST_F(FrmTasks, TimerRebuildsWhenTheSetOfProcessesChanges) {
    ChildProcess first = proc_test::StartIdle();
    Frm_Tasks page(prompts_);
    page.Form_Load();
    page.SelectRow(0);
    // A process the user cannot open (a service of another account) that
    // starts between ticks is no change: selection and panel stay.
    auto entries = platform::SnapshotProcesses();
    entries.push_back({0x7FFFFFF0, 4, "service.exe", true, 1 << 20, 42});
    page.TickFrom(entries);
    page.TickFrom(entries);
    uint64_t rebuilds = page.rebuilds;
    EXPECT_EQ(rebuilds, 1u);
    EXPECT_EQ(page.SelectedRow(), 0);

    // One ends while another starts: the count stays, the set does not.
    ChildProcess second = proc_test::StartIdle();
    page.Tm_Timer();
    const size_t count = page.Lv.size();
    first.Kill();
    ChildProcess third = proc_test::StartIdle();
    page.Tm_Timer();
    EXPECT_EQ(page.rebuilds, rebuilds += 2);
    EXPECT_EQ(page.Lv.size(), count);
    EXPECT_EQ(RowOf(page, first.id()), -1);
    EXPECT_NE(RowOf(page, third.id()), -1);

    // An identifier that now names another executable also rebuilds.
    page.Lv[RowOf(page, third.id())].name = "other.exe";
    page.Tm_Timer();
    EXPECT_EQ(page.rebuilds, ++rebuilds);
    EXPECT_EQ(page.Lv[RowOf(page, third.id())].name, "proc_idle.exe");
}

TEST_F(FrmTasks, ListedProcessesAreHeldOnlyWhileTheTimerRuns) {
    // Wine still opens an ended process while anyone holds a handle to it,
    // and frees it a moment after the last handle went.
    auto end = [](ChildProcess& helper) {
        const uint32_t id = helper.id();
        helper.Kill();
        helper = ChildProcess();  // the last handle goes
        return id;
    };
    auto freed = [](uint32_t id) {
        for (int i = 0; i < 1000 && platform::ProcessQuery::Open(id); ++i) ::Sleep(10);
        return !platform::ProcessQuery::Open(id);
    };
    ChildProcess first = proc_test::StartIdle();
    ChildProcess second = proc_test::StartIdle();
    Frm_Tasks page(prompts_);
    page.Form_Load();
    page.SetTimerEnabled(true);
    page.SetTimerEnabled(false);
    EXPECT_TRUE(freed(end(first)));

    page.SetTimerEnabled(true);
    ChildProcess unlisted = proc_test::StartIdle();
    const uint32_t secondId = end(second);
    ASSERT_TRUE(freed(end(unlisted)));
    EXPECT_TRUE(platform::ProcessQuery::Open(secondId));
}

TEST_F(FrmTasks, WindowsNineEightLoaderListsExistingExecutablesWithoutMemory) {
    ChildProcess helper = proc_test::StartIdle();
    const std::string path = testing_support::BesideTestProgram("proc_idle.exe");
    Frm_Tasks page(prompts_);
    page.isWin9x = [] { return true; };
    page.Form_Load();
    EXPECT_EQ(ColumnTitles(page), (std::vector<std::string>{"Process Name", "Priority", "Threads"}));

    // These systems name the full path in the snapshot; Wine gives bare
    // names, so the entries are made here.
    const std::vector<platform::ProcessEntry> entries = {
        {helper.id(), 3, path},
        {0x7FFFFF00, 2, settings_ / "gone.exe"},
        {0x7FFFFF04, 1, ""},
    };
    page.LoadProcList9xFrom(entries);
    ASSERT_EQ(page.Lv.size(), 1u);
    const TaskRow& task = page.Lv[0];
    EXPECT_EQ(task.name, "proc_idle.exe");
    EXPECT_EQ(task.tag, path);
    EXPECT_EQ(task.threads, "3");
    EXPECT_EQ(task.memory + task.cpu, "");

    page.SelectRow(0);
    EXPECT_EQ(page.L3, path);
    EXPECT_EQ(page.L4, "");

    // Missing executables are not counted by the tick either, so the list
    // stays as it is; a priority change still shows.
    ASSERT_TRUE(platform::SetProcessPriorityClass(helper.id(), kHigh));
    page.TickFrom(entries);
    EXPECT_EQ(page.rebuilds, 2u);
    EXPECT_EQ(page.Lv[0].priority, "High");
}
