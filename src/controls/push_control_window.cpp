#include "controls/push_control_window.h"

#include "platform/gdi.h"
#include "platform/window_text.h"

namespace controls {

void DrawButtonCaption(HDC dc, const std::string& caption, RECT rect, HFONT font, COLORREF color, UINT align) {
    platform::SelectionGuard useFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    platform::DrawTextUtf8(dc, caption, rect, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

PushControlWindow::PushControlWindow(PushControl& control, const wchar_t* className, AccessibleRole role)
    : control_(control), className_(className), role_(role), changed_(control.changed.Connect([this] { Sync(); })) {}

bool PushControlWindow::CreateChild(HWND parent, const RECT& rect, int id) {
    if (!MakeWindow(FocusableControlSetup(className_, parent, id, rect, control_.Caption(), role_))) return false;
    Sync();
    return true;
}

void PushControlWindow::SetFont(HFONT font) {
    font_ = font;
    Invalidate();
}

HFONT PushControlWindow::CaptionFont(bool bold) {
    HFONT font = font_ ? font_ : PageFont();
    if (!bold) return font;
    if (!bold_ || boldFrom_ != font) {
        bold_ = platform::DeriveFont(font, FW_BOLD, false);
        boldFrom_ = font;
    }
    return bold_.get();
}

void PushControlWindow::Sync() {
    if (!hwnd()) return;
    platform::SetWindowTextUtf8(hwnd(), control_.Caption());
    if ((::IsWindowEnabled(hwnd()) != FALSE) != control_.Enabled()) ::EnableWindow(hwnd(), control_.Enabled());
    Invalidate();
}

LRESULT PushControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            TrackLeave();
            control_.OnMouseMove(IsInside(lParam));
            return 0;
        case WM_MOUSELEAVE:
            control_.OnMouseLeave();
            return Default(message, wParam, lParam);
        case WM_LBUTTONDOWN:
            control_.OnButtonDown(MouseButton::Left);
            if (control_.Pressed()) ::SetCapture(hwnd());
            return 0;
        case WM_LBUTTONUP: {
            const bool inside = IsInside(lParam);
            // The release decides before the capture goes (ReleaseCapture
            // sends WM_CAPTURECHANGED, which cancels a press).
            control_.OnButtonUp(MouseButton::Left, inside);
            if (::GetCapture() == hwnd()) ::ReleaseCapture();
            return 0;
        }
        case WM_CAPTURECHANGED:
            control_.OnCaptureLost();
            return 0;
        case WM_GETDLGCODE:
            return ButtonDialogCode(lParam);
        case WM_KEYDOWN:
            if (wParam == VK_SPACE || wParam == VK_RETURN) {
                control_.OnKeyActivate();
                return 0;
            }
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace controls
