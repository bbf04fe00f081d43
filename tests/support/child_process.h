// Driving real programs from a test: start one, wait for its windows, press
// the buttons of its message boxes, end it. Every wait has a time limit, so a
// program that misbehaves fails the test instead of hanging it.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>

#include "platform/handles.h"

namespace testing_support {

using std::chrono::milliseconds;

// A program started by the test; killed when the object goes while it still
// runs, so that a failed assertion leaves nothing behind.
class ChildProcess {
public:
    // Starts program (full path) with arguments, in the program's folder.
    // Throws std::runtime_error when Windows cannot start it.
    static ChildProcess Start(const std::string& program, const std::string& arguments = "");

    ChildProcess() = default;  // no process
    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&&) noexcept = default;
    ~ChildProcess();

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    bool Running() const;
    // The exit code once the process has ended within the limit, else nullopt.
    std::optional<DWORD> WaitForExit(milliseconds limit) const;
    // TerminateProcess, then waits for the end.
    void Kill();

private:
    platform::UniqueHandle process_;
    DWORD id_ = 0;
};

// The full path of a file beside the running test program (tools and the
// program under test are copied there).
std::string BesideTestProgram(const std::string& fileName);
// CopyFileW, overwriting; false on failure.
bool CopyFileTo(const std::string& from, const std::string& to);

// A visible top-level window of the process with exactly this title (and this
// window class when className is not empty), or null.
HWND FindTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className = L"");
// The same, waiting up to limit for it to appear.
HWND WaitForTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className,
                           milliseconds limit);

// Message boxes are dialogs of class "#32770".
HWND FindMessageBox(DWORD processId, const std::string& title);
HWND WaitForMessageBox(DWORD processId, const std::string& title, milliseconds limit);
// The message of a message box: the text of its static controls.
std::string MessageBoxText(HWND box);
// Presses the box's button (IDOK, IDYES ...) and waits up to limit for the box
// to close; true when it did.
bool PressMessageBoxButton(HWND box, int buttonId, milliseconds limit);

}  // namespace testing_support
