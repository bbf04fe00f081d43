// Answers whether the general procedures see the Windows version given, for
// the tests that run it under several versions:
//   version_probe <GetWindowsVersion(0)> <GetWindowsVersion(1)> <IsWin9x 0|1>
// Exit code 0 when all three match.
#include <cwchar>

#include "core/general.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) return 2;
    return core::GetWindowsVersion(0) == std::wcstod(argv[1], nullptr) &&
                   core::GetWindowsVersion(1) == std::wcstod(argv[2], nullptr) &&
                   core::IsWin9x() == (std::wcstol(argv[3], nullptr, 10) != 0)
               ? 0
               : 1;
}
