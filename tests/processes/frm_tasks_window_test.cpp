#include "processes/frm_tasks_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/window_text.h"
#include "proc_fixture.h"
#include "processes/frm_proc_info_window.h"
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

void ClickHeader(HWND list, int column) {
    const HWND header = ListView_GetHeader(list);
    RECT item;
    ASSERT_TRUE(Header_GetItemRect(header, column, &item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(header, WM_LBUTTONUP, 0, at);
}

}  // namespace

// The list follows the ticks and the header's order, the selection moving
// with its row; the Apps key opens the menu, whose messages the page's
// window owns; the list follows the theme.
TEST(ProcessPageWindow, FollowsTicksSortsByHeaderAndOpensTheMenuFromKeys) {
    testing_support::TestWindow host(480, 330);
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

    // End Process on a process that has gone.
    helper.Kill();
    page.trackMenu = [](HMENU menu, POINT) { return ::GetMenuItemID(menu, 0); };
    page.ShowMenu({0, 0});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.owners.back(), host.hwnd());

    testing_support::ScopedTheme applied(3);
    EXPECT_EQ(ListView_GetTextColor(list), applied.text());
}

TEST(ProcessPageWindow, DetailsWindowShowsTheRowAsListedAndTheModules) {
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

    // A window opened after a theme change shows the new colours.
    testing_support::ScopedTheme green(1);
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

    // Listed without a path: "N/A", and no module list to switch to.
    logic.Lv[row].tag = " ";
    Frm_ProcInfo pathless(logic);
    pathless.Form_Load();
    EXPECT_EQ(pathless.Lv1[2].value, "N/A");
    EXPECT_TRUE(pathless.Lv2.empty());
    EXPECT_FALSE(pathless.Btn2Enabled);
}
