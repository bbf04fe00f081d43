// Where a context menu opened from the keyboard (Shift+F10, the Apps key)
// appears: WM_CONTEXTMENU then carries (-1, -1) instead of the mouse point.
#pragma once

#include <windows.h>

namespace platform {

// True when a WM_CONTEXTMENU point came from the keyboard.
inline bool IsKeyboardMenuPoint(POINT at) { return at.x == -1 && at.y == -1; }

// The screen point for control's menu: in a list view the selected (else
// the focused) row, else near the control's top-left corner.
POINT KeyboardMenuPoint(HWND control);

// Makes Shift+F10 and the Apps key in control send its parent
// WM_CONTEXTMENU (control, (-1, -1)) once, whatever the control and the
// system make of the keys themselves (a list view keeps them to itself).
void EnableKeyboardContextMenu(HWND control);

}  // namespace platform
