// The one window base of the program: top-level windows, dialogs, pages and
// controls all derive from CustomWindow. It registers one window class per
// kind, keeps the C++ object with its window, dispatches messages to one
// virtual handler, paints through an off-screen buffer, keeps the fonts at
// the window's DPI (and re-fonts the children when the DPI changes), draws
// the focus cue, follows the colour theme and answers accessibility queries
// with the window text as name and a fixed role. How to use it:
// docs/notes-fw.md.
#pragma once

#include <windows.h>

#include <string>

#include "controls/color.h"
#include "controls/mouse.h"
#include "controls/theme.h"
#include "platform/handles.h"

namespace controls {

// A plain RGB colour or the system colour it refers to.
COLORREF ResolveColor(Color color);

// Owner of a window this code created (a tool tip control, a panel).
inline void DestroyIfWindow(HWND window) noexcept {
    if (::IsWindow(window)) ::DestroyWindow(window);
}
using UniqueWindow = platform::NullableOwner<HWND, &DestroyIfWindow>;

// What a window tells assistive technology it is.
enum class AccessibleRole { None, PushButton, Link, PageTab, ProgressBar, Alert };

struct WindowSetup {
    const wchar_t* className = nullptr;
    HWND parent = nullptr;  // the parent of a child window, the owner of a top-level one
    int id = 0;             // child windows only
    RECT rect = {0, 0, 0, 0};
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;          // the caption: also the accessible name
    HCURSOR cursor = nullptr;  // the arrow when null
    AccessibleRole role = AccessibleRole::None;
};

// A visible control that takes the keyboard focus, at rect of parent.
WindowSetup FocusableControlSetup(const wchar_t* className, HWND parent, int id, const RECT& rect,
                                  const std::string& caption, AccessibleRole role);

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
    void Invalidate() const;

    // The object behind a window of one of these classes, or nullptr.
    static CustomWindow* FromHandle(HWND window);

protected:
    CustomWindow() = default;

    // Registers setup.className once and creates the window; false when it
    // could not be created.
    bool MakeWindow(const WindowSetup& setup);
    // The message handler. Whatever a subclass does not handle goes to
    // Default, which does the base's work and then DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    // Draws the client area into the off-screen buffer dc. The default fills
    // it with the parent's background.
    virtual void Paint(HDC dc, const RECT& client);
    // After the DPI changed (fonts already re-made, children re-fonted).
    virtual void OnDpiChanged() { Invalidate(); }
    // After the colour theme changed, for a window that follows it.
    virtual void OnThemeChanged();
    // Recolours through OnThemeChanged whenever a theme is applied.
    void FollowTheme(ThemeStage stage = ThemeStage::OtherWindows);

    // The system's message font at this window's DPI, and its bold face.
    HFONT Font();
    HFONT BoldFont();
    // The parent's font, else Font().
    HFONT PageFont();

    // Mouse helpers for the message handlers.
    static MouseEventArgs MouseArgs(MouseButton button, LPARAM lParam);
    // The button of a button-down or button-up message.
    static MouseButton ButtonOfMessage(UINT message);
    bool IsInside(LPARAM lParam) const;  // client coordinates of a mouse message
    bool CursorInside() const;           // the cursor, now
    void TrackLeave();                   // ask for WM_MOUSELEAVE once per visit
    // Whether focus rectangles are to be drawn (keyboard use).
    bool ShowFocusCues() const;
    // Draws the focus rectangle inside rect when the window has the focus
    // and focus cues are on.
    void DrawFocusCue(HDC dc, const RECT& rect) const;
    // The brush and text colour the parent gives its controls.
    HBRUSH ParentBackground(HDC dc) const;
    // What the parent paints under this window (a parent on this base draws
    // it, gradients included), else the parent's brush.
    void PaintParentBackground(HDC dc, const RECT& client) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ChangeDpi();
    void MakeFonts();
    void EnsureFonts();
    // New fonts at the window's DPI, handed to every descendant that held
    // the old ones.
    void RefreshFonts();

    HWND hwnd_ = nullptr;
    AccessibleRole role_ = AccessibleRole::None;
    bool tracking_ = false;
    platform::UniqueFont font_;
    platform::UniqueFont boldFont_;
    int fontDpi_ = 0;
    ThemeSubscription theme_;
};

// WM_GETDLGCODE answer of a control that acts on Space and Enter.
LRESULT ButtonDialogCode(LPARAM lParam);

// What every clickable control does alike: a lost capture cancels its press,
// and Space and Enter activate it. False for any other message.
template <class Pressable>
bool HandlePressKeys(Pressable& logic, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) {
    if (message == WM_GETDLGCODE) {
        answer = ButtonDialogCode(lParam);
    } else if (message == WM_CAPTURECHANGED) {
        logic.OnCaptureLost();
    } else if (message == WM_KEYDOWN && (wParam == VK_SPACE || wParam == VK_RETURN)) {
        logic.OnKeyActivate();
    } else {
        return false;
    }
    return true;
}

}  // namespace controls
