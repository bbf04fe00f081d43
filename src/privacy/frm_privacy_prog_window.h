// The please-wait window: a small borderless pop-up in the theme's colours,
// partly transparent, shown modal over its owner while its logic's timer
// runs the clean.
#pragma once

#include <windows.h>

#include "privacy/frm_privacy_prog.h"

namespace privacy {

class FrmPrivacyProgWindow {
public:
    static constexpr wchar_t kClassName[] = L"ClarimoPrivacyProg";

    explicit FrmPrivacyProgWindow(FrmPrivacyProg& logic) : logic_(logic) {}
    FrmPrivacyProgWindow(const FrmPrivacyProgWindow&) = delete;
    FrmPrivacyProgWindow& operator=(const FrmPrivacyProgWindow&) = delete;

    // Shows the window centred on owner, disables owner, and returns when the
    // window has closed. opacity 255 makes a plain window (for screenshots:
    // layered windows show black under Xvfb).
    void ShowModal(HWND owner, unsigned char opacity = FrmPrivacyProg::kOpacity);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

    FrmPrivacyProg& logic_;
    HWND window_ = nullptr;
    bool closed_ = false;
};

}  // namespace privacy
