// Small operations on windows that the core procedures need.
#pragma once

#include "platform/window_handle.h"

namespace platform {

// Selects the whole text of an edit box and gives it the keyboard focus.
void SelectWholeText(WindowHandle box);

// Makes parent the parent window of child.
void SetParentWindow(WindowHandle child, WindowHandle parent);

// Height of the window's title bar in pixels; 0 when it has none or
// Windows does not answer.
int TitleBarHeightOf(WindowHandle window);

}  // namespace platform
