// A plain top-level window for real controls and pages (needs the X display),
// and message pumping with a time limit.
#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

class TestWindow {
public:
    explicit TestWindow(int width = 800, int height = 600);
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();

    HWND hwnd() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Sees each message before it is dispatched; true when it handled it.
using MessageFilter = std::function<bool(MSG&)>;

// Handles the thread's messages for about milliseconds; the dialog's keys go to
// it first, as a modal dialog loop does. PumpUntil answers done().
void PumpMessages(int milliseconds, const MessageFilter& filter = {});
void PumpDialogMessages(HWND dialog, int milliseconds);
bool PumpUntil(const std::function<bool()>& done, int timeoutMilliseconds = 5000, const MessageFilter& filter = {});

// A left click at (x, y) of a window's client area.
void ClickAt(HWND window, int x, int y);

}  // namespace testing_support
