#include "support/child_process.h"

#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/long_path.h"
#include "platform/utf.h"

namespace testing_support {
namespace {

constexpr milliseconds kPollInterval{50};

template <typename Condition>
bool WaitUntil(Condition condition, milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int n = ::GetClassNameW(window, name, 256);
    return std::wstring(name, n > 0 ? static_cast<size_t>(n) : 0);
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
    if (owner != query.processId || !::IsWindowVisible(window)) return TRUE;
    if (!query.className.empty() && ClassOf(window) != query.className) return TRUE;
    if (WindowTitle(window) != query.title) return TRUE;
    query.found = window;
    return FALSE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param) {
    if (ClassOf(child) == L"Static") {
        const std::string text = WindowTitle(child);
        if (!text.empty()) {
            auto& all = *reinterpret_cast<std::string*>(param);
            if (!all.empty()) all += "\n";
            all += text;
        }
    }
    return TRUE;
}

}  // namespace

ChildProcess ChildProcess::Start(const std::string& program, const std::string& arguments) {
    std::wstring commandLine = L"\"" + platform::ToWide(program) + L"\"";
    if (!arguments.empty()) commandLine += L" " + platform::ToWide(arguments);
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    const auto slash = program.find_last_of('\\');
    const std::wstring folder = platform::ToWide(slash == std::string::npos ? "." : program.substr(0, slash));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(platform::ToWide(program).c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
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
    if (!process_.valid()) return std::nullopt;
    if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!::GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
    return code;
}

void ChildProcess::Kill() {
    if (!process_.valid()) return;
    ::TerminateProcess(process_.get(), 99);
    ::WaitForSingleObject(process_.get(), 10000);
}

std::string BesideTestProgram(const std::string& fileName) {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::string self = platform::ToUtf8(std::wstring_view(path, n));
    return self.substr(0, self.find_last_of('\\') + 1) + fileName;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
    return ::CopyFileW(platform::ToSystemPath(from).c_str(), platform::ToSystemPath(to).c_str(), FALSE) != FALSE;
}

std::string WindowTitle(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return platform::ToUtf8(text);
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

bool WaitForWindowGone(HWND window, milliseconds limit) {
    return WaitUntil([&] { return !::IsWindow(window); }, limit);
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
    if (button) ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    if (WaitForWindowGone(box, limit / 2)) return true;
    // The click can miss a box that is not active; the command cannot.
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return WaitForWindowGone(box, limit / 2);
}

}  // namespace testing_support
