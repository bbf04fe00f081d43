#include "platform/ui.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "platform/utf.h"

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

struct DialogKeys {
    HWND window;
    HACCEL accelerators;
    std::function<void(unsigned)> keyPreview;
};
std::vector<DialogKeys>& DialogKeyWindows() {
    static std::vector<DialogKeys> windows;
    return windows;
}

}  // namespace

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

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return ToUtf8(text);
}

void SetWindowTextUtf8(HWND window, const std::string& text) { ::SetWindowTextW(window, ToWide(text).c_str()); }

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

UniqueFont CreateUiFont(unsigned dpi, int pointSize, bool bold) {
    LOGFONTW font{};
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
    } else {
        ::lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
        font.lfCharSet = DEFAULT_CHARSET;
    }
    font.lfHeight = -::MulDiv(pointSize, static_cast<int>(dpi), 72);
    font.lfWidth = 0;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfQuality = CLEARTYPE_QUALITY;
    return UniqueFont(::CreateFontIndirectW(&font));
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

UniqueIcon LoadIconResource(const std::string& name, int size) {
    return UniqueIcon(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), ToWide(name).c_str(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

HCURSOR LoadCursorResource(int id) { return ::LoadCursorW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)); }

void EnableDialogKeys(HWND topLevel, HACCEL accelerators, std::function<void(unsigned keyCode)> keyPreview) {
    DisableDialogKeys(topLevel);
    DialogKeyWindows().push_back({topLevel, accelerators, std::move(keyPreview)});
}

void DisableDialogKeys(HWND topLevel) {
    auto& windows = DialogKeyWindows();
    std::erase_if(windows, [topLevel](const DialogKeys& keys) { return keys.window == topLevel; });
}

bool TranslateDialogKeys(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    const HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    for (const DialogKeys& keys : DialogKeyWindows()) {
        if (keys.window != root) continue;
        if (keys.keyPreview && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
            // The callback may end the window (and this list entry).
            const auto preview = keys.keyPreview;
            preview(static_cast<unsigned>(msg.wParam));
            if (!::IsWindow(root)) return true;
        }
        if (keys.accelerators && ::TranslateAcceleratorW(root, keys.accelerators, &msg)) return true;
        return ::IsDialogMessageW(root, &msg) != FALSE;
    }
    return false;
}

int RunMessageLoop() {
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TranslateDialogKeys(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace platform
