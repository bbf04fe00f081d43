#include "platform/dpi.h"

#include <windows.h>

#include "platform/handles.h"

namespace platform {

int SystemDpi() {
    WindowDc screen(nullptr);
    if (!screen.get()) return kDefaultDpi;
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? dpi : kDefaultDpi;
}

int WindowDpi(WindowHandle window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int ScaleForDpi(int value96, int dpi) { return ::MulDiv(value96, dpi, kDefaultDpi); }

int TwipsToPixels(int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); }

}  // namespace platform
