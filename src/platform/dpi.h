// Scaling for high DPI. Sizes in the program are given in logical units of
// 96 DPI (or in twips, 1440 to the inch) and scaled to the window's DPI.
#pragma once

#include "platform/window_handle.h"

namespace platform {

inline constexpr int kDefaultDpi = 96;

// The DPI of the primary screen.
int SystemDpi();
// The DPI of the monitor the window is on where Windows tells it
// (per-monitor aware programs on Windows 10 and later), else SystemDpi.
int WindowDpi(WindowHandle window);

// value96 logical units at 96 DPI, in pixels at dpi (rounded).
int ScaleForDpi(int value96, int dpi);
// twips (1/1440 inch) in pixels at dpi (rounded).
int TwipsToPixels(int twips, int dpi);

}  // namespace platform
