// Ends its own process through the process page's End Process, as a user
// who picks the program itself in the list would; the test then reads the
// run marker it leaves in FOLDER\Qxs.ini.
//   proc_end_self.exe FOLDER
// Exit code 0: ended by End Process; 3: its row was not found; 4: End
// Process came back.
#include <windows.h>

#include "core/settings.h"
#include "core/startup_shutdown.h"
#include "platform/utf.h"
#include "processes/frm_tasks.h"
#include "support/scripted_prompts.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    core::SetSettingsPaths(platform::ToUtf8(argv[1]));
    core::MarkRunning(core::MainIniPath);
    testing_support::ScriptedPrompts prompts;
    processes::Frm_Tasks page(prompts);
    page.Form_Load();
    const DWORD self = ::GetCurrentProcessId();
    for (size_t i = 0; i < page.Lv.size(); ++i) {
        if (page.Lv[i].id != self) continue;
        page.SelectRow(static_cast<int>(i));
        page.Menus.Mnu_Pop_EndProc_Click();
        return 4;
    }
    return 3;
}
