// Ending the Windows session.
#pragma once

#include <cstdint>

namespace platform {

// Enables SeShutdownPrivilege in this process's token; true when it is
// enabled afterwards.
bool EnableShutdownPrivilege();

// The ExitWindowsEx flags for a restart. NT-based Windows: EWX_REBOOT with
// EWX_FORCEIFHUNG, so programs with unsaved work may still ask the user;
// Windows 9x, which lacks that flag: EWX_REBOOT with EWX_FORCE.
uint32_t RestartFlags(bool windowsNt);

// Asks Windows to end the session (ExitWindowsEx); true when it accepted.
bool RequestWindowsExit(uint32_t flags);

}  // namespace platform
