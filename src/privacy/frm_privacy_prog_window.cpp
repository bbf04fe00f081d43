#include "privacy/frm_privacy_prog_window.h"

#include "controls/theme.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/modal_runner.h"
#include "platform/ui.h"

namespace privacy {
namespace {

constexpr UINT_PTR kTimId = 1;
constexpr int kWidth = 260, kHeight = 78;  // at 96 DPI

}  // namespace

void FrmPrivacyProgWindow::ShowModal(HWND owner, unsigned char opacity) {
    const unsigned dpi = owner ? platform::WindowDpi(owner) : platform::SystemDpi();
    const int width = platform::ScaleForDpi(kWidth, dpi), height = platform::ScaleForDpi(kHeight, dpi);
    RECT around = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner) ::GetWindowRect(owner, &around);
    const int x = (around.left + around.right - width) / 2, y = (around.top + around.bottom - height) / 2;

    logic_.onUnload = [this] {
        if (hwnd() && !platform::EndModal(hwnd(), IDOK)) ::DestroyWindow(hwnd());
    };
    controls::WindowSetup setup;
    setup.className = kClassName;
    setup.parent = owner;
    setup.rect = {x, y, x + width, y + height};
    setup.style = WS_POPUP | WS_BORDER;
    setup.exStyle = WS_EX_TOOLWINDOW;
    setup.text = "Please Wait...";
    setup.cursor = ::LoadCursorW(nullptr, IDC_WAIT);
    if (!MakeWindow(setup)) {
        // No window: the clean still runs, as the road asks.
        logic_.Tim_Timer();
        logic_.onUnload = nullptr;
        return;
    }
    if (opacity < 255) platform::SetWindowOpacity(hwnd(), opacity);
    ::SetTimer(hwnd(), kTimId, FrmPrivacyProg::kTimIntervalMs, nullptr);
    platform::RunModal(hwnd(), owner);
    logic_.onUnload = nullptr;
}

LRESULT FrmPrivacyProgWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kTimId) {
                ::KillTimer(hwnd(), kTimId);
                logic_.Tim_Timer();
            }
            return 0;
        case WM_CLOSE:
            return 0;  // closes only when the clean is done
    }
    return Default(message, wParam, lParam);
}

void FrmPrivacyProgWindow::Paint(HDC dc, const RECT& client) {
    platform::GradientVertical(dc, client, controls::ResolveColor(controls::ThemeBackColor),
                               controls::ResolveColor(controls::ThemeLightColor));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, controls::ResolveColor(controls::ThemeTextColor));
    const int half = client.bottom / 2;
    RECT top = {0, 0, client.right, half};
    RECT bottom = {0, half + Scale(4), client.right, client.bottom};
    {
        platform::SelectionGuard font(dc, BoldFont());
        platform::DrawTextUtf8(dc, FrmPrivacyProg::kLabel1, top, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    }
    platform::SelectionGuard font(dc, Font());
    platform::DrawTextUtf8(dc, FrmPrivacyProg::kLabel2, bottom, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace privacy
