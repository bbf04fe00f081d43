// Shows the process page (or its details window) with a few idle helper
// processes for some seconds, so that tests/tools/proc_shots.sh can take
// screenshots.
//   proc_shots.exe page|small|details|modules [seconds]
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>
#include <vector>

#include "processes/frm_proc_info_window.h"
#include "processes/frm_tasks_window.h"
#include "support/child_process.h"
#include "support/scripted_prompts.h"
#include "support/test_window.h"

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"page";
    const int seconds = argc > 2 ? std::stoi(argv[2]) : 6;
    std::vector<testing_support::ChildProcess> helpers;
    for (int i = 0; i < 3; ++i)
        helpers.push_back(testing_support::ChildProcess::Start(testing_support::BesideTestProgram("proc_idle.exe")));

    const bool small = mode == L"small";
    testing_support::TestWindow host(small ? 480 : 640, small ? 330 : 420);
    testing_support::ScriptedPrompts prompts;
    processes::FrmTasksWindow page(prompts);
    if (!page.Create(host.hwnd())) return 1;
    ::ShowWindow(page.Panel(), SW_SHOW);
    page.EnableRefreshTimer(true);
    testing_support::PumpMessages(1500);

    // Select the first helper, as a click on its row does.
    processes::Frm_Tasks& logic = page.Logic();
    for (size_t i = 0; i < logic.Lv.size(); ++i) {
        if (logic.Lv[i].id != helpers[0].id()) continue;
        ListView_SetItemState(page.List(), static_cast<int>(i), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(page.List(), static_cast<int>(i), FALSE);
    }
    ::SetFocus(page.List());
    testing_support::PumpMessages(500);

    if (mode == L"details" || mode == L"modules") {
        processes::Frm_ProcInfo details(logic);
        processes::FrmProcInfoWindow window(details);
        if (!window.Open(host.hwnd())) return 2;
        if (mode == L"modules") window.ClickTab(2);
        testing_support::PumpMessages(seconds * 1000);
        window.Close();
    } else {
        testing_support::PumpMessages(seconds * 1000);
    }
    return 0;
}
