// Answers WM_GETOBJECT for the program's own controls: the standard client
// object of the window, but named by the window text and with the control's
// role (push button, link, page tab ...), so screen readers name them.
#pragma once

#include <windows.h>

#include "controls/custom_window.h"

namespace controls {

// The WM_GETOBJECT answer for window, or 0 when the query is not for its
// client object (the caller then goes on to DefWindowProc).
LRESULT AnswerAccessibleObject(HWND window, AccessibleRole role, WPARAM wParam, LPARAM lParam);

}  // namespace controls
