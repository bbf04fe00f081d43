// The tool-tip window of the balloon messages: borderless, slightly
// transparent, rounded, a gradient from the theme colour to white behind the
// text. Only one exists at a time; it closes when the mouse moves over it or
// when another window becomes active.
#pragma once

#include <windows.h>

#include <string>

#include "controls/color.h"

namespace controls {

struct ToolTipRequest {
    std::string text;
    HFONT font = nullptr;  // nullptr: the system's message font
    Color textColor = kBlack;
    Color backColor = SystemColor(kSysInfoBackground);
    POINT screenPoint = {0, 0};  // the cursor
    int dpi = 96;
    HWND owner = nullptr;  // the top-level window the tip belongs to
    // 230 of 255 by default; 255 makes a plain (not layered) window, which
    // is what screenshots under Xvfb need: layered windows show black there.
    int opacity = 230;
};

// Opens the tool tip (closing one already open).
void ShowToolTip(const ToolTipRequest& request);
void CloseToolTip();
// The open tool tip's window, or nullptr.
HWND ToolTipWindow();
// Its text.
std::string ToolTipText();

}  // namespace controls
