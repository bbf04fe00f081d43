// The startup page and its two windows over made-up entries: the page with
// its "Status" column (startup-page), "Add New Program" and "Startup Items".
#include <windows.h>

#include <string>

#include "core/cls_file_folder.h"
#include "core/settings.h"
#include "platform/handles.h"
#include "startup/add_new_prog_window.h"
#include "startup/all_prop_window.h"
#include "startup/startup_page_window.h"
#include "support/registry_values.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "window_shots.h"

namespace shots {

int ShowStartup(const Request& request) {
    using testing_support::SetText;
    platform::ComApartment com;
    testing_support::TestRegistryKey key;
    testing_support::TempFolder temp;

    const std::string k = key.path() + "\\";
    startup::StartupLocations where;
    using startup::Hive;
    where.registry[0] = {{Hive::CurrentUser, k + "MRun"}};
    where.registry[2] = {{Hive::CurrentUser, k + "URun", k + "Approved"}, {Hive::CurrentUser, k + "UPolicy", {}, true}};
    where.registry[3] = {{Hive::CurrentUser, k + "URunOnce"}};
    where.commonStartupFolder = temp / "Common";
    where.userStartupFolder = temp / "User";
    for (const std::string& folder : {where.commonStartupFolder, where.userStartupFolder})
        testing_support::MakeFolder(folder);
    where.allUsersKeepingFile = temp / "Ass.ini";
    where.currentUserKeepingFile = temp / "Css.ini";

    const char* values[][3] = {{"MRun", "Wine Notepad", "C:\\windows\\notepad.exe"},
                               {"MRun", "Registry Editor", "C:\\windows\\regedit.exe /s"},
                               {"URun", "Notepad", "C:\\windows\\notepad.exe"},
                               {"URun", "Broken Tool", "\"C:\\Program Files\\Nowhere\\tool.exe\" -tray"},
                               {"URunOnce", "Cleanup Once", "C:\\windows\\system32\\cmd.exe /c rem"},
                               {"UPolicy", "1", "C:\\windows\\system32\\winver.exe"}};
    for (const auto& [sub, name, value] : values) SetText(HKEY_CURRENT_USER, k + sub, name, value);
    startup::WriteKeepingFile(where.currentUserKeepingFile,
                              {{"Task Manager", "C:\\windows\\system32\\taskmgr.exe",
                                "HKEY_CURRENT_USER\\" + k + "URun\\Task Manager", startup::kRegSz}});
    const unsigned char off[12] = {0x03};
    testing_support::SetRaw(HKEY_CURRENT_USER, k + "Approved", "Notepad", REG_BINARY, off, sizeof off);
    std::string link = where.userStartupFolder + "\\Control Panel";
    core::ClsFileFolder().CreateShortcut("C:\\windows\\system32\\control.exe", link);

    testing_support::ScriptedPrompts prompts;
    startup::Frm_Startup logic(prompts, where);
    if (request.state == "add") {
        startup::Frm_AddNewProg addLogic(prompts, logic);
        addLogic.targetIndex = 0;
        startup::AddNewProgWindow dialog(addLogic);
        dialog.Create(nullptr);
        ::SetWindowTextW(dialog.NameBox(), L"My Tool");
        ::SetWindowTextW(dialog.PathBox(), L"C:\\Program Files\\My Tool\\tool.exe");
        ::SetFocus(dialog.NameBox());
        Stay(request);
        return 0;
    }
    if (request.state == "page") {
        core::WriteIni(core::MainIniPath, "Startup", "Indx", "0");
        const auto host = MakeHost(L"Clarimo - Startup Manager", 720, 420);
        startup::StartupPageWindow page(logic, prompts);
        if (!page.Create(host->hwnd())) return 1;
        Stay(request);
        return 0;
    }
    startup::Frm_AllProp allLogic(prompts, where);
    startup::AllPropWindow window(allLogic);
    window.Create(nullptr);
    Stay(request);
    return 0;
}

}  // namespace shots
