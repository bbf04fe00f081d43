// How the program leaves: without the system's fault dialog, and at once.
#pragma once

namespace platform {

// SetErrorMode(SEM_NOGPFAULTERRORBOX): a fault from here on ends the process
// without the system's fault dialog.
void SuppressFaultDialog();

// ExitProcess(exitCode): no further window message, no static destructor.
[[noreturn]] void ExitProcessNow(unsigned exitCode);

}  // namespace platform
