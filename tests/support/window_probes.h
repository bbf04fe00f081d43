// Reading and driving real windows: texts, list cells, children, keys.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/window_text.h"

namespace testing_support {

using platform::WindowText;
// Replaces an edit box's text as typing does (EN_CHANGE follows).
void TypeInto(HWND edit, const std::string& text);

// The direct children of parent, in z-order; every descendant; the
// top-level windows (of one thread when threadId is not 0).
std::vector<HWND> ChildWindows(HWND parent);
std::vector<HWND> Descendants(HWND parent);
std::vector<HWND> TopLevelWindows(DWORD threadId = 0);
// The first of windows that match answers true for, or null.
HWND FirstWindow(const std::vector<HWND>& windows, const std::function<bool(HWND)>& match);
std::wstring ClassName(HWND window);
// The index-th direct child of parent with that window class, or null.
HWND FindChild(HWND parent, const wchar_t* className, int index = 0);
// The first descendant of parent whose text matches and whose window class
// does too when one is given; null if none.
HWND FindDescendant(HWND parent, const wchar_t* className, const std::string& text);

// A list view cell's text; the first row whose column shows text (-1: none).
std::string ListCellText(HWND list, int row, int column);
int FindListRow(HWND list, const std::string& text, int column = 0);

// Presses the keys in order, then releases them in reverse, as a chord.
void PressKeys(std::initializer_list<WORD> keys);

}  // namespace testing_support
