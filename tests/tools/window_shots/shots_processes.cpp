// The process page with its popup menu open on a helper process, sorted by
// "CPU"; or the details window over the page, on its two tabs.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "processes/frm_proc_info_window.h"
#include "processes/frm_tasks_window.h"
#include "support/child_process.h"
#include "support/scripted_prompts.h"
#include "window_shots.h"

namespace shots {

int ShowProcesses(const Request& request) {
    // The helper ends by itself: the script ends this program from outside.
    testing_support::ChildProcess helper = testing_support::ChildProcess::Start(
        testing_support::BesideTestProgram("proc_idle.exe"), std::to_string(request.seconds));
    const auto host = MakeHost(L"Clarimo - Processes", 640, 420);
    testing_support::ScriptedPrompts prompts;
    processes::FrmTasksWindow page(prompts);
    if (!page.Create(host->hwnd())) return 1;
    ::ShowWindow(page.Panel(), SW_SHOW);
    processes::Frm_Tasks& logic = page.Logic();
    for (size_t i = 0; i < logic.Lv.size(); ++i)
        if (logic.Lv[i].id == helper.id()) logic.SelectRow(static_cast<int>(i));
    if (request.state == "menu") {
        logic.SortBy(processes::TaskColumn::Cpu);
        RECT row = {};
        ListView_GetItemRect(page.List(), logic.SelectedRow(), &row, LVIR_LABEL);
        POINT at{row.left, row.bottom};
        ::ClientToScreen(page.List(), &at);
        page.ShowMenu(at);  // until the script ends this program
        return 0;
    }
    processes::Frm_ProcInfo details(logic);
    processes::FrmProcInfoWindow window(details);
    if (!window.Open(host->hwnd())) return 2;
    if (request.state == "modules") window.ClickTab(2);
    Stay(request, window.Window());
    window.Close();
    return 0;
}

}  // namespace shots
