// The one source of DPI values: the DPI a window is drawn at, lengths given
// at 96 DPI or in twips (1/1440 inch) in pixels, and window sizes for a
// client area.
#pragma once

#include <windows.h>

namespace platform {

// The logical DPI a window is drawn at: GetDpiForWindow where Windows has it
// (10 and later), else the screen's LOGPIXELSY.
unsigned WindowDpi(HWND window);
unsigned SystemDpi();
// A length given at 96 DPI, at dpi.
int ScaleForDpi(int length, unsigned dpi);
// twips in pixels at dpi (rounded).
int TwipsToPixels(int twips, unsigned dpi);
// AdjustWindowRectExForDpi where Windows has it, else AdjustWindowRectEx.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, unsigned dpi);
// Outer size of a window whose client area is clientWidth x clientHeight
// (lengths at 96 DPI) at dpi.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, unsigned dpi);

}  // namespace platform
