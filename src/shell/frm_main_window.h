// The main window on screen: the tab buttons, the six page areas (the tool
// pages build their panels in them), the tip line, the result strip and the
// Close button; forwards clicks, keys, the title bar's close and Windows'
// session end to FrmMain.
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

    // The area a tool page builds its panel in (0..5), and the button strip
    // its command button goes to. Null before Show.
    platform::WindowHandle PageArea(int page) const;
    platform::WindowHandle ButtonStrip() const;
    platform::WindowHandle TabButton(int page) const;
    platform::WindowHandle ResultStrip() const;

    // Window class name, for finding the window from outside.
    static const wchar_t* ClassName();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace shell
