// Shows the main window on one page in one theme for screenshots:
//   main_window_shot.exe PAGE THEME [SECONDS [compact]]
// Settings go to a throw-away folder; the window closes itself after
// SECONDS (default 20) without ending the process from inside the unload.
#include <windows.h>

#include <cwchar>

#include "core/results_tally.h"
#include "core/settings.h"
#include "platform/ui.h"
#include "shell/frm_main.h"
#include "shell/frm_main_window.h"
#include "shell/themes.h"
#include "support/temp_folder.h"

namespace {

void CALLBACK EndRun(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int page = argc > 1 ? _wtoi(argv[1]) : 0;
    const int theme = argc > 2 ? _wtoi(argv[2]) : 0;
    const int seconds = argc > 3 ? _wtoi(argv[3]) : 20;
    // The pointer away from the window: no hover tool tip in the picture.
    ::SetCursorPos(0, 0);
    testing_support::TempFolder folder;
    core::SetSettingsPaths(folder.path());
    shell::ApplyTheme(theme);
    shell::FrmMain form([] { ::PostQuitMessage(0); });
    shell::FrmMainWindow window(form);
    if (!window.Show()) return 1;
    if (argc > 4 && std::wcscmp(argv[4], L"compact") == 0) form.SetCompactView(true);
    form.ShowPage(page);
    if (page == 0) {
        core::CleanedCount = 3;
        core::CleanedSize = 1536;
        form.ShowResult();
    }
    ::SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, &EndRun);
    return platform::RunMessageLoop();
}
