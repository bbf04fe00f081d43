// What colours a window draws, read without the screen: its background as
// WM_ERASEBKGND paints it, and the text colour it gives a child control.
#pragma once

#include <windows.h>

namespace testing_support {

// The colour WM_ERASEBKGND paints at a point of window's client area.
COLORREF ErasedColour(HWND window, POINT at);
// The colour at a point of window's client area once it has been painted
// (the window must be on screen, uncovered).
COLORREF ShownColour(HWND window, POINT at);
// The text colour parent sets for control through WM_CTLCOLORSTATIC.
COLORREF StaticTextColour(HWND parent, HWND control);

}  // namespace testing_support
