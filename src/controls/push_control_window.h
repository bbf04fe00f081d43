// The window of a PushControl: keeps the window text and enabled state in
// step with the logic, captures the mouse while a press lasts (losing the
// capture cancels the press), and acts on Space and Enter. Subclasses only
// draw: TabButtonWindow, RoundBtnWindow.
#pragma once

#include <windows.h>

#include <string>

#include "controls/custom_window.h"
#include "controls/push_control.h"

namespace controls {

class PushControlWindow : public CustomWindow {
public:
    PushControl& control() { return control_; }
    // The caption's font; nullptr (default) uses the page's font. Not owned.
    void SetFont(HFONT font);

protected:
    PushControlWindow(PushControl& control, const wchar_t* className, AccessibleRole role);
    bool CreateChild(HWND parent, const RECT& rect, int id);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The caption font, bold when asked (the selected look).
    HFONT CaptionFont(bool bold);
    // The caption in text (bold when selected, grey when disabled), and the
    // focus cue inside face, inset96 pixels (at 96 DPI) in.
    void DrawCaptionAndFocus(HDC dc, const RECT& text, RECT face, bool selected, UINT align, int inset96);

private:
    void Sync();

    PushControl& control_;
    const wchar_t* className_;
    AccessibleRole role_;
    Connection changed_;
    HFONT font_ = nullptr;
    platform::UniqueFont bold_;
    HFONT boldFrom_ = nullptr;
};

}  // namespace controls
