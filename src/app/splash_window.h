// The start-up window on screen: a small centred, rounded, slightly
// transparent panel with the program's icon, name, build and "Loading
// Settings", whose 1 ms timer drives Frm_Sp::Tm_Timer.
#pragma once

#include <windows.h>

#include "core/startup_shutdown.h"
#include "platform/handles.h"

namespace app {

class SplashWindow {
public:
    explicit SplashWindow(core::Frm_Sp& form);
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;
    ~SplashWindow();

    // Creates and shows the window and starts the form's timer. False when
    // the window could not be created.
    bool Show();
    // Unloads the window (the form's timer stops with it).
    void Close();
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyDpi(unsigned dpi);
    void Paint(HDC dc) const;

    core::Frm_Sp& form_;
    HWND window_ = nullptr;
    unsigned dpi_ = 96;
    int width_ = 0;
    int height_ = 0;
    platform::UniqueFont titleFont_;
    platform::UniqueFont textFont_;
    platform::UniqueIcon icon_;
};

}  // namespace app
