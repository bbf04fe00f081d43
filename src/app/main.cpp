#include <windows.h>

#include "core/settings.h"
#include "platform/module_path.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    core::SetSettingsPaths(platform::ExecutableFolder());
    MessageBoxW(nullptr, L"Clarimo 2.1", L"Clarimo", MB_OK);
    return 0;
}
