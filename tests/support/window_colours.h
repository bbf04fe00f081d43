// What colours a window draws.
#pragma once

#include <windows.h>

namespace testing_support {

// The colour WM_ERASEBKGND paints at a point of window's client area.
COLORREF ErasedColour(HWND window, POINT at);
// The colour at a point of window's client area once it has been painted
// (the window must be on screen, uncovered).
COLORREF ShownColour(HWND window, POINT at);
// The text and brush colours parent gives a static child (WM_CTLCOLORSTATIC).
struct StaticColours {
    COLORREF text;
    COLORREF back;
};
StaticColours ColoursOfStatic(HWND parent, HWND child);
inline COLORREF StaticTextColour(HWND parent, HWND child) { return ColoursOfStatic(parent, child).text; }

}  // namespace testing_support
