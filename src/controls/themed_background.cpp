#include "controls/themed_background.h"

#include "controls/custom_window.h"
#include "controls/theme.h"

namespace controls {

ThemedBackground::ThemedBackground() : brush_(::CreateSolidBrush(ResolveColor(ThemeBackColor))) {}

bool ThemedBackground::Handle(HWND window, UINT message, WPARAM wParam, LRESULT& result) const {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    if (message == WM_ERASEBKGND) {
        RECT client;
        ::GetClientRect(window, &client);
        ::FillRect(dc, &client, brush_.get());
        result = 1;
        return true;
    }
    if (message == WM_CTLCOLORSTATIC) {
        ::SetTextColor(dc, ResolveColor(ThemeTextColor));
        ::SetBkColor(dc, ResolveColor(ThemeBackColor));
        result = reinterpret_cast<LRESULT>(brush_.get());
        return true;
    }
    return false;
}

}  // namespace controls
