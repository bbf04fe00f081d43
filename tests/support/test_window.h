// A plain top-level window for tests that place real controls or pages in
// it (needs the X display), and message pumping with a time limit.
#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

class TestWindow {
public:
    // A visible top-level window with a client area of about width x height.
    explicit TestWindow(int width = 800, int height = 600);
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();

    HWND hwnd() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Sees each message before it is dispatched; true when it handled it (as a
// dialog's key handling does).
using MessageFilter = std::function<bool(MSG&)>;

// Handles the thread's pending window messages for about milliseconds.
void PumpMessages(int milliseconds, const MessageFilter& filter = {});
// As a modal dialog loop does: Tab, Enter and Esc go to dialog first.
void PumpDialogMessages(HWND dialog, int milliseconds);
// Handles messages until done() is true or timeoutMilliseconds have passed;
// answers done().
bool PumpUntil(const std::function<bool()>& done, int timeoutMilliseconds = 5000, const MessageFilter& filter = {});

// A left click at (x, y) of a window's client area, as the mouse sends it.
void ClickAt(HWND window, int x, int y);

}  // namespace testing_support
