#include "platform/shutdown.h"

#include <windows.h>

#include "platform/handles.h"

namespace platform {

bool EnableShutdownPrivilege() {
    UniqueHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) return false;
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &wanted.Privileges[0].Luid)) return false;
    TOKEN_PRIVILEGES previous{};
    DWORD previousLength = 0;
    if (!::AdjustTokenPrivileges(token.get(), FALSE, &wanted, sizeof previous, &previous, &previousLength))
        return false;
    // Success also comes back when the token lacks the privilege.
    return ::GetLastError() == ERROR_SUCCESS;
}

uint32_t RestartFlags(bool windowsNt) { return EWX_REBOOT | (windowsNt ? EWX_FORCEIFHUNG : EWX_FORCE); }

bool RequestWindowsExit(uint32_t flags) {
    return ::ExitWindowsEx(flags, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_FLAG_PLANNED) != FALSE;
}

}  // namespace platform
