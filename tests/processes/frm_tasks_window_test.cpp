#include "processes/frm_tasks_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui.h"
#include "platform/utf.h"
#include "proc_fixture.h"
#include "processes/frm_proc_info_window.h"
#include "support/test_window.h"
#include "support/window_probes.h"

using namespace processes;
using proc_test::RowOf;
using testing_support::ChildProcess;
using testing_support::PumpUntil;

namespace {

constexpr auto Children = testing_support::ChildWindows;

std::string ChildTextStarting(HWND parent, const std::string& prefix) {
    for (HWND child : Children(parent)) {
        const std::string text = platform::WindowText(child);
        if (text.rfind(prefix, 0) == 0) return text;
    }
    return {};
}

constexpr auto CellText = testing_support::ListCellText;

bool ListShows(HWND list, const std::string& key, Frm_Tasks& logic, uint32_t id) {
    const int row = RowOf(logic, id);
    return row >= 0 && ListView_GetItemCount(list) == static_cast<int>(logic.Lv.size()) &&
           CellText(list, row, 0) == key;
}

RECT ChildRect(HWND child) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

TEST(ProcessPageWindow, ShowsTheCountAndFollowsAHelperAcrossTicks) {
    testing_support::TestWindow host(480, 330);
    testing_support::ScriptedPrompts prompts;
    FrmTasksWindow page(prompts);
    ASSERT_TRUE(page.Create(host.hwnd()));
    EXPECT_FALSE(::IsWindowVisible(page.Panel()));
    ::ShowWindow(page.Panel(), SW_SHOW);
    HWND list = page.List();
    Frm_Tasks& logic = page.Logic();
    EXPECT_EQ(ChildTextStarting(page.Panel(), "Running Processes : "),
              "Running Processes : " + std::to_string(ListView_GetItemCount(list)));
    EXPECT_FALSE(logic.TimerEnabled());

    ChildProcess helper = proc_test::StartIdle();
    page.EnableRefreshTimer(true);
    ASSERT_TRUE(PumpUntil([&] { return ListShows(list, "proc_idle.exe", logic, helper.id()); }, 2600));
    const int row = RowOf(logic, helper.id());
    EXPECT_EQ(CellText(list, row, 1), logic.Lv[row].memory);
    EXPECT_EQ(CellText(list, row, 2), "Normal");
    EXPECT_EQ(CellText(list, row, 3), logic.Lv[row].threads);
    EXPECT_EQ(ChildTextStarting(page.Panel(), "Running Processes : "),
              "Running Processes : " + std::to_string(ListView_GetItemCount(list)));
    // Selecting the row shows it in the panel; clearing the selection
    // leaves the menu nothing to act on.
    ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(logic.SelectedRow(), row);
    EXPECT_EQ(ChildTextStarting(page.Panel(), "Started At : "), logic.L4);
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    EXPECT_EQ(logic.SelectedTask(), nullptr);

    const uint32_t id = helper.id();
    helper.Kill();
    helper = ChildProcess();
    EXPECT_TRUE(
        PumpUntil([&] { return RowOf(logic, id) < 0 && ListView_GetItemCount(list) == int(logic.Lv.size()); }, 2600));
    page.EnableRefreshTimer(false);

    // At the smallest size every control lies inside the page, and nothing
    // shown overlaps the list.
    RECT client;
    ::GetClientRect(page.Panel(), &client);
    const RECT listRect = ChildRect(list);
    for (HWND child : Children(page.Panel())) {
        if (!::IsWindowVisible(child)) continue;
        const RECT rect = ChildRect(child);
        EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom)
            << platform::WindowText(child);
        RECT overlap;
        if (child != list) {
            EXPECT_FALSE(::IntersectRect(&overlap, &rect, &listRect)) << platform::WindowText(child);
        }
    }
    EXPECT_GT(listRect.bottom - listRect.top, 150);
}

TEST(ProcessPageWindow, DetailsWindowShowsFactsAndModules) {
    testing_support::TestWindow host(600, 420);
    testing_support::ScriptedPrompts prompts;
    ChildProcess helper = proc_test::StartIdle();
    FrmTasksWindow page(prompts);
    ASSERT_TRUE(page.Create(host.hwnd()));
    Frm_Tasks& logic = page.Logic();
    const int row = RowOf(logic, helper.id());
    ASSERT_GE(row, 0);
    logic.SelectRow(row);
    page.EnableRefreshTimer(true);

    Frm_ProcInfo details(logic);
    FrmProcInfoWindow window(details);
    ASSERT_TRUE(window.Open(host.hwnd()));
    EXPECT_FALSE(logic.TimerEnabled());
    EXPECT_EQ(platform::WindowText(window.Window()), "Process Details : proc_idle.exe");
    EXPECT_EQ(ListView_GetItemCount(window.FactsList()), 6);
    EXPECT_EQ(CellText(window.FactsList(), 2, 1), logic.Lv[row].tag);
    EXPECT_TRUE(::IsWindowVisible(window.FactsList()));
    EXPECT_TRUE(::IsWindowEnabled(window.ModulesTab()));

    window.ClickTab(2);
    EXPECT_TRUE(::IsWindowVisible(window.ModulesList()));
    EXPECT_FALSE(::IsWindowVisible(window.FactsList()));
    EXPECT_EQ(CellText(window.ModulesList(), 0, 0), "proc_idle.exe");
    EXPECT_EQ(platform::WindowText(window.CountLabel()),
              "Modules : " + std::to_string(ListView_GetItemCount(window.ModulesList())));
    window.Close();
    EXPECT_TRUE(logic.TimerEnabled());
    page.EnableRefreshTimer(false);
}
