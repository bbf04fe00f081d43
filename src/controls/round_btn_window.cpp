#include "controls/round_btn_window.h"

#include "controls/tab_button_window.h"
#include "controls/theme.h"
#include "platform/gdi.h"
#include "platform/utf.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoRoundBtn";
constexpr COLORREF kCaptionColor = RGB(32, 32, 32);

}  // namespace

RoundBtnWindow::RoundBtnWindow(RoundBtn& logic) : logic_(logic) {
    logic_.onChange = [this] { Sync(); };
    logic_.group = [this] { return Siblings(); };
}

RoundBtnWindow::~RoundBtnWindow() {
    logic_.onChange = nullptr;
    logic_.group = nullptr;
}

bool RoundBtnWindow::Create(HWND parent, const RECT& rect, int id) {
    RegisterClassOnce(kClassName, nullptr);
    if (!CreateWindowOf(kClassName, parent, id, rect, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0,
                        logic_.Caption())) {
        return false;
    }
    Sync();
    return true;
}

void RoundBtnWindow::SetFont(HFONT font) {
    font_ = font;
    Sync();
}

std::vector<RoundBtn*> RoundBtnWindow::Siblings() const {
    std::vector<RoundBtn*> buttons;
    HWND parent = hwnd() ? ::GetParent(hwnd()) : nullptr;
    if (!parent) return buttons;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (auto* button = dynamic_cast<RoundBtnWindow*>(CustomWindow::FromHandle(child)))
            buttons.push_back(&button->logic());
    }
    return buttons;
}

void RoundBtnWindow::Sync() {
    if (!hwnd()) return;
    const std::wstring caption = platform::ToWide(logic_.Caption());
    ::SetWindowTextW(hwnd(), caption.c_str());
    if ((::IsWindowEnabled(hwnd()) != FALSE) != logic_.Enabled()) ::EnableWindow(hwnd(), logic_.Enabled());
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void RoundBtnWindow::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(hwnd(), &client);
    platform::BufferedPaint surface(dc, client);
    HDC target = surface.dc();
    ::FillRect(target, &client, ParentBackground(target));

    RECT face = client;
    ::InflateRect(&face, -Scale(1), -Scale(1));
    const int corner = face.bottom - face.top;  // fully rounded ends
    Color fill = kWhite;
    Color frame = Blend(ThemeColor, kWhite, 120);
    if (!logic_.Enabled()) {
        frame = Rgb(200, 200, 200);
    } else if (logic_.Pressed()) {
        fill = Blend(ThemeColor, kWhite, 70);
        frame = ThemeColor;
    } else if (logic_.IsButtonSelected()) {
        fill = Blend(ThemeColor, kWhite, 40);
        frame = ThemeColor;
    } else if (logic_.Hovered()) {
        fill = Blend(ThemeColor, kWhite, 25);
    }
    platform::RoundRectangle(target, face, corner, ResolveColor(fill), ResolveColor(frame));

    HFONT font = font_ ? font_ : PageFont();
    if (logic_.IsButtonSelected()) {
        if (!bold_ || boldFrom_ != font) {
            bold_ = platform::DeriveFont(font, FW_BOLD, false);
            boldFrom_ = font;
        }
        font = bold_.get();
    }
    RECT text = face;
    ::InflateRect(&text, -Scale(4), 0);
    DrawButtonCaption(target, logic_.Caption(), text, font,
                      logic_.Enabled() ? kCaptionColor : ::GetSysColor(COLOR_GRAYTEXT), DT_CENTER);
    if (::GetFocus() == hwnd() && ShowFocusCues()) {
        RECT focus = face;
        ::InflateRect(&focus, -Scale(3), -Scale(3));
        ::SetTextColor(target, RGB(0, 0, 0));
        ::DrawFocusRect(target, &focus);
    }
}

LRESULT RoundBtnWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(hwnd(), &paint);
            Paint(dc);
            ::EndPaint(hwnd(), &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            TrackLeave();
            logic_.OnMouseMove(IsInside(lParam));
            return 0;
        case WM_MOUSELEAVE:
            LeaveSeen();
            logic_.OnMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
            logic_.OnButtonDown(MouseButton::Left);
            if (logic_.Pressed()) ::SetCapture(hwnd());
            return 0;
        case WM_LBUTTONUP:
            if (::GetCapture() == hwnd()) ::ReleaseCapture();
            logic_.OnButtonUp(MouseButton::Left, IsInside(lParam));
            return 0;
        case WM_GETDLGCODE:
            return ButtonDialogCode(lParam);
        case WM_KEYDOWN:
            if (wParam == VK_SPACE || wParam == VK_RETURN) {
                logic_.OnKeyActivate();
                return 0;
            }
            return Default(message, wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE:
            ::InvalidateRect(hwnd(), nullptr, FALSE);
            return Default(message, wParam, lParam);
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace controls
