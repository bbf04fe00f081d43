// Exit code 0 when the general procedures see the Windows version given, for
// the tests that run it under several versions:
//   version_probe <GetWindowsVersion(0)> <GetWindowsVersion(1)> <IsWin9x 0|1>
#include <cwchar>

#include "core/general.h"

int wmain(int argc, wchar_t** argv) {
    return !(argc == 4 && core::GetWindowsVersion(0) == std::wcstod(argv[1], nullptr) &&
             core::GetWindowsVersion(1) == std::wcstod(argv[2], nullptr) && core::IsWin9x() == (argv[3][0] == L'1'));
}
