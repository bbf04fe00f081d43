// Window helpers shared by the program's windows: common controls, message
// boxes, DPI scaling, fonts, the layered and rounded look, resources, and a
// message loop that gives dialog keys (Tab, Enter, Esc, accelerators) to the
// windows that ask for them.
#pragma once

#include <functional>
#include <string>

#include "platform/handles.h"

namespace platform {

struct AcceleratorTableTraits {
    using Value = HACCEL;
    static Value invalid() noexcept { return nullptr; }
    static bool valid(Value v) noexcept { return v != nullptr; }
    static void close(Value v) noexcept { ::DestroyAcceleratorTable(v); }
};
using UniqueAcceleratorTable = Owner<AcceleratorTableTraits>;

// Registers the common control classes the program uses (InitCommonControlsEx).
void InitCommonControls();

// Window text as UTF-8, and back.
std::string WindowText(HWND window);
void SetWindowTextUtf8(HWND window, const std::string& text);

// The logical DPI a window is drawn at: GetDpiForWindow where Windows has it
// (10 and later), else the screen's LOGPIXELSY.
unsigned WindowDpi(HWND window);
unsigned SystemDpi();
// A length given at 96 DPI, at dpi.
int ScaleForDpi(int length, unsigned dpi);
// AdjustWindowRectExForDpi where Windows has it, else AdjustWindowRectEx.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, unsigned dpi);
// Outer size of a window whose client area is clientWidth x clientHeight
// (lengths at 96 DPI) at dpi.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, unsigned dpi);

// A font in the face of the system's message font, pointSize points tall at dpi.
UniqueFont CreateUiFont(unsigned dpi, int pointSize, bool bold = false);

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

// An icon resource of the program (e.g. "QX2ICON") at size x size pixels.
UniqueIcon LoadIconResource(const std::string& name, int size);
// A cursor resource of the program by number; shared, never destroyed.
HCURSOR LoadCursorResource(int id);

// Dialog keys for a top-level window and its children: keyPreview first sees
// every key press (may be empty), then accelerators (may be null), then
// IsDialogMessage (Tab, Enter, Esc, mnemonics).
void EnableDialogKeys(HWND topLevel, HACCEL accelerators, std::function<void(unsigned keyCode)> keyPreview = {});
void DisableDialogKeys(HWND topLevel);
// What the message loop does with a message before dispatching it: true when
// it was a dialog key of an enabled window and has been handled.
bool TranslateDialogKeys(MSG& msg);
// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

}  // namespace platform
