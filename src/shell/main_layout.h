// Where everything of the main window goes: a pure function of the client
// size, the DPI and the view, so that it is tested without a window.
// Portable.
#pragma once

#include <array>

#include "shell/page.h"

namespace shell {

// A rectangle in client pixels; empty when right <= left or bottom <= top.
struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
};

struct MainLayout {
    Box header;                          // the theme's gradient band
    Box logo;                            // Plogo: the program icon
    Box title;                           // the program's name (empty in the compact view)
    Box tip;                             // the tip line
    Box toggle;                          // the view toggle at the tip line's right end
    std::array<Box, kPageCount> tabs;    // full view only
    std::array<Box, kPageCount> rounds;  // compact view only
    Box pageArea;
    Box close;
    Box resultStrip;  // lies over the button strip while it shows
    Box privacyNote;
    Box privacyBalloon;
    int buttonWidth = 0;
    int buttonHeight = 0;
    int buttonGap = 0;
    int stripRight = 0;  // the command buttons end here, left of Close

    // The strip for count command buttons, ending at stripRight.
    Box ButtonStrip(int count) const;
};

// A length given at 96 DPI, at dpi.
int ScaleLength(int length96, unsigned dpi);

// The client size at 96 DPI of the full or the compact view.
struct ClientSize {
    int width;
    int height;
};
ClientSize MainClientSize96(bool compact);

MainLayout LayOutMainWindow(int clientWidth, int clientHeight, unsigned dpi, bool compact);

}  // namespace shell
