#include "support/test_window.h"

#include <stdexcept>

namespace testing_support {

TestWindow::TestWindow(int width, int height) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"ClarimoTestWindow";
    ::RegisterClassExW(&windowClass);  // fails harmlessly once registered
    window_ = ::CreateWindowExW(0, windowClass.lpszClassName, L"Clarimo test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                                0, width + 16, height + 40, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw std::runtime_error("cannot create a test window (no display?)");
    ::ShowWindow(window_, SW_SHOW);
    ::UpdateWindow(window_);
}

TestWindow::~TestWindow() {
    if (window_ && ::IsWindow(window_)) ::DestroyWindow(window_);
    PumpMessages(0);
}

void PumpMessages(int milliseconds, const MessageFilter& filter) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(milliseconds > 0 ? milliseconds : 0);
    for (MSG message;; ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT)) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (filter && filter(message)) continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (::GetTickCount64() >= end) break;
    }
}

void PumpDialogMessages(HWND dialog, int milliseconds) {
    PumpMessages(milliseconds,
                 [dialog](MSG& message) { return ::IsWindow(dialog) && ::IsDialogMessageW(dialog, &message); });
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMilliseconds, const MessageFilter& filter) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMilliseconds);
    while (!done()) {
        if (::GetTickCount64() >= end) return done();
        PumpMessages(10, filter);
    }
    return true;
}

void ClickAt(HWND window, int x, int y) {
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace testing_support
