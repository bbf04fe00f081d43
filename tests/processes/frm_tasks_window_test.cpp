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
using testing_support::PressKeys;
using testing_support::PumpUntil;

namespace {

std::string ChildTextStarting(HWND parent, const std::string& prefix) {
    for (HWND child : testing_support::ChildWindows(parent)) {
        const std::string text = platform::WindowText(child);
        if (text.rfind(prefix, 0) == 0) return text;
    }
    return {};
}

bool ListShows(HWND list, const std::string& key, Frm_Tasks& logic, uint32_t id) {
    const int row = RowOf(logic, id);
    return row >= 0 && ListView_GetItemCount(list) == static_cast<int>(logic.Lv.size()) &&
           testing_support::ListCellText(list, row, 0) == key;
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
    EXPECT_EQ(testing_support::ListCellText(list, row, 1), logic.Lv[row].memory);
    EXPECT_EQ(testing_support::ListCellText(list, row, 2), "Normal");
    EXPECT_EQ(testing_support::ListCellText(list, row, 3), logic.Lv[row].threads);
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

    // A window opened after a theme change shows the new colours.
    testing_support::ScopedTheme green(1);
    Frm_ProcInfo details(logic);
    FrmProcInfoWindow window(details);
    ASSERT_TRUE(window.Open(host.hwnd()));
    EXPECT_EQ(ListView_GetTextColor(window.FactsList()), green.text());
    EXPECT_EQ(testing_support::ColoursOfStatic(window.Window(), window.CountLabel()).back, green.back());
    EXPECT_FALSE(logic.TimerEnabled());
    EXPECT_EQ(platform::WindowText(window.Window()), "Process Details : proc_idle.exe");
    EXPECT_EQ(ListView_GetItemCount(window.FactsList()), 6);
    EXPECT_EQ(testing_support::ListCellText(window.FactsList(), 2, 1), logic.Lv[row].tag);
    EXPECT_TRUE(::IsWindowVisible(window.FactsList()));
    EXPECT_TRUE(::IsWindowEnabled(window.ModulesTab()));

    window.ClickTab(2);
    EXPECT_TRUE(::IsWindowVisible(window.ModulesList()));
    EXPECT_FALSE(::IsWindowVisible(window.FactsList()));
    EXPECT_EQ(testing_support::ListCellText(window.ModulesList(), 0, 0), "proc_idle.exe");
    EXPECT_EQ(platform::WindowText(window.CountLabel()),
              "Modules : " + std::to_string(ListView_GetItemCount(window.ModulesList())));
    window.Close();
    EXPECT_TRUE(logic.TimerEnabled());
    page.EnableRefreshTimer(false);
}

// Shift+F10 and the Apps key open the list's menu at the selected row, as a
// right click does; its messages are owned by the page's window; the list
// and the labels follow the theme.
TEST(ProcessPageWindow, KeysOpenTheMenuAtTheSelectedRowAndTheThemeReachesTheList) {
    testing_support::TestWindow host(480, 330);
    testing_support::ScriptedPrompts prompts;
    ChildProcess helper = proc_test::StartIdle();
    FrmTasksWindow page(prompts);
    ASSERT_TRUE(page.Create(host.hwnd()));
    ::ShowWindow(page.Panel(), SW_SHOW);
    const HWND list = page.List();
    const int row = RowOf(page.Logic(), helper.id());
    ASSERT_GE(row, 0);
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    std::vector<POINT> opened;
    bool endProcessOffered = false;
    page.trackMenu = [&](HMENU menu, POINT at) -> UINT {
        opened.push_back(at);
        endProcessOffered = !(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
        return 0;
    };
    ::SetForegroundWindow(host.hwnd());
    ::SetFocus(list);
    PressKeys({VK_SHIFT, VK_F10});
    ASSERT_TRUE(PumpUntil([&] { return opened.size() == 1; }, 3000));
    PressKeys({VK_APPS});
    ASSERT_TRUE(PumpUntil([&] { return opened.size() == 2; }, 3000));
    EXPECT_TRUE(endProcessOffered);
    RECT shown;
    ListView_GetItemRect(list, row, &shown, LVIR_BOUNDS);
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

    const HWND label = ::FindWindowExW(page.Panel(), nullptr, L"STATIC", nullptr);
    for (int theme : {1, 3}) {
        testing_support::ScopedTheme applied(theme);
        EXPECT_EQ(ListView_GetTextColor(list), applied.text()) << theme;
        const auto colours = testing_support::ColoursOfStatic(page.Panel(), label);
        EXPECT_EQ(colours.text, applied.text()) << theme;
        EXPECT_EQ(colours.back, applied.back()) << theme;
    }
}
