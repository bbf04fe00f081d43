#include "support/dialog_presser.h"

#include "platform/window_text.h"

namespace testing_support {
namespace {

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring_view(className) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
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
        HWND found = nullptr;
        ::EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&found));
        if (found) {
            ::Sleep(200);  // let it finish initialising
            title_ = platform::WindowText(found);
            if (inspect_) inspect_(found);
            ::PostMessageW(found, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                           reinterpret_cast<LPARAM>(::GetDlgItem(found, buttonId)));
            pressed_ = true;
            return;
        }
        ::Sleep(50);
    }
}

}  // namespace testing_support
