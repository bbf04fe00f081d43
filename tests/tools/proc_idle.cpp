// A process that does nothing for a while: the process page's tests and
// benchmark list, change and end it.
//   proc_idle.exe [seconds] [busy | generations]   (default 300)
// "busy" keeps one processor busy instead; a number of generations first
// starts a child with one generation less, so that 2 makes a chain of three.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    const int seconds = argc > 1 ? std::stoi(argv[1]) : 300;
    const std::wstring mode = argc > 2 ? argv[2] : L"";
    if (mode == L"busy") {
        const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
        while (::GetTickCount64() < end) {
        }
        return 0;
    }
    if (!mode.empty() && std::stoi(mode) > 0) {
        wchar_t self[MAX_PATH];
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(self) + L"\" " + std::to_wstring(seconds) + L" " +
                               std::to_wstring(std::stoi(mode) - 1);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION child = {};
        if (::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) {
            ::CloseHandle(child.hThread);
            ::CloseHandle(child.hProcess);
        }
    }
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    return 0;
}
