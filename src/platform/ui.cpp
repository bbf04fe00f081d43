#include "platform/ui.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/utf.h"

namespace platform {

void InitCommonControls() {
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof init;
    init.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LINK_CLASS;
    if (!::InitCommonControlsEx(&init)) {
        // The link class is missing before Common Controls 6: take the rest.
        init.dwICC = ICC_WIN95_CLASSES;
        ::InitCommonControlsEx(&init);
    }
}

bool SetWindowOpacity(HWND window, unsigned char alpha) {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    return ::SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA) != FALSE;
}

UniqueRegion CreateRoundedRegion(int width, int height, int corner) {
    return UniqueRegion(::CreateRoundRectRgn(0, 0, width, height, corner, corner));
}

bool SetRoundedWindowRegion(HWND window, int width, int height, int corner) {
    UniqueRegion region = CreateRoundedRegion(width, height, corner);
    if (!region || !::SetWindowRgn(window, region.get(), TRUE)) return false;
    region.release();  // the window owns it now
    return true;
}

void CenterOnWorkArea(HWND window, int width, int height) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) area = monitor.rcWork;
    const int x = area.left + std::max(0L, (area.right - area.left - width) / 2);
    const int y = area.top + std::max(0L, (area.bottom - area.top - height) / 2);
    ::SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool PlaceOnAMonitor(HWND window, int x, int y, int width, int height) {
    // The title bar, where the user takes hold of the window.
    const RECT titleBar{x, y, x + width, y + ::GetSystemMetrics(SM_CYCAPTION) + ::GetSystemMetrics(SM_CYFRAME)};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromRect(&titleBar, MONITOR_DEFAULTTONULL), &monitor)) return false;
    RECT shown;
    if (!::IntersectRect(&shown, &titleBar, &monitor.rcWork)) return false;
    constexpr int kGrip = 64;  // enough of the bar to drag it by
    if (shown.bottom - shown.top < titleBar.bottom - titleBar.top || shown.right - shown.left < std::min(kGrip, width))
        return false;
    return ::SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

POINT RestoredPosition(HWND window) {
    RECT rect{};
    if (::IsIconic(window) || ::IsZoomed(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ::GetWindowPlacement(window, &placement);
        rect = placement.rcNormalPosition;
    } else {
        ::GetWindowRect(window, &rect);
    }
    return {rect.left, rect.top};
}

bool BringForward(const wchar_t* className) {
    const HWND window = ::FindWindowW(className, nullptr);
    if (!window) return false;
    if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
    ::SetForegroundWindow(window);
    return true;
}

UniqueIcon LoadIconResource(const std::string& name, int size) {
    return UniqueIcon(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), ToWide(name).c_str(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

HCURSOR LoadCursorResource(int id) { return ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)); }

}  // namespace platform
