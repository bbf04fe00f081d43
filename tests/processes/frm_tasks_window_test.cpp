#include "processes/frm_tasks_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/utf.h"
#include "platform/window_text.h"
#include "proc_fixture.h"
#include "processes/frm_proc_info_window.h"
#include "support/scoped_theme.h"
#include "support/test_window.h"
#include "support/window_colours.h"
#include "support/window_probes.h"

using namespace processes;
using proc_test::RowOf;
using testing_support::ChildProcess;
using testing_support::ListCellText;
using testing_support::PumpUntil;

namespace {

std::string ChildTextStarting(HWND parent, const std::string& prefix) {
    for (HWND child : testing_support::ChildWindows(parent)) {
        const std::string text = platform::WindowText(child);
        if (text.rfind(prefix, 0) == 0) return text;
    }
    return {};
}

void ClickHeader(HWND list, int column) {
    const HWND header = ListView_GetHeader(list);
    RECT item;
    ASSERT_TRUE(Header_GetItemRect(header, column, &item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(header, WM_LBUTTONUP, 0, at);
}

int HeaderSortMark(HWND list, int column) {
    HDITEMW item = {};
    item.mask = HDI_FORMAT;
    Header_GetItem(ListView_GetHeader(list), column, &item);
    return item.fmt & (HDF_SORTUP | HDF_SORTDOWN);
}

}  // namespace

// The list follows the ticks and the header's order; Shift+F10 and the Apps
// key open the menu at the selected row, whose messages the page's window
// owns; the list and labels follow the theme.
TEST(ProcessPageWindow, FollowsTicksSortsByHeaderAndOpensTheMenuFromKeys) {
    testing_support::TestWindow host(480, 330);
    testing_support::ScriptedPrompts prompts;
    FrmTasksWindow page(prompts);
    ASSERT_TRUE(page.Create(host.hwnd()));
    EXPECT_FALSE(::IsWindowVisible(page.Panel()));
    ::ShowWindow(page.Panel(), SW_SHOW);
    const HWND list = page.List();
    Frm_Tasks& logic = page.Logic();
    EXPECT_FALSE(logic.TimerEnabled());

    ChildProcess helper = proc_test::StartIdle();
    page.EnableRefreshTimer(true);
    ASSERT_TRUE(PumpUntil([&] { return RowOf(logic, helper.id()) >= 0; }, 2600));
    page.EnableRefreshTimer(false);
    EXPECT_EQ(ChildTextStarting(page.Panel(), "Running Processes : "),
              "Running Processes : " + std::to_string(ListView_GetItemCount(list)));
    ListView_SetItemState(list, RowOf(logic, helper.id()), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(ChildTextStarting(page.Panel(), "Started At : "), logic.L4);

    // Two clicks on "Memory Usage": ascending, then descending; the
    // selection moves with its row.
    for (const int mark : {HDF_SORTUP, HDF_SORTDOWN}) {
        ASSERT_NO_FATAL_FAILURE(ClickHeader(list, 1));
        EXPECT_TRUE(logic.SortedBy(TaskColumn::Memory));
        EXPECT_EQ(HeaderSortMark(list, 1), mark);
        const int row = RowOf(logic, helper.id());
        EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), row);
        EXPECT_EQ(ListCellText(list, 0, 0) + "|" + ListCellText(list, 0, 4), logic.Lv[0].name + "|" + logic.Lv[0].cpu);
    }

    std::vector<POINT> opened;
    bool endProcessOffered = false;
    std::string lastEntry;
    page.trackMenu = [&](HMENU menu, POINT at) -> UINT {
        opened.push_back(at);
        endProcessOffered = !(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, ::GetMenuItemCount(menu) - 1, text, 64, MF_BYPOSITION);
        lastEntry = platform::ToUtf8(text);
        return 0;
    };
    ::SetForegroundWindow(host.hwnd());
    ::SetFocus(list);
    testing_support::PressKeys({VK_SHIFT, VK_F10});
    ASSERT_TRUE(PumpUntil([&] { return opened.size() == 1; }, 3000));
    testing_support::PressKeys({VK_APPS});
    ASSERT_TRUE(PumpUntil([&] { return opened.size() == 2; }, 3000));
    EXPECT_TRUE(endProcessOffered);
    EXPECT_EQ(lastEntry, "End Process Tree");
    RECT shown;
    ListView_GetItemRect(list, RowOf(logic, helper.id()), &shown, LVIR_BOUNDS);
    ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&shown), 2);
    for (const POINT& at : opened) {
        EXPECT_GE(at.y, shown.top);
        EXPECT_LE(at.y, shown.bottom);
    }

    // End Process on a process that has gone.
    helper.Kill();
    page.trackMenu = [](HMENU menu, POINT) { return ::GetMenuItemID(menu, 0); };
    page.ShowMenu({0, 0});
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.owners.back(), host.hwnd());

    testing_support::ScopedTheme applied(3);
    EXPECT_EQ(ListView_GetTextColor(list), applied.text());
    const auto colours =
        testing_support::ColoursOfStatic(page.Panel(), ::FindWindowExW(page.Panel(), nullptr, L"STATIC", nullptr));
    EXPECT_EQ(colours.text, applied.text());
    EXPECT_EQ(colours.back, applied.back());
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
    EXPECT_TRUE(::IsWindowEnabled(window.ModulesTab()));

    window.ClickTab(2);
    EXPECT_TRUE(::IsWindowVisible(window.ModulesList()));
    EXPECT_FALSE(::IsWindowVisible(window.FactsList()));
    EXPECT_EQ(ListCellText(window.ModulesList(), 0, 0), "proc_idle.exe");
    EXPECT_GE(ListView_GetItemCount(window.ModulesList()), 2);
    EXPECT_EQ(platform::WindowText(window.CountLabel()),
              "Modules : " + std::to_string(ListView_GetItemCount(window.ModulesList())));
    window.Close();
    EXPECT_TRUE(logic.TimerEnabled());
    page.EnableRefreshTimer(false);

    // Listed without a path: "N/A", and no module list to switch to.
    logic.Lv[row].tag = " ";
    Frm_ProcInfo pathless(logic);
    pathless.Form_Load();
    EXPECT_EQ(pathless.Lv1[2].value, "N/A");
    EXPECT_TRUE(pathless.Lv2.empty());
    EXPECT_FALSE(pathless.Btn2Enabled);
}
