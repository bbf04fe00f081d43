// Lets a test call code that shows a real modal dialog without hanging: from
// inside the dialog's own loop (ModalSteps) it waits for the first dialog of
// the thread, lets the test look at it, and presses one of its buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "support/modal_steps.h"

namespace testing_support {

class DialogPresser {
public:
    // After timeoutMs without a dialog it gives up.
    explicit DialogPresser(int buttonId, std::function<void(HWND)> inspect = {}, DWORD timeoutMs = 15000);

    // Stops watching; true when it found a dialog and pressed.
    bool Finish();
    // The dialog's caption, "" when none was found.
    const std::string& title() const { return title_; }

private:
    HWND dialog_ = nullptr;
    std::string title_;
    std::optional<ModalSteps> steps_;
};

}  // namespace testing_support
