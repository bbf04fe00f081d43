#include "platform/dpi.h"

#include "platform/handles.h"

namespace platform {
namespace {

constexpr unsigned kDefaultDpi = 96;

// Functions of Windows 10 and later, looked up so that the program still
// starts on Windows 7.
template <typename Function>
Function User32Function(const char* name) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (!user32) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

}  // namespace

unsigned SystemDpi() {
    WindowDc screen(nullptr);
    const int dpi = screen.get() ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<unsigned>(dpi) : kDefaultDpi;
}

unsigned WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return dpi;
    }
    return SystemDpi();
}

int ScaleForDpi(int length, unsigned dpi) { return ::MulDiv(length, static_cast<int>(dpi), kDefaultDpi); }

int TwipsToPixels(int twips, unsigned dpi) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); }

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, unsigned dpi) {
    using AdjustFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = User32Function<AdjustFunction>("AdjustWindowRectExForDpi");
    if (adjust && adjust(&rect, style, FALSE, exStyle, dpi)) return;
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, unsigned dpi) {
    RECT rect{0, 0, ScaleForDpi(clientWidth, dpi), ScaleForDpi(clientHeight, dpi)};
    AdjustWindowRectForDpi(rect, style, exStyle, dpi);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace platform
