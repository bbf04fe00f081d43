#include "privacy/frm_privacy_prog_window.h"

#include "controls/custom_window.h"
#include "controls/theme.h"
#include "platform/gdi.h"
#include "platform/ui.h"

namespace privacy {
namespace {

constexpr UINT_PTR kTimId = 1;
constexpr int kWidth = 260, kHeight = 78;  // at 96 DPI

}  // namespace

void FrmPrivacyProgWindow::ShowModal(HWND owner, unsigned char opacity) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (!::GetClassInfoExW(instance, kClassName, &windowClass)) {
        windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514));  // IDC_WAIT
        windowClass.lpszClassName = kClassName;
        ::RegisterClassExW(&windowClass);
    }
    const unsigned dpi = owner ? platform::WindowDpi(owner) : platform::SystemDpi();
    const int width = platform::ScaleForDpi(kWidth, dpi), height = platform::ScaleForDpi(kHeight, dpi);
    RECT around = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner) ::GetWindowRect(owner, &around);
    const int x = (around.left + around.right - width) / 2, y = (around.top + around.bottom - height) / 2;

    logic_.onUnload = [this] {
        closed_ = true;
        if (window_) ::DestroyWindow(window_);
    };
    closed_ = false;
    if (!::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Please Wait...", WS_POPUP | WS_BORDER, x, y, width, height,
                           owner, nullptr, instance, this)) {
        // No window: the clean still runs, as the road asks.
        logic_.Tim_Timer();
        logic_.onUnload = nullptr;
        return;
    }
    if (opacity < 255) platform::SetWindowOpacity(window_, opacity);
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    ::ShowWindow(window_, SW_SHOWNORMAL);
    ::UpdateWindow(window_);
    ::SetTimer(window_, kTimId, FrmPrivacyProg::kTimIntervalMs, nullptr);

    MSG message;
    bool quit = false;
    while (!closed_) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            break;
        }
        if (got < 0) break;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (window_) ::DestroyWindow(window_);
    logic_.onUnload = nullptr;
    if (owner) ::SetActiveWindow(owner);
    if (quit) ::PostQuitMessage(static_cast<int>(message.wParam));
}

LRESULT CALLBACK FrmPrivacyProgWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<FrmPrivacyProgWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<FrmPrivacyProgWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT FrmPrivacyProgWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kTimId) {
                ::KillTimer(window_, kTimId);
                logic_.Tim_Timer();
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = ::BeginPaint(window_, &paint);
            Paint(dc);
            ::EndPaint(window_, &paint);
            return 0;
        }
        case WM_CLOSE:
            return 0;  // closes only when the clean is done
        case WM_NCDESTROY: {
            const HWND window = window_;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            closed_ = true;
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void FrmPrivacyProgWindow::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(window_, &client);
    platform::GradientVertical(dc, client, controls::ResolveColor(controls::ThemeBackColor),
                               controls::ResolveColor(controls::ThemeLightColor));
    const unsigned dpi = platform::WindowDpi(window_);
    const platform::UniqueFont bold = platform::CreateMessageFont(static_cast<int>(dpi), FW_BOLD);
    const platform::UniqueFont plain = platform::CreateMessageFont(static_cast<int>(dpi));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, controls::ResolveColor(controls::ThemeTextColor));
    const int half = client.bottom / 2;
    RECT top = {0, 0, client.right, half};
    RECT bottom = {0, half, client.right, client.bottom};
    {
        platform::SelectionGuard font(dc, bold.get());
        platform::DrawTextUtf8(dc, FrmPrivacyProg::kLabel1, top, DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    }
    platform::SelectionGuard font(dc, plain.get());
    bottom.top += platform::ScaleForDpi(4, dpi);
    platform::DrawTextUtf8(dc, FrmPrivacyProg::kLabel2, bottom, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace privacy
