// Reading and driving real controls from tests: window texts, list cells,
// child windows, typed text and key presses.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/window_text.h"

namespace testing_support {

using platform::WindowText;
// Replaces an edit box's text as typing does (EN_CHANGE follows).
void TypeInto(HWND edit, const std::string& text);

// The direct children of parent, in z-order.
std::vector<HWND> ChildWindows(HWND parent);
// The index-th direct child of parent with that window class, or null.
HWND FindChild(HWND parent, const wchar_t* className, int index = 0);
// The first descendant of parent whose text matches and whose window class
// does too when one is given; null if none.
HWND FindDescendant(HWND parent, const wchar_t* className, const std::string& text);

// A list view cell's text, and the first row whose column shows text (-1: none).
std::string ListCellText(HWND list, int row, int column);
int FindListRow(HWND list, const std::string& text, int column = 0);

// Presses the keys in order through the system input queue, then releases
// them in reverse order, as a user holding a chord does.
void PressKeys(std::initializer_list<WORD> keys);

}  // namespace testing_support
