// The please-wait window: a small borderless pop-up in the theme's colours,
// partly transparent, shown modal over its owner while its logic's timer
// runs the clean.
#pragma once

#include <windows.h>

#include "controls/bound_window.h"
#include "privacy/frm_privacy_prog.h"

namespace privacy {

class FrmPrivacyProgWindow : public controls::BoundWindow<FrmPrivacyProg> {
public:
    static constexpr wchar_t kClassName[] = L"ClarimoPrivacyProg";

    using BoundWindow::BoundWindow;
    FrmPrivacyProgWindow(const FrmPrivacyProgWindow&) = delete;
    FrmPrivacyProgWindow& operator=(const FrmPrivacyProgWindow&) = delete;

    // Shows the window centred on owner, disables owner, and returns when the
    // window has closed. opacity 255 makes a plain window (for screenshots:
    // layered windows show black under Xvfb).
    void ShowModal(HWND owner, unsigned char opacity = FrmPrivacyProg::kOpacity);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
};

}  // namespace privacy
