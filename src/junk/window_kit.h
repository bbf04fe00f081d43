// Small helpers the junk tool's window classes share: the message font,
// DPI scaling, child controls, and a modal loop for the tool's own dialogs.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace junk::kit {

// The system's message font at the window's DPI; one per process.
HFONT MessageFont();
HFONT HeadingFont();
// Pixels for a length given at 96 DPI.
int Scale(int value96);

HWND Child(HWND parent, const wchar_t* className, const std::string& text, DWORD style, int id, DWORD exStyle = 0);
void SetText(HWND window, const std::string& text);
std::string GetText(HWND window);
void Place(HWND window, int x, int y, int width, int height);  // 96-DPI units

// Runs a modal loop for dialog until done becomes true: owner is disabled,
// Tab, Enter and Esc work as in a dialog box.
void RunModal(HWND dialog, HWND owner, const bool& done);
// Centres window over owner (or the screen).
void CenterOver(HWND window, HWND owner);

// Registers a window class once; the window procedure receives the object
// given to CreateWindowExW as lpParam and keeps it in GWLP_USERDATA.
template <typename T>
LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    T* self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    if (self) return self->HandleMessage(message, wParam, lParam);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

template <typename T>
const wchar_t* RegisterClassOnce(const wchar_t* name, HBRUSH background) {
    static const ATOM atom = [&] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Procedure<T>;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = background;
        wc.lpszClassName = name;
        return ::RegisterClassExW(&wc);
    }();
    (void)atom;
    return name;
}

}  // namespace junk::kit
