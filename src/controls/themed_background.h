// Colours a plain top-level window in the theme in use: its background and
// its static texts. Made with the window object, so a window opened after a
// theme change shows the new colours.
#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace controls {

class ThemedBackground {
public:
    ThemedBackground();
    // Answers WM_ERASEBKGND and WM_CTLCOLORSTATIC; false for other messages.
    bool Handle(HWND window, UINT message, WPARAM wParam, LRESULT& result) const;

private:
    platform::UniqueBrush brush_;
};

}  // namespace controls
