// The thread's message loop: dialog keys for the windows that ask for them,
// and letting the loop run while the user-interface thread waits.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "platform/handles.h"

namespace platform {

// Who gets Enter and Esc in a window with dialog keys: a dialog's default
// and cancel buttons, or (a main window, which is not a dialog) the control
// with the focus.
enum class EnterAndEsc { DialogButtons, FocusedControl };

// Dialog keys for a top-level window and its children: keyPreview first sees
// every key press (may be empty), then accelerators (may be null), then
// IsDialogMessage (Tab, arrows, mnemonics, and Enter and Esc as asked).
void EnableDialogKeys(HWND topLevel, HACCEL accelerators, std::function<void(unsigned keyCode)> keyPreview = {},
                      EnterAndEsc enterAndEsc = EnterAndEsc::DialogButtons);
void DisableDialogKeys(HWND topLevel);
// What the message loop does with a message before dispatching it: true when
// it was a dialog key of an enabled window and has been handled.
bool TranslateDialogKeys(MSG& msg);
// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Milliseconds since Windows started; never goes back.
uint64_t TickCount();

// Dispatches every message waiting for this thread. False when it met
// WM_QUIT: the message is posted again for the main loop, and the caller
// should stop waiting because the program is ending.
bool PumpPendingMessages();

// Sleeps until a message arrives for this thread or milliseconds pass.
void WaitForMessages(uint32_t milliseconds);

}  // namespace platform
