// The one way a window runs modally over another: the owner's top-level
// window is disabled, the loop gives the window its dialog keys, and the
// owner is enabled and activated again BEFORE the window is destroyed, so
// that Windows hands the activation back to the owner, not to another program.
#pragma once

#include <windows.h>

#include <functional>

namespace platform {

// What RunModal answers when the window ended without EndModal (done()
// became true, the window was destroyed, or the program is ending).
inline constexpr int kModalNoResult = 0;

// Shows window and runs its modal loop until EndModal(window, ...) is
// called, done (optional) answers true, or the window is destroyed. Tab,
// Enter, Esc and mnemonics work as in a dialog box (after the window's own
// accelerators, when it registered them with EnableDialogKeys). Afterwards
// the owner is enabled again (when it was enabled before) and activated,
// then the window is destroyed. A WM_QUIT met on the way is posted again
// for the outer loop. Answers the EndModal result, else kModalNoResult.
int RunModal(HWND window, HWND owner, const std::function<bool()>& done = {});

// Ends the modal loop that runs window; the loop destroys it. A window that
// runs modally ends itself with this instead of DestroyWindow. False when
// no loop runs window.
bool EndModal(HWND window, int result);

// True while a modal loop runs window.
bool IsRunningModal(HWND window);

}  // namespace platform
