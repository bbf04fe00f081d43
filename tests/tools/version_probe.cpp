// Prints what the general procedures see of the Windows version, for the
// tests that run it under several versions:
//   <GetWindowsVersion(0)> <GetWindowsVersion(1)> <IsWin9x 0|1>
#include <cstdio>

#include "core/general.h"

int wmain() {
    std::printf("%.17g %.17g %d\n", core::GetWindowsVersion(0), core::GetWindowsVersion(1), core::IsWin9x() ? 1 : 0);
    return 0;
}
