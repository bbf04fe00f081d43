#include "controls/custom_window.h"

#include <windowsx.h>

#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/utf.h"

namespace controls {
namespace {

// Marks windows whose user data is a CustomWindow.
constexpr wchar_t kObjectProperty[] = L"ClarimoControl";

}  // namespace

COLORREF ResolveColor(Color color) {
    if (IsSystemColor(color)) return ::GetSysColor(SystemColorIndex(color));
    return static_cast<COLORREF>(color & 0x00FFFFFF);
}

CustomWindow::~CustomWindow() {
    if (hwnd_) {
        HWND window = hwnd_;
        ::RemovePropW(window, kObjectProperty);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        ::DestroyWindow(window);
    }
}

int CustomWindow::Dpi() const { return platform::WindowDpi(hwnd_); }

int CustomWindow::Scale(int value96) const { return platform::ScaleForDpi(value96, Dpi()); }

CustomWindow* CustomWindow::FromHandle(HWND window) {
    if (!window || !::GetPropW(window, kObjectProperty)) return nullptr;
    return reinterpret_cast<CustomWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void CustomWindow::RegisterClassOnce(const wchar_t* className, HCURSOR cursor) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &existing)) return;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &CustomWindow::Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    ::RegisterClassExW(&windowClass);
}

bool CustomWindow::CreateWindowOf(const wchar_t* className, HWND parent, int id, const RECT& rect, DWORD style,
                                  DWORD exStyle, const std::string& text) {
    const std::wstring caption = platform::ToWide(text);
    const bool child = (style & WS_CHILD) != 0;
    HWND window = ::CreateWindowExW(
        exStyle, className, caption.c_str(), style, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
        parent, child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr, ::GetModuleHandleW(nullptr), this);
    return window != nullptr && window == hwnd_;
}

LRESULT CustomWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CustomWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK CustomWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<CustomWindow*>(create->lpCreateParams);
        if (self) {
            self->hwnd_ = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            ::SetPropW(window, kObjectProperty, reinterpret_cast<HANDLE>(1));
        }
    }
    CustomWindow* self = FromHandle(window);
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window goes first (its parent was destroyed): forget it.
        const LRESULT result = self->HandleMessage(message, wParam, lParam);
        ::RemovePropW(window, kObjectProperty);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return result;
    }
    return self->HandleMessage(message, wParam, lParam);
}

MouseEventArgs CustomWindow::MouseArgs(MouseButton button, LPARAM lParam) {
    return MouseEventArgs{button, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

bool CustomWindow::IsInside(LPARAM lParam) const {
    RECT client;
    ::GetClientRect(hwnd_, &client);
    const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return ::PtInRect(&client, point) != FALSE;
}

bool CustomWindow::CursorInside() const {
    POINT point;
    if (!::GetCursorPos(&point)) return false;
    if (::WindowFromPoint(point) != hwnd_) return false;
    ::ScreenToClient(hwnd_, &point);
    RECT client;
    ::GetClientRect(hwnd_, &client);
    return ::PtInRect(&client, point) != FALSE;
}

void CustomWindow::TrackLeave() {
    if (tracking_) return;
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd_;
    tracking_ = ::TrackMouseEvent(&track) != FALSE;
}

bool CustomWindow::ShowFocusCues() const {
    const LRESULT state = ::SendMessageW(hwnd_, WM_QUERYUISTATE, 0, 0);
    return (state & UISF_HIDEFOCUS) == 0;
}

HBRUSH CustomWindow::ParentBackground(HDC dc) const {
    HWND parent = ::GetParent(hwnd_);
    HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(::SendMessageW(
                                parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)))
                          : nullptr;
    return brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE);
}

HFONT CustomWindow::PageFont() {
    HWND parent = ::GetParent(hwnd_);
    if (parent) {
        if (auto font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0))) return font;
    }
    const int dpi = Dpi();
    if (!ownFont_ || ownFontDpi_ != dpi) {
        ownFont_ = platform::CreateMessageFont(dpi);
        ownFontDpi_ = dpi;
    }
    return ownFont_.get();
}

LRESULT ButtonDialogCode(LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
    return DLGC_WANTCHARS;
}

}  // namespace controls
