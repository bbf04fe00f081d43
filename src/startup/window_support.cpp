#include "startup/window_support.h"

#include <vector>

#include "platform/utf.h"

namespace startup::ui {

int Scale(HWND window, int length) {
    platform::WindowDc dc(window);
    const int dpi = dc.get() ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
    return ::MulDiv(length, dpi > 0 ? dpi : 96, 96);
}

platform::UniqueFont MessageFont(HWND window, bool bold) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    if (font.lfHeight == 0) font.lfHeight = -Scale(window, 12);
    if (bold) font.lfWeight = FW_BOLD;
    return platform::UniqueFont(::CreateFontIndirectW(&font));
}

void SetFont(HWND control, HFONT font) { ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

std::string TextOf(HWND control) {
    const int length = ::GetWindowTextLengthW(control);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    const int got = ::GetWindowTextW(control, buffer.data(), length + 1);
    return platform::ToUtf8(std::wstring_view(buffer.data(), got > 0 ? got : 0));
}

void SetText(HWND control, const std::string& text) {
    if (TextOf(control) != text) ::SetWindowTextW(control, platform::ToWide(text).c_str());
}

void RunModal(HWND window, HWND owner) {
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
    ::ShowWindow(window, SW_SHOW);
    MSG message;
    while (::IsWindow(window)) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // Hand the quit message on to the loop that owns it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (!::IsDialogMessageW(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    if (ownerWasEnabled) {
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
    }
}

HWND Child(HWND parent, const wchar_t* className, const std::string& text, DWORD style, int id, DWORD exStyle) {
    return ::CreateWindowExW(exStyle, className, platform::ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                             0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

COLORREF ToolBarColor() { return RGB(0xDC, 0xE8, 0xF5); }
COLORREF ToolBarTextColor() { return RGB(0x1E, 0x2A, 0x3A); }

}  // namespace startup::ui
