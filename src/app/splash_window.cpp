#include "app/splash_window.h"

#include "platform/ui.h"
#include "platform/utf.h"

namespace app {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoSplash";
constexpr UINT_PTR kTmId = 1;
constexpr BYTE kOpacity = 220;
constexpr COLORREF kBorderColor = RGB(148, 184, 243);
constexpr COLORREF kBackColor = RGB(255, 255, 255);
constexpr COLORREF kTitleColor = RGB(32, 64, 128);
constexpr COLORREF kTextColor = RGB(96, 96, 96);
// Lengths at 96 DPI.
constexpr int kWidth = 300;
constexpr int kHeight = 110;
constexpr int kCorner = 7;
constexpr int kIconSize = 32;
constexpr int kPadding = 16;

void DrawTextAt(HDC dc, const std::string& text, HFONT font, COLORREF color, RECT rect) {
    platform::SelectionGuard select(dc, font);
    ::SetTextColor(dc, color);
    const std::wstring wide = platform::ToWide(text);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

SplashWindow::SplashWindow(core::Frm_Sp& form) : form_(form) {}

SplashWindow::~SplashWindow() { Close(); }

bool SplashWindow::Show() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &SplashWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_APPSTARTING);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassExW(&windowClass);

    const std::wstring title = platform::ToWide(core::Frm_Sp::TitleText());
    if (!::CreateWindowExW(0, kClassName, title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this))
        return false;
    ApplyDpi(platform::WindowDpi(window_));
    platform::SetWindowOpacity(window_, kOpacity);

    // The look is in place before the window first shows.
    ::ShowWindow(window_, SW_SHOWNORMAL);
    ::UpdateWindow(window_);
    if (form_.TmEnabled()) ::SetTimer(window_, kTmId, core::Frm_Sp::kTmInterval, nullptr);
    return true;
}

void SplashWindow::Close() {
    if (!window_) return;
    ::KillTimer(window_, kTmId);
    ::DestroyWindow(window_);
}

void SplashWindow::ApplyDpi(unsigned dpi) {
    dpi_ = dpi;
    width_ = platform::ScaleForDpi(kWidth, dpi);
    height_ = platform::ScaleForDpi(kHeight, dpi);
    titleFont_ = platform::CreateUiFont(dpi, 14, true);
    textFont_ = platform::CreateUiFont(dpi, 9);
    icon_ = platform::LoadIconResource("QX2ICON", platform::ScaleForDpi(kIconSize, dpi));
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    platform::CenterOnWorkArea(window_, width_, height_);
    platform::SetRoundedWindowRegion(window_, width_, height_, platform::ScaleForDpi(kCorner, dpi));
    ::InvalidateRect(window_, nullptr, TRUE);
}

void SplashWindow::Paint(HDC dc) const {
    RECT client{0, 0, width_, height_};
    platform::UniqueBrush back(::CreateSolidBrush(kBackColor));
    ::FillRect(dc, &client, back.get());

    const int padding = platform::ScaleForDpi(kPadding, dpi_);
    const int iconSize = platform::ScaleForDpi(kIconSize, dpi_);
    if (icon_) ::DrawIconEx(dc, padding, padding, icon_.get(), iconSize, iconSize, 0, nullptr, DI_NORMAL);

    ::SetBkMode(dc, TRANSPARENT);
    const int textLeft = padding * 2 + iconSize;
    DrawTextAt(dc, core::Frm_Sp::TitleText(), titleFont_.get(), kTitleColor,
               RECT{textLeft, padding - platform::ScaleForDpi(4, dpi_), width_ - padding, height_});
    DrawTextAt(dc, core::Frm_Sp::BuildText(), textFont_.get(), kTextColor,
               RECT{textLeft, padding + platform::ScaleForDpi(24, dpi_), width_ - padding, height_});
    DrawTextAt(dc, core::Frm_Sp::StatusText(), textFont_.get(), kTextColor,
               RECT{padding, height_ - padding - platform::ScaleForDpi(14, dpi_), width_ - padding, height_});

    // The 1-pixel border follows the rounded outline.
    platform::UniqueRegion outline =
        platform::CreateRoundedRegion(width_, height_, platform::ScaleForDpi(kCorner, dpi_));
    platform::UniqueBrush border(::CreateSolidBrush(kBorderColor));
    if (outline) ::FrameRgn(dc, outline.get(), border.get(), 1, 1);
}

LRESULT CALLBACK SplashWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SplashWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<SplashWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<SplashWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT SplashWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam != kTmId) break;
            // The tick may unload this window; nothing touches it afterwards.
            ::KillTimer(window_, kTmId);
            form_.Tm_Timer();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = ::BeginPaint(window_, &paint);
            Paint(dc);
            ::EndPaint(window_, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT fills everything
        case WM_DPICHANGED:
            ApplyDpi(HIWORD(wParam));
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace app
