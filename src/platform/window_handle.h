// A window handle type that headers above the platform layer can name
// without including windows.h (it is the same type as HWND).
#pragma once

struct HWND__;

namespace platform {
using WindowHandle = HWND__*;
}  // namespace platform
