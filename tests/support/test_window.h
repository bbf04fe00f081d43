// A plain top-level window for real controls, and message pumping.
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

using MessageFilter = std::function<bool(MSG&)>;

// A filter that answers true has handled the message; PumpUntil answers done().
void PumpMessages(int milliseconds, const MessageFilter& filter = {});
void PumpDialogMessages(HWND dialog, int milliseconds);
bool PumpUntil(const std::function<bool()>& done, int timeoutMilliseconds = 5000, const MessageFilter& filter = {});

void ClickAt(HWND window, int x, int y);

}  // namespace testing_support
