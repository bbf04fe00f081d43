// Window helpers shared by the program's windows: common controls, the
// layered and rounded look, centring and resources.
#pragma once

#include <string>

#include "platform/gdi.h"
#include "platform/handles.h"

namespace platform {

// Registers the common control classes the program uses (InitCommonControlsEx).
void InitCommonControls();

// WS_EX_LAYERED with constant alpha (0 transparent .. 255 opaque).
bool SetWindowOpacity(HWND window, unsigned char alpha);
// A region with rounded corners over a window of width x height (corner: the
// diameter of the corner ellipse).
UniqueRegion CreateRoundedRegion(int width, int height, int corner);
// Clips the window to CreateRoundedRegion; the window owns the region afterwards.
bool SetRoundedWindowRegion(HWND window, int width, int height, int corner);
// Moves and sizes the window to the middle of the work area of the monitor
// it is on (the primary one when it is on none).
void CenterOnWorkArea(HWND window, int width, int height);
// Moves and sizes the window to (x, y) when its title bar would lie on the
// work area of a monitor present now, so that it can be reached and dragged;
// false, and nothing moved, otherwise.
bool PlaceOnAMonitor(HWND window, int x, int y, int width, int height);
// The window's top-left corner in its restored state, also while it is
// minimised or maximised.
POINT RestoredPosition(HWND window);
// The first top-level window of this class comes to the front, restored if
// it was minimised. False when there is none.
bool BringForward(const wchar_t* className);

// An icon resource of the program (e.g. "QX2ICON") at size x size pixels.
UniqueIcon LoadIconResource(const std::string& name, int size);
// A cursor resource of the program by number; shared, never destroyed.
HCURSOR LoadCursorResource(int id);

}  // namespace platform
