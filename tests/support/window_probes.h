// Reading and driving real controls from tests: window texts, list cells,
// child windows, typed text and key presses.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace testing_support {

std::string WindowText(HWND window);
// Replaces an edit box's text as typing does (EN_CHANGE follows).
void TypeInto(HWND edit, const std::string& text);

// The direct children of parent, in z-order.
std::vector<HWND> ChildWindows(HWND parent);
// The index-th direct child of parent with that window class, or null.
HWND FindChild(HWND parent, const wchar_t* className, int index = 0);

// A list view cell's text, and the first row whose column shows text (-1: none).
std::string ListCellText(HWND list, int row, int column);
int FindListRow(HWND list, const std::string& text, int column = 0);

// Presses the keys in order through the system input queue, then releases
// them in reverse order, as a user holding a chord does.
void PressKeys(std::initializer_list<WORD> keys);

// The colours parent gives a static child (WM_CTLCOLORSTATIC): its text and
// the colour of the background brush.
struct StaticColours {
    COLORREF text;
    COLORREF back;
};
StaticColours ColoursOfStatic(HWND parent, HWND child);

}  // namespace testing_support
