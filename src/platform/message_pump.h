// Letting the message loop run while the user-interface thread waits.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since Windows started; never goes back.
uint64_t TickCount();

// Dispatches every message waiting for this thread. False when it met
// WM_QUIT: the message is posted again for the main loop, and the caller
// should stop waiting because the program is ending.
bool PumpPendingMessages();

// Sleeps until a message arrives for this thread or milliseconds pass.
void WaitForMessages(uint32_t milliseconds);

}  // namespace platform
