#include "support/child_process.h"

#include <stdexcept>

#include "platform/utf.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace testing_support {

ChildProcess ChildProcess::Start(const std::string& program, const std::string& arguments) {
    std::wstring commandLine = platform::ToWide("\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments));
    const std::wstring folder = platform::ToWide(program.substr(0, program.find_last_of('\\') + 1) + ".");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Under a loaded Wine a start was seen to fail once with ERROR_INTERNAL_ERROR
    // and succeed when asked again; any other error is the test's answer.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = ::CreateProcessW(platform::ToWide(program).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, folder.c_str(), &startup, &info);
        if (!started && ::GetLastError() != ERROR_INTERNAL_ERROR) break;
        if (!started) ::Sleep(100);
    }
    if (!started) throw std::runtime_error("cannot start " + program + ", error " + std::to_string(::GetLastError()));
    platform::UniqueHandle thread(info.hThread);
    ChildProcess child;
    child.process_.reset(info.hProcess);
    child.id_ = info.dwProcessId;
    return child;
}

std::optional<DWORD> ChildProcess::WaitForExit(milliseconds limit) const {
    DWORD code = 0;
    if (!process_.valid() ||
        ::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0 ||
        !::GetExitCodeProcess(process_.get(), &code))
        return std::nullopt;
    return code;
}

void ChildProcess::Kill() {
    if (!process_.valid()) return;
    ::TerminateProcess(process_.get(), 99);
    ::WaitForSingleObject(process_.get(), 10000);
}

HWND FindTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className) {
    return FirstWindow(TopLevelWindows(), [&](HWND window) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        return owner == processId && ::IsWindowVisible(window) &&
               (className.empty() || ClassName(window) == className) && WindowText(window) == title;
    });
}

HWND WaitForTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className,
                           milliseconds limit) {
    HWND found = nullptr;
    PumpUntil([&] { return (found = FindTopLevelWindow(processId, title, className)) != nullptr; },
              static_cast<int>(limit.count()));
    return found;
}

std::string MessageBoxText(HWND box) {
    std::string text;
    for (HWND child : Descendants(box)) {
        const std::string line = ClassName(child) == L"Static" ? WindowText(child) : "";
        if (!line.empty()) text += (text.empty() ? "" : "\n") + line;
    }
    return text;
}

bool PressMessageBoxButton(HWND box, int buttonId, milliseconds limit) {
    DWORD_PTR result = 0;
    const HWND button = ::GetDlgItem(box, buttonId);
    const auto gone = [box] { return !::IsWindow(box); };
    if (button) ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    const int half = static_cast<int>(limit.count() / 2);
    if (PumpUntil(gone, half)) return true;
    // The click can miss a box that is not active; the command cannot.
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return PumpUntil(gone, half);
}

ProgramResult RunProgram(const std::string& commandLine, uint32_t timeoutMs) {
    ProgramResult result;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    // A file, not a pipe: a grandchild holding it cannot keep the caller waiting.
    wchar_t folder[MAX_PATH + 1] = {}, name[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, folder);
    ::GetTempFileNameW(folder, L"out", 0, name);
    const platform::UniqueHandle output(::CreateFileW(name, GENERIC_READ | GENERIC_WRITE,
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                      &inheritable, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output.get();
    PROCESS_INFORMATION info{};
    std::wstring command = platform::ToWide(commandLine);
    if (!output || !::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                     nullptr, &startup, &info))
        return result;
    result.started = true;
    const platform::UniqueHandle process(info.hProcess), thread(info.hThread);
    if (::WaitForSingleObject(process.get(), timeoutMs) == WAIT_TIMEOUT) {
        result.timedOut = true;
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 5000);
    }
    DWORD code = 0, read = 0;
    ::GetExitCodeProcess(process.get(), &code);
    result.exitCode = code;
    char buffer[4096];
    ::SetFilePointer(output.get(), 0, nullptr, FILE_BEGIN);
    while (::ReadFile(output.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        result.output.append(buffer, read);
    return result;
}

}  // namespace testing_support
