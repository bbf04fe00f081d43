#include "controls/custom_window.h"

#include <windowsx.h>

#include "controls/accessible.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/utf.h"

namespace controls {
namespace {

// Marks windows whose user data is a CustomWindow.
constexpr wchar_t kObjectProperty[] = L"ClarimoControl";
#ifndef WM_DPICHANGED_AFTERPARENT
constexpr UINT WM_DPICHANGED_AFTERPARENT = 0x02E3;
#endif

void RegisterClassOnce(const wchar_t* className, HCURSOR cursor, WNDPROC procedure) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &existing)) return;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    ::RegisterClassExW(&windowClass);
}

// The fonts a DPI change replaces, and what takes their place.
struct FontSwap {
    platform::UniqueFont oldFont, oldBold;
    HFONT newFont, newBold;
};

BOOL CALLBACK SwapFont(HWND child, LPARAM data) {
    const auto& fonts = *reinterpret_cast<const FontSwap*>(data);
    const auto current = reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0));
    if (!current) return TRUE;
    if (current == fonts.oldFont.get())
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.newFont), TRUE);
    else if (current == fonts.oldBold.get())
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.newBold), TRUE);
    return TRUE;
}

}  // namespace

COLORREF ResolveColor(Color color) {
    if (IsSystemColor(color)) return ::GetSysColor(SystemColorIndex(color));
    return static_cast<COLORREF>(color & 0x00FFFFFF);
}

WindowSetup FocusableControlSetup(const wchar_t* className, HWND parent, int id, const RECT& rect,
                                  const std::string& caption, AccessibleRole role) {
    WindowSetup setup;
    setup.className = className;
    setup.parent = parent;
    setup.id = id;
    setup.rect = rect;
    setup.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS;
    setup.text = caption;
    setup.role = role;
    return setup;
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

int CustomWindow::Dpi() const { return static_cast<int>(platform::WindowDpi(hwnd_)); }

int CustomWindow::Scale(int value96) const { return platform::ScaleForDpi(value96, static_cast<unsigned>(Dpi())); }

void CustomWindow::Invalidate() const {
    if (hwnd_) ::InvalidateRect(hwnd_, nullptr, FALSE);
}

CustomWindow* CustomWindow::FromHandle(HWND window) {
    if (!window || !::GetPropW(window, kObjectProperty)) return nullptr;
    return reinterpret_cast<CustomWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool CustomWindow::MakeWindow(const WindowSetup& setup) {
    RegisterClassOnce(setup.className, setup.cursor, &CustomWindow::Procedure);
    role_ = setup.role;
    const std::wstring caption = platform::ToWide(setup.text);
    const bool child = (setup.style & WS_CHILD) != 0;
    const RECT& rect = setup.rect;
    HWND window = ::CreateWindowExW(setup.exStyle, setup.className, caption.c_str(), setup.style, rect.left, rect.top,
                                    rect.right - rect.left, rect.bottom - rect.top, setup.parent,
                                    child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(setup.id)) : nullptr,
                                    ::GetModuleHandleW(nullptr), this);
    return window != nullptr && window == hwnd_;
}

LRESULT CustomWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CustomWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(hwnd_, &paint);
            RECT client;
            ::GetClientRect(hwnd_, &client);
            {
                platform::BufferedPaint surface(dc, client);
                Paint(surface.dc(), client);
            }
            ::EndPaint(hwnd_, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // Paint covers the whole client area
        case WM_PRINTCLIENT: {
            RECT client;
            ::GetClientRect(hwnd_, &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:
        case WM_ENABLE:
            Invalidate();  // the focus cue and the disabled look
            break;
        case WM_MOUSELEAVE:
            tracking_ = false;
            break;
        case WM_GETOBJECT:
            if (const LRESULT answer = AnswerAccessibleObject(hwnd_, role_, wParam, lParam)) return answer;
            break;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            ChangeDpi();
            return 0;
        }
        case WM_DPICHANGED_AFTERPARENT:
            ChangeDpi();
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void CustomWindow::Paint(HDC dc, const RECT& client) { ::FillRect(dc, &client, ParentBackground(dc)); }

void CustomWindow::OnThemeChanged() {
    if (hwnd_) ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CustomWindow::FollowTheme(ThemeStage stage) {
    theme_ = SubscribeTheme(stage, [this] { OnThemeChanged(); });
}

void CustomWindow::ChangeDpi() {
    if (font_ || boldFont_) RefreshFonts();
    OnDpiChanged();
}

void CustomWindow::RefreshFonts() {
    // The old fonts live until no control holds them: a control left with a
    // deleted font draws in the stock font, at the 96-DPI size. Controls on
    // inner windows (tab pages) hold these fonts too, so every descendant is
    // visited.
    FontSwap swap{std::move(font_), std::move(boldFont_), nullptr, nullptr};
    MakeFonts();
    swap.newFont = font_.get();
    swap.newBold = boldFont_.get();
    ::EnumChildWindows(hwnd_, SwapFont, reinterpret_cast<LPARAM>(&swap));
}

void CustomWindow::MakeFonts() {
    fontDpi_ = Dpi();
    font_ = platform::CreateMessageFont(fontDpi_);
    boldFont_ = platform::CreateMessageFont(fontDpi_, FW_BOLD);
}

void CustomWindow::EnsureFonts() {
    if (!font_ || !boldFont_)
        MakeFonts();
    else if (fontDpi_ != Dpi())
        RefreshFonts();  // asked after a DPI change before its message came
}

HFONT CustomWindow::Font() {
    EnsureFonts();
    return font_.get();
}

HFONT CustomWindow::BoldFont() {
    EnsureFonts();
    return boldFont_.get();
}

HFONT CustomWindow::PageFont() {
    HWND parent = (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) ? ::GetParent(hwnd_) : nullptr;
    if (parent) {
        if (auto font = reinterpret_cast<HFONT>(::SendMessageW(parent, WM_GETFONT, 0, 0))) return font;
    }
    return Font();
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

MouseButton CustomWindow::ButtonOfMessage(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return MouseButton::Left;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return MouseButton::Right;
        default:
            return MouseButton::Middle;
    }
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

void CustomWindow::DrawFocusCue(HDC dc, const RECT& rect) const {
    if (::GetFocus() != hwnd_ || !ShowFocusCues()) return;
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::DrawFocusRect(dc, &rect);
}

HBRUSH CustomWindow::ParentBackground(HDC dc) const {
    HWND parent = (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) ? ::GetParent(hwnd_) : nullptr;
    HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(::SendMessageW(
                                parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)))
                          : nullptr;
    return brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE);
}

void CustomWindow::PaintParentBackground(HDC dc, const RECT& client) const {
    HWND parent = (::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD) ? ::GetParent(hwnd_) : nullptr;
    if (!parent || !FromHandle(parent)) {
        ::FillRect(dc, &client, ParentBackground(dc));
        return;
    }
    POINT origin = {0, 0};
    ::MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT previous = {0, 0};
    ::OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

LRESULT ButtonDialogCode(LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
    return DLGC_WANTCHARS;
}

}  // namespace controls
