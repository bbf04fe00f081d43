// Driving real programs from a test: start one, wait for its windows, press
// its message boxes' buttons, end it. Every wait has a time limit.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/module_path.h"

namespace testing_support {

using std::chrono::milliseconds;

// A program started by the test; killed if it still runs when the object goes.
class ChildProcess {
public:
    // Starts program (full path) in its folder; throws when Windows cannot.
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
    // The exit code once the process has ended within the limit, else nullopt.
    std::optional<DWORD> WaitForExit(milliseconds limit) const;
    void Kill();  // and waits for the end

private:
    platform::UniqueHandle process_;
    DWORD id_ = 0;
};

// The full path of a file beside the running test program.
inline std::string BesideTestProgram(const std::string& fileName) {
    return platform::ExecutableFolder() + "\\" + fileName;
}
inline bool CopyFileTo(const std::string& from, const std::string& to) { return platform::CopyFileTo(from, to, true); }

// A visible top-level window of the process with exactly this title (and this
// window class when className is not empty), or null; or waiting for it.
HWND FindTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className = L"");
HWND WaitForTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className,
                           milliseconds limit);

inline HWND FindMessageBox(DWORD processId, const std::string& title) {
    return FindTopLevelWindow(processId, title, L"#32770");
}
inline HWND WaitForMessageBox(DWORD processId, const std::string& title, milliseconds limit) {
    return WaitForTopLevelWindow(processId, title, L"#32770", limit);
}
// The text of a message box's static controls.
std::string MessageBoxText(HWND box);
// Presses the box's button (IDOK ...); true when the box closed within limit.
bool PressMessageBoxButton(HWND box, int buttonId, milliseconds limit);

}  // namespace testing_support
