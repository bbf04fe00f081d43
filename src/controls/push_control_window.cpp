#include "controls/push_control_window.h"

#include "platform/gdi.h"
#include "platform/window_text.h"

namespace controls {
namespace {

void DrawButtonCaption(HDC dc, const std::string& caption, RECT rect, HFONT font, COLORREF color, UINT align) {
    platform::SelectionGuard useFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    platform::DrawTextUtf8(dc, caption, rect, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

}  // namespace

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

void PushControlWindow::DrawCaptionAndFocus(HDC dc, const RECT& text, RECT face, bool selected, UINT align,
                                            int inset96) {
    DrawButtonCaption(dc, control_.Caption(), text, CaptionFont(selected),
                      control_.Enabled() ? RGB(32, 32, 32) : ::GetSysColor(COLOR_GRAYTEXT), align);
    ::InflateRect(&face, -Scale(inset96), -Scale(inset96));
    DrawFocusCue(dc, face);
}

void PushControlWindow::Sync() {
    if (!hwnd()) return;
    platform::SetWindowTextUtf8(hwnd(), control_.Caption());
    if ((::IsWindowEnabled(hwnd()) != FALSE) != control_.Enabled()) ::EnableWindow(hwnd(), control_.Enabled());
    Invalidate();
}

LRESULT PushControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT answer = 0; HandlePressKeys(control_, message, wParam, lParam, answer)) return answer;
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
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace controls
