#pragma once

#include <windows.h>

namespace testing_support {

// The colour WM_ERASEBKGND paints at a point of window's client area.
COLORREF ErasedColour(HWND window, POINT at);

}  // namespace testing_support
