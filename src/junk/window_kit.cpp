#include "junk/window_kit.h"

#include <vector>

#include "platform/utf.h"

namespace junk::kit {
namespace {

int ScreenDpi() {
    static const int dpi = [] {
        platform::WindowDc dc(nullptr);
        const int value = dc.get() ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
        return value > 0 ? value : 96;
    }();
    return dpi;
}

HFONT MakeFont(bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    if (bold) {
        font.lfWeight = FW_BOLD;
        font.lfHeight = font.lfHeight * 4 / 3;
    }
    return ::CreateFontIndirectW(&font);
}

}  // namespace

int Scale(int value96) { return ::MulDiv(value96, ScreenDpi(), 96); }

HFONT MessageFont() {
    static platform::UniqueFont font(MakeFont(false));
    return font.get();
}

HFONT HeadingFont() {
    static platform::UniqueFont font(MakeFont(true));
    return font.get();
}

HWND Child(HWND parent, const wchar_t* className, const std::string& text, DWORD style, int id, DWORD exStyle) {
    HWND child =
        ::CreateWindowExW(exStyle, className, platform::ToWide(text).c_str(), WS_CHILD | style, 0, 0, 10, 10, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    return child;
}

void SetText(HWND window, const std::string& text) {
    if (GetText(window) != text) ::SetWindowTextW(window, platform::ToWide(text).c_str());
}

std::string GetText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int n = ::GetWindowTextW(window, buffer.data(), length + 1);
    return platform::ToUtf8(std::wstring_view(buffer.data(), static_cast<size_t>(n)));
}

void Place(HWND window, int x, int y, int width, int height) {
    ::MoveWindow(window, Scale(x), Scale(y), Scale(width), Scale(height), TRUE);
}

void CenterOver(HWND window, HWND owner) {
    RECT area;
    if (!owner || !::GetWindowRect(owner, &area)) ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT self;
    ::GetWindowRect(window, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    ::SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void RunModal(HWND dialog, HWND owner, const bool& done) {
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (owner) ::EnableWindow(owner, FALSE);
    ::ShowWindow(dialog, SW_SHOW);
    MSG msg;
    while (!done && ::IsWindow(dialog)) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (::IsDialogMessageW(dialog, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (owner && ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (::IsWindow(dialog)) ::DestroyWindow(dialog);
    if (owner) ::SetActiveWindow(owner);
}

}  // namespace junk::kit
