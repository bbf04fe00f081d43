#include "support/window_colours.h"

#include "platform/handles.h"

namespace testing_support {

COLORREF ErasedColour(HWND window, POINT at) {
    RECT client{};
    ::GetClientRect(window, &client);
    platform::WindowDc screen(window);
    platform::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    platform::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    const HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
    ::SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.get()), 0);
    const COLORREF colour = ::GetPixel(memory.get(), at.x, at.y);
    ::SelectObject(memory.get(), previous);
    return colour;
}

COLORREF ShownColour(HWND window, POINT at) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    platform::WindowDc dc(window);
    return ::GetPixel(dc.get(), at.x, at.y);
}

StaticColours ColoursOfStatic(HWND parent, HWND child) {
    const platform::WindowDc dc(child);
    const auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(child)));
    LOGBRUSH fill{};
    ::GetObjectW(brush, sizeof fill, &fill);
    return {::GetTextColor(dc.get()), fill.lbColor};
}

}  // namespace testing_support
