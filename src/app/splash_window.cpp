#include "app/splash_window.h"

#include "platform/dpi.h"
#include "platform/gdi.h"
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
    controls::WindowSetup setup;
    setup.className = kClassName;
    setup.style = WS_POPUP;
    setup.text = core::Frm_Sp::TitleText();
    setup.cursor = ::LoadCursorW(nullptr, IDC_APPSTARTING);
    if (!MakeWindow(setup)) return false;
    OnDpiChanged();
    platform::SetWindowOpacity(hwnd(), kOpacity);

    // The look is in place before the window first shows.
    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::UpdateWindow(hwnd());
    if (form_.TmEnabled()) ::SetTimer(hwnd(), kTmId, core::Frm_Sp::kTmInterval, nullptr);
    return true;
}

void SplashWindow::Close() {
    if (!hwnd()) return;
    ::KillTimer(hwnd(), kTmId);
    ::DestroyWindow(hwnd());
}

void SplashWindow::OnDpiChanged() {
    const unsigned dpi = static_cast<unsigned>(Dpi());
    dpi_ = dpi;
    width_ = platform::ScaleForDpi(kWidth, dpi);
    height_ = platform::ScaleForDpi(kHeight, dpi);
    titleFont_ = platform::CreateUiFont(dpi, 14, true);
    textFont_ = platform::CreateUiFont(dpi, 9);
    icon_ = platform::LoadIconResource("QX2ICON", platform::ScaleForDpi(kIconSize, dpi));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
    platform::CenterOnWorkArea(hwnd(), width_, height_);
    platform::SetRoundedWindowRegion(hwnd(), width_, height_, platform::ScaleForDpi(kCorner, dpi));
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void SplashWindow::Paint(HDC dc, const RECT& client) {
    platform::FillSolid(dc, client, kBackColor);

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

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam != kTmId) break;
            // The tick may unload this window; nothing touches it afterwards.
            ::KillTimer(hwnd(), kTmId);
            form_.Tm_Timer();
            return 0;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

}  // namespace app
