// The main window on screen: the tab buttons, the six page areas (the tool
// pages build their panels in them), the tip line, the result strip and the
// Close button; forwards clicks, keys, the title bar's close and Windows'
// session end to FrmMain.
#pragma once

#include <functional>
#include <memory>

#include "controls/error_msg.h"
#include "platform/window_handle.h"
#include "shell/frm_main.h"
#include "shell/main_layout.h"

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

    // The area a tool page builds its panel in, and the button strip its
    // command buttons go to. Null before Show.
    platform::WindowHandle PageArea(Page page) const;
    platform::WindowHandle ButtonStrip() const;
    platform::WindowHandle TabButton(Page page) const;
    platform::WindowHandle CloseButton() const;
    platform::WindowHandle ResultStrip() const;
    // The restart note and balloon of the privacy page.
    platform::WindowHandle PrivacyNote() const;
    controls::ErrorMsg& PrivacyTip();
    // What Ctrl+click on the balloon runs (core::RestartWindows when empty).
    void SetRestart(std::function<void()> restart);

    // Window class name, for finding the window from outside.
    static const wchar_t* ClassName();

private:
    class Frame;
    std::unique_ptr<Frame> frame_;
};

}  // namespace shell
