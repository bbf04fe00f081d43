// Driving real programs: start, find windows, press message box buttons, end.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/module_path.h"

namespace testing_support {

using std::chrono::milliseconds;

class ChildProcess {
public:
    // Starts program (full path) in its folder; throws on failure.
    static ChildProcess Start(const std::string& program, const std::string& arguments = "");

    ChildProcess() = default;
    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&&) noexcept = default;
    ~ChildProcess() {
        if (Running()) Kill();
    }

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    bool Running() const { return process_.valid() && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    std::optional<DWORD> WaitForExit(milliseconds limit) const;
    void Kill();  // and waits for the end

private:
    platform::UniqueHandle process_;
    DWORD id_ = 0;
};

inline std::string BesideTestProgram(const std::string& fileName) {
    return platform::ExecutableFolder() + "\\" + fileName;
}
inline bool CopyFileTo(const std::string& from, const std::string& to) { return platform::CopyFileTo(from, to, true); }

// A visible top-level window of the process with this title (and class), or null.
HWND FindTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className = L"");
HWND WaitForTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className,
                           milliseconds limit);

inline HWND FindMessageBox(DWORD processId, const std::string& title) {
    return FindTopLevelWindow(processId, title, L"#32770");
}
inline HWND WaitForMessageBox(DWORD processId, const std::string& title, milliseconds limit) {
    return WaitForTopLevelWindow(processId, title, L"#32770", limit);
}
std::string MessageBoxText(HWND box);
// True when the box closed within limit.
bool PressMessageBoxButton(HWND box, int buttonId, milliseconds limit);

struct ProgramResult {
    bool started = false;
    bool timedOut = false;  // the child was killed after the time limit
    uint32_t exitCode = 0;
    std::string output;  // standard output and standard error, as bytes
};

ProgramResult RunProgram(const std::string& commandLine, uint32_t timeoutMs);

}  // namespace testing_support
