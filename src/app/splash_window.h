// The start-up window on screen: a small centred, rounded, slightly
// transparent panel with the program's icon, name, build and "Loading
// Settings", whose 1 ms timer drives Frm_Sp::Tm_Timer.
#pragma once

#include <windows.h>

#include "controls/custom_window.h"
#include "core/startup_shutdown.h"
#include "platform/handles.h"

namespace app {

class SplashWindow : public controls::CustomWindow {
public:
    explicit SplashWindow(core::Frm_Sp& form);
    ~SplashWindow() override;

    // Creates and shows the window and starts the form's timer. False when
    // the window could not be created.
    bool Show();
    // Unloads the window (the form's timer stops with it).
    void Close();
    HWND Handle() const { return hwnd(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;
    void OnDpiChanged() override;

private:
    core::Frm_Sp& form_;
    unsigned dpi_ = 96;
    int width_ = 0;
    int height_ = 0;
    platform::UniqueFont titleFont_;
    platform::UniqueFont textFont_;
    platform::UniqueIcon icon_;
};

}  // namespace app
