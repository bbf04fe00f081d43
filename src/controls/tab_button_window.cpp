#include "controls/tab_button_window.h"

#include "platform/gdi.h"
#include "platform/utf.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoTabButton";
constexpr COLORREF kCaptionColor = RGB(32, 32, 32);

}  // namespace

void DrawButtonCaption(HDC dc, const std::string& caption, RECT rect, HFONT font, COLORREF color, UINT align) {
    platform::SelectionGuard useFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    platform::DrawTextUtf8(dc, caption, rect, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

TabButtonWindow::TabButtonWindow(TabButton& logic) : logic_(logic) {
    logic_.onChange = [this] { Sync(); };
}

TabButtonWindow::~TabButtonWindow() { logic_.onChange = nullptr; }

bool TabButtonWindow::Create(HWND parent, const RECT& rect, int id) {
    RegisterClassOnce(kClassName, nullptr);
    if (!CreateWindowOf(kClassName, parent, id, rect, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0,
                        logic_.Caption())) {
        return false;
    }
    Sync();
    return true;
}

void TabButtonWindow::SetPicture(platform::UniqueIcon picture) {
    picture_ = std::move(picture);
    Sync();
}

void TabButtonWindow::SetPicDisabled(platform::UniqueIcon picture) {
    picDisabled_ = std::move(picture);
    Sync();
}

void TabButtonWindow::SetFont(HFONT font) {
    font_ = font;
    Sync();
}

void TabButtonWindow::Sync() {
    if (!hwnd()) return;
    const std::wstring caption = platform::ToWide(logic_.Caption());
    ::SetWindowTextW(hwnd(), caption.c_str());
    if ((::IsWindowEnabled(hwnd()) != FALSE) != logic_.Enabled()) ::EnableWindow(hwnd(), logic_.Enabled());
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void TabButtonWindow::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(hwnd(), &client);
    platform::BufferedPaint surface(dc, client);
    HDC target = surface.dc();
    platform::FillSolid(target, client, ResolveColor(logic_.BackColor()));

    const Color theme = logic_.ThemeColor();
    const int corner = Scale(6);
    RECT face = client;
    ::InflateRect(&face, -Scale(2), -Scale(1));
    if (logic_.Enabled()) {
        if (logic_.Pressed()) {
            platform::RoundRectangle(target, face, corner, ResolveColor(Blend(theme, kWhite, 110)),
                                     ResolveColor(theme));
        } else if (logic_.SelectButton()) {
            platform::RoundRectangle(target, face, corner, ResolveColor(Blend(theme, kWhite, 70)), ResolveColor(theme));
            RECT accent = {face.left + Scale(3), face.top + Scale(4), face.left + Scale(6), face.bottom - Scale(4)};
            platform::FillSolid(target, accent, ResolveColor(theme));
        } else if (logic_.Hovered()) {
            platform::RoundRectangle(target, face, corner, ResolveColor(Blend(theme, kWhite, 25)),
                                     ResolveColor(Blend(theme, kWhite, 120)));
        }
    }

    RECT text = face;
    text.left += Scale(12);
    text.right -= Scale(4);
    HICON picture = logic_.Enabled() ? picture_.get() : (picDisabled_ ? picDisabled_.get() : picture_.get());
    if (picture) {
        const int side = Scale(16);
        const int top = (client.top + client.bottom - side) / 2;
        ::DrawIconEx(target, text.left, top, picture, side, side, 0, nullptr, DI_NORMAL);
        text.left += side + Scale(6);
    }
    HFONT font = font_ ? font_ : PageFont();
    if (logic_.SelectButton()) {
        if (!bold_ || boldFrom_ != font) {
            bold_ = platform::DeriveFont(font, FW_BOLD, false);
            boldFrom_ = font;
        }
        font = bold_.get();
    }
    DrawButtonCaption(target, logic_.Caption(), text, font,
                      logic_.Enabled() ? kCaptionColor : ::GetSysColor(COLOR_GRAYTEXT), DT_LEFT);
    if (::GetFocus() == hwnd() && ShowFocusCues()) {
        RECT focus = face;
        ::InflateRect(&focus, -Scale(2), -Scale(2));
        ::SetTextColor(target, RGB(0, 0, 0));
        ::DrawFocusRect(target, &focus);
    }
}

LRESULT TabButtonWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
        case WM_RBUTTONUP:
            logic_.OnButtonUp(MouseButton::Right, IsInside(lParam));
            return 0;
        case WM_MBUTTONUP:
            logic_.OnButtonUp(MouseButton::Middle, IsInside(lParam));
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
