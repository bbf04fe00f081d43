#include "platform/process_exit.h"

#include <windows.h>

namespace platform {

void SuppressFaultDialog() { ::SetErrorMode(SEM_NOGPFAULTERRORBOX); }

void ExitProcessNow(unsigned exitCode) { ::ExitProcess(exitCode); }

}  // namespace platform
