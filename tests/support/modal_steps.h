// Drives a modal window from inside its own loop: a thread timer (which any
// message loop of the thread dispatches) runs the steps in order, each tick
// the current one, which answers true when done. After the time limit the
// remaining steps are dropped, and the window found then is closed, so that
// a failing test cannot hang.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

class ModalSteps {
public:
    using Step = std::function<bool()>;
    // closeOnTimeout: the window to post WM_CLOSE to should the steps stall.
    ModalSteps(std::vector<Step> steps, std::function<HWND()> closeOnTimeout, DWORD timeoutMs = 10000);
    ModalSteps(const ModalSteps&) = delete;
    ModalSteps& operator=(const ModalSteps&) = delete;
    ~ModalSteps();

    // True when every step ran.
    bool Finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    void Run();

    std::vector<Step> steps_;
    std::function<HWND()> closeOnTimeout_;
    size_t next_ = 0;
    bool running_ = false;
    bool stalled_ = false;
    DWORD deadline_;
    UINT_PTR timer_;
};

// The first visible top-level window of this thread with that caption.
HWND FindThreadWindow(const std::string& caption);

// Runs open (which posts or sends what opens a popup menu), lets the thread
// run until the menu shows, closes it and answers its entries' texts ("-"
// for a separator); empty when no menu opened within a few seconds.
std::vector<std::string> PopupMenuTexts(const std::function<void()>& open);
// The texts of the menu that the Apps key (or Shift+F10) opens in control.
std::vector<std::string> KeyboardMenuTexts(HWND control, bool shiftF10);

}  // namespace testing_support
