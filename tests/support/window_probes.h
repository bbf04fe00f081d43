#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/window_text.h"

namespace testing_support {

using platform::WindowText;
void TypeInto(HWND edit, const std::string& text);

// Every descendant; the top-level windows (of one thread when threadId is not 0).
std::vector<HWND> Descendants(HWND parent);
std::vector<HWND> TopLevelWindows(DWORD threadId = 0);
HWND FirstWindow(const std::vector<HWND>& windows, const std::function<bool(HWND)>& match);
std::wstring ClassName(HWND window);
// The index-th direct child of parent with that window class, or null.
HWND FindChild(HWND parent, const wchar_t* className, int index = 0);
// The first descendant with this text (and class when given), or null.
HWND FindDescendant(HWND parent, const wchar_t* className, const std::string& text);

// The first row whose column shows text, or -1.
std::string ListCellText(HWND list, int row, int column);
int FindListRow(HWND list, const std::string& text, int column = 0);

// Presses the keys as a chord.
void PressKeys(std::initializer_list<WORD> keys);

}  // namespace testing_support
