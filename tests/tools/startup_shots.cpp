// Shows the startup page (or one of its two windows) over made-up entries for
// a few seconds, so that tests/tools/startup_shots.sh can take screenshots.
//   startup_shots.exe 0|1|2|3   the page in Large Icons, Small Icons, List, Details
//   startup_shots.exe add       the "Add New Program" dialog with its balloon
//   startup_shots.exe all       the "Startup Items" window
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "core/cls_file_folder.h"
#include "platform/handles.h"
#include "platform/utf.h"
#include "startup/add_new_prog_window.h"
#include "startup/all_prop_window.h"
#include "startup/startup_page_window.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_registry_key.h"

namespace {

void SetValue(const std::string& key, const std::string& name, const std::string& text) {
    platform::UniqueRegKey k;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, platform::ToWide(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, k.put(),
                      nullptr);
    const std::wstring data = platform::ToWide(text);
    ::RegSetValueExW(k.get(), platform::ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

void Pump(int milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        // Waiting in the message wait (not Sleep) lets Wine show what was drawn.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"3";
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    platform::ComApartment com;
    testing_support::TestRegistryKey key;
    testing_support::TempFolder temp;

    startup::StartupLocations where;
    using startup::Hive;
    where.registry[0] = {{Hive::CurrentUser, key.path() + "\\MRun"}};
    where.registry[1] = {{Hive::CurrentUser, key.path() + "\\MRunOnce"}};
    where.registry[2] = {{Hive::CurrentUser, key.path() + "\\URun"}};
    where.registry[3] = {{Hive::CurrentUser, key.path() + "\\URunOnce"}};
    where.commonStartupFolder = temp / "Common";
    where.userStartupFolder = temp / "User";
    testing_support::MakeFolder(where.commonStartupFolder);
    testing_support::MakeFolder(where.userStartupFolder);
    where.allUsersKeepingFile = temp / "Ass.ini";
    where.currentUserKeepingFile = temp / "Css.ini";
    where.allUsersKeepingFolder = temp / "Keep\\All Users";
    where.currentUserKeepingFolder = temp / "Keep\\Current User";

    SetValue(key.path() + "\\MRun", "Wine Notepad", "C:\\windows\\notepad.exe");
    SetValue(key.path() + "\\MRun", "Registry Editor", "C:\\windows\\regedit.exe /s");
    SetValue(key.path() + "\\URun", "Notepad", "C:\\windows\\notepad.exe");
    SetValue(key.path() + "\\URun", "Minesweeper", "C:\\windows\\system32\\winemine.exe");
    SetValue(key.path() + "\\URun", "Broken Tool", "\"C:\\Program Files\\Nowhere\\tool.exe\" -tray");
    SetValue(key.path() + "\\URunOnce", "Cleanup Once", "C:\\windows\\system32\\cmd.exe /c rem");
    startup::WriteKeepingFile(where.currentUserKeepingFile,
                              {{"Task Manager", "C:\\windows\\system32\\taskmgr.exe",
                                "HKEY_CURRENT_USER\\" + key.path() + "\\URun\\Task Manager", startup::kRegSz}});
    std::string link = where.userStartupFolder + "\\Control Panel";
    core::ClsFileFolder().CreateShortcut("C:\\windows\\system32\\control.exe", link);

    testing_support::ScriptedPrompts prompts;
    startup::Frm_Startup logic(prompts, where);
    // Under Xvfb without a window manager Wine shows only the first window
    // with a title bar, so each run shows one window of its own.
    if (mode == L"add") {
        startup::Frm_AddNewProg addLogic(prompts, logic);
        addLogic.targetIndex = 0;
        startup::AddNewProgWindow dialog(addLogic);
        dialog.Create(nullptr);
        ::SetWindowTextW(dialog.NameBox(), L"My Tool");
        ::SetWindowTextW(dialog.PathBox(), L"C:\\Program Files\\My Tool\\tool.exe");
        if (!::GetEnvironmentVariableW(L"SHOT_NO_FOCUS", nullptr, 0)) {
            ::SetFocus(dialog.PathBox());
            ::SetFocus(dialog.NameBox());
        }
        Pump(7000);
        return 0;
    }
    if (mode == L"all") {
        startup::Frm_AllProp allLogic(prompts, where);
        startup::AllPropWindow window(allLogic);
        window.Create(nullptr);
        Pump(7000);
        return 0;
    }

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ClarimoShotsHost";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    ::RegisterClassW(&windowClass);
    const HWND host =
        ::CreateWindowExW(0, L"ClarimoShotsHost", L"Clarimo - Startup Manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                          40, 760, 520, nullptr, nullptr, windowClass.hInstance, nullptr);
    startup::StartupPageWindow page(logic, prompts);
    page.Create(host);
    // The start timer loads the saved view first.
    for (int i = 0; i < 500 && logic.ShownView() < 0; ++i) Pump(10);
    logic.Cmb_View_Click(0);
    logic.SetViewMode(std::stoi(platform::ToUtf8(mode)));
    for (size_t i = 0; i < logic.Rows().size(); ++i)
        if (logic.Rows()[i].entry.name == "Notepad") logic.SelectRow(static_cast<int>(i));
    page.Sync();
    ::SetFocus(page.List());
    Pump(7000);
    ::DestroyWindow(host);
    return 0;
}
