#include "support/dialog_presser.h"

#include "platform/utf.h"

namespace testing_support {
namespace {

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring_view(className) == L"#32770" && ::IsWindowVisible(window)) {
        reinterpret_cast<Search*>(parameter)->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string WindowText(HWND window) {
    wchar_t text[1024] = {};
    ::GetWindowTextW(window, text, 1024);
    return platform::ToUtf8(std::wstring_view(text));
}

}  // namespace

DialogPresser::DialogPresser(int buttonId, std::function<void(HWND)> inspect, DWORD timeoutMs)
    : inspect_(std::move(inspect)) {
    watcher_ = std::thread(&DialogPresser::Watch, this, ::GetCurrentThreadId(), buttonId, timeoutMs);
}

DialogPresser::~DialogPresser() { Finish(); }

bool DialogPresser::Finish() {
    stop_ = true;
    if (watcher_.joinable()) watcher_.join();
    return pressed_;
}

void DialogPresser::Watch(DWORD threadId, int buttonId, DWORD timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!stop_ && ::GetTickCount64() < deadline) {
        Search search;
        ::EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            ::Sleep(200);  // let it finish initialising
            title_ = WindowText(search.found);
            if (inspect_) inspect_(search.found);
            ::PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(search.found, buttonId)));
            pressed_ = true;
            return;
        }
        ::Sleep(50);
    }
}

std::string ControlText(HWND dialog, int controlId) {
    const HWND control = ::GetDlgItem(dialog, controlId);
    return control ? WindowText(control) : std::string();
}

}  // namespace testing_support
