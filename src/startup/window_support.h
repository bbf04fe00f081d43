// Small pieces the startup windows share: DPI scaling, the message font,
// text of controls and a modal loop for windows that are not dialogs.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace startup::ui {

// Pixels at the window's DPI for a length given at 96 DPI.
int Scale(HWND window, int length);
// The system's message font at the window's DPI, optionally bold.
platform::UniqueFont MessageFont(HWND window, bool bold = false);
void SetFont(HWND control, HFONT font);
std::string TextOf(HWND control);
void SetText(HWND control, const std::string& text);
// Runs window as a modal window of owner until it is destroyed.
void RunModal(HWND window, HWND owner);
// Creates a child control with the given class, text, style and identifier.
HWND Child(HWND parent, const wchar_t* className, const std::string& text, DWORD style, int id, DWORD exStyle = 0);
// The colour of the startup page's tool bar, used for group headers too.
COLORREF ToolBarColor();
COLORREF ToolBarTextColor();

}  // namespace startup::ui
