// The main window on screen: shows FrmMain's caption, forwards the Close
// button, the title bar's close and Windows' session end to it.
#pragma once

#include <functional>
#include <memory>

#include "platform/window_handle.h"
#include "shell/frm_main.h"

namespace shell {

class FrmMainWindow {
public:
    explicit FrmMainWindow(FrmMain& form);
    FrmMainWindow(const FrmMainWindow&) = delete;
    FrmMainWindow& operator=(const FrmMainWindow&) = delete;
    ~FrmMainWindow();

    // Creates the window, runs the form's load, then shows the window (not
    // modal). False when the window could not be created.
    bool Show();
    // Null before Show and after the window is gone.
    platform::WindowHandle Handle() const;
    // Runs once the window has been destroyed.
    void OnDestroyed(std::function<void()> listener);

    // Window class name, for finding the window from outside.
    static const wchar_t* ClassName();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace shell
