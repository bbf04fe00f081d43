#include "controls/themed_background.h"

#include "controls/custom_window.h"
#include "controls/theme.h"

namespace controls {

ThemedBackground::ThemedBackground() : brush_(::CreateSolidBrush(ResolveColor(ThemeBackColor))) {}

bool ThemedBackground::ColourStatic(UINT message, WPARAM wParam, LRESULT& result) const {
    if (message != WM_CTLCOLORSTATIC) return false;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, ResolveColor(ThemeTextColor));
    ::SetBkColor(dc, ResolveColor(ThemeBackColor));
    result = reinterpret_cast<LRESULT>(brush_.get());
    return true;
}

}  // namespace controls
