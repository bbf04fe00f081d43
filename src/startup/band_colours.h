// The startup page's tool bar band, also the colour of the group headers
// in the "Startup Items" window: a tint of the theme in use.
#pragma once

#include <windows.h>

#include "controls/custom_window.h"
#include "controls/theme.h"

namespace startup {

inline COLORREF BandColour() {
    return controls::ResolveColor(controls::Blend(controls::ThemeColor, controls::kWhite, 55));
}
inline COLORREF BandTextColour() { return controls::ResolveColor(controls::ThemeTextColor); }

}  // namespace startup
