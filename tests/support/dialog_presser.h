// Lets a test call code that shows a real modal dialog (message box, folder
// picker, file dialog) without hanging: a watcher thread waits for the first
// dialog window of the calling thread, lets the test look at it, and
// presses one of its buttons.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace testing_support {

class DialogPresser {
public:
    // inspect runs on the watcher thread with the dialog before the button
    // is pressed. After timeoutMs without a dialog the watcher gives up.
    explicit DialogPresser(int buttonId, std::function<void(HWND)> inspect = {}, DWORD timeoutMs = 15000);
    DialogPresser(const DialogPresser&) = delete;
    DialogPresser& operator=(const DialogPresser&) = delete;
    ~DialogPresser();

    // Stops the watcher (call it once the code that shows the dialog has
    // returned); true when it found a dialog and pressed.
    bool Finish();
    // The dialog's caption (UTF-8), "" when none was found.
    const std::string& title() const { return title_; }

private:
    void Watch(DWORD threadId, int buttonId, DWORD timeoutMs);

    std::function<void(HWND)> inspect_;
    std::string title_;
    std::atomic<bool> pressed_{false};
    std::atomic<bool> stop_{false};
    std::thread watcher_;
};

}  // namespace testing_support
