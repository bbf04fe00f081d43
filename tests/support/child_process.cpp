#include "support/child_process.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "platform/long_path.h"
#include "platform/module_path.h"
#include "platform/utf.h"
#include "platform/window_text.h"

namespace testing_support {
namespace {

template <typename Condition>
bool WaitUntil(Condition condition, milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(milliseconds(50));
    }
    return true;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    return std::wstring(name, static_cast<size_t>(std::max(::GetClassNameW(window, name, 256), 0)));
}

struct WindowQuery {
    DWORD processId;
    std::string title;
    std::wstring className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto& query = *reinterpret_cast<WindowQuery*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != query.processId || !::IsWindowVisible(window) ||
        (!query.className.empty() && ClassOf(window) != query.className) || platform::WindowText(window) != query.title)
        return TRUE;
    query.found = window;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
    const std::string text = ClassOf(child) == L"Static" ? platform::WindowText(child) : "";
    auto& all = *reinterpret_cast<std::string*>(param);
    if (!text.empty()) all += (all.empty() ? "" : "\n") + text;
    return TRUE;
}

}  // namespace

ChildProcess ChildProcess::Start(const std::string& program, const std::string& arguments) {
    std::wstring commandLine = L"\"" + platform::ToWide(program) + L"\"";
    if (!arguments.empty()) commandLine += L" " + platform::ToWide(arguments);
    const std::wstring folder = platform::ToWide(program.substr(0, program.find_last_of('\\') + 1) + ".");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(platform::ToWide(program).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &info))
        throw std::runtime_error("cannot start " + program + ", error " + std::to_string(::GetLastError()));
    platform::UniqueHandle thread(info.hThread);
    ChildProcess child;
    child.process_.reset(info.hProcess);
    child.id_ = info.dwProcessId;
    return child;
}

ChildProcess::~ChildProcess() {
    if (Running()) Kill();
}

bool ChildProcess::Running() const {
    return process_.valid() && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
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

std::string BesideTestProgram(const std::string& fileName) { return platform::ExecutableFolder() + "\\" + fileName; }

bool CopyFileTo(const std::string& from, const std::string& to) {
    return ::CopyFileW(platform::ToSystemPath(from).c_str(), platform::ToSystemPath(to).c_str(), FALSE) != FALSE;
}

HWND FindTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className) {
    WindowQuery query{processId, title, className};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitForTopLevelWindow(DWORD processId, const std::string& title, const std::wstring& className,
                           milliseconds limit) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevelWindow(processId, title, className)) != nullptr; }, limit);
    return found;
}

HWND FindMessageBox(DWORD processId, const std::string& title) {
    return FindTopLevelWindow(processId, title, L"#32770");
}

HWND WaitForMessageBox(DWORD processId, const std::string& title, milliseconds limit) {
    return WaitForTopLevelWindow(processId, title, L"#32770", limit);
}

std::string MessageBoxText(HWND box) {
    std::string text;
    ::EnumChildWindows(box, &CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

bool PressMessageBoxButton(HWND box, int buttonId, milliseconds limit) {
    DWORD_PTR result = 0;
    const HWND button = ::GetDlgItem(box, buttonId);
    const auto gone = [box] { return !::IsWindow(box); };
    if (button) ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    if (WaitUntil(gone, limit / 2)) return true;
    // The click can miss a box that is not active; the command cannot.
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return WaitUntil(gone, limit / 2);
}

}  // namespace testing_support
