// Drives a modal window from inside its own loop: a thread timer (any message
// loop of the thread dispatches it) runs the current step each tick until it
// answers true. After the time limit the remaining steps are dropped and the
// window closeOnTimeout names is closed, so that a failing test cannot hang.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

class ModalSteps {
public:
    using Step = std::function<bool()>;
    ModalSteps(std::vector<Step> steps, std::function<HWND()> closeOnTimeout, DWORD timeoutMs = 10000);
    ModalSteps(const ModalSteps&) = delete;
    ModalSteps& operator=(const ModalSteps&) = delete;
    ~ModalSteps();

    bool Finished() const { return next_ == steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    static inline std::map<UINT_PTR, ModalSteps*> active_;  // by timer
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

// Runs open (which opens a popup menu), closes the menu once shown and answers
// its entries' texts ("-" for a separator); empty when none opened.
std::vector<std::string> PopupMenuTexts(const std::function<void()>& open);
// The texts of the menu that the Apps key (or Shift+F10) opens in control.
std::vector<std::string> KeyboardMenuTexts(HWND control, bool shiftF10);

}  // namespace testing_support
