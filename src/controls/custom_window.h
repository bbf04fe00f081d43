// What every Win32 window of the controls shares: one registered window
// class per kind, the C++ object kept with its window, message dispatch,
// colours resolved for drawing, and the small mouse and keyboard helpers.
#pragma once

#include <windows.h>

#include <string>

#include "controls/color.h"
#include "controls/mouse.h"
#include "platform/handles.h"

namespace controls {

// A plain RGB colour or the system colour it refers to.
COLORREF ResolveColor(Color color);

// Owner of a window this code created (a tool tip control, a panel).
struct WindowTraits {
    using Value = HWND;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept {
        if (::IsWindow(v)) ::DestroyWindow(v);
    }
};
using UniqueWindow = platform::Owner<WindowTraits>;

class CustomWindow {
public:
    CustomWindow(const CustomWindow&) = delete;
    CustomWindow& operator=(const CustomWindow&) = delete;
    virtual ~CustomWindow();

    HWND hwnd() const { return hwnd_; }
    // The DPI the window is drawn at.
    int Dpi() const;
    // value96 logical pixels at this window's DPI.
    int Scale(int value96) const;

    // The object behind a window of one of these classes, or nullptr.
    static CustomWindow* FromHandle(HWND window);

protected:
    CustomWindow() = default;

    static void RegisterClassOnce(const wchar_t* className, HCURSOR cursor);
    bool CreateWindowOf(const wchar_t* className, HWND parent, int id, const RECT& rect, DWORD style, DWORD exStyle,
                        const std::string& text);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    // Mouse helpers for the message handlers.
    static MouseEventArgs MouseArgs(MouseButton button, LPARAM lParam);
    bool IsInside(LPARAM lParam) const;  // client coordinates of a mouse message
    bool CursorInside() const;           // the cursor, now
    void TrackLeave();                   // ask for WM_MOUSELEAVE once per visit
    void LeaveSeen() { tracking_ = false; }
    // Whether focus rectangles are to be drawn (keyboard use).
    bool ShowFocusCues() const;
    // The brush and text colour the parent gives its controls.
    HBRUSH ParentBackground(HDC dc) const;
    // The parent's font, else the system's message font at this DPI.
    HFONT PageFont();

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool tracking_ = false;
    platform::UniqueFont ownFont_;
    int ownFontDpi_ = 0;
};

// WM_GETDLGCODE answer of a control that acts on Space and Enter.
LRESULT ButtonDialogCode(LPARAM lParam);

}  // namespace controls
