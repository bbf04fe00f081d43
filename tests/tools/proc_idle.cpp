// A process that does nothing for a while: the process page's tests and
// benchmark list, change and end it.
//   proc_idle.exe [seconds]   (default 300)
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    const int seconds = argc > 1 ? std::stoi(argv[1]) : 300;
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
}
