// Runs steps from inside a modal loop (a thread timer) until each answers true; after
// the time limit it closes the window closeOnTimeout names, so a test cannot hang.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
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

HWND FindThreadWindow(const std::string& caption);

// The texts of the popup menu open shows ("-": separator), closing it.
std::vector<std::string> PopupMenuTexts(const std::function<void()>& open);
std::vector<std::string> KeyboardMenuTexts(HWND control, bool shiftF10);

// Waits for the thread's first dialog, lets the test inspect it, presses a button.
class DialogPresser {
public:
    explicit DialogPresser(int buttonId, std::function<void(HWND)> inspect = {}, DWORD timeoutMs = 15000);

    // Stops watching; true when it found a dialog and pressed.
    bool Finish();
    const std::string& title() const { return title_; }

private:
    HWND dialog_ = nullptr;
    std::string title_;
    std::optional<ModalSteps> steps_;
};

}  // namespace testing_support
