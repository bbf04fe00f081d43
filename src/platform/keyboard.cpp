#include "platform/keyboard.h"

#include <windows.h>

namespace platform {

// Only the high bit says "down now"; the low bit ("pressed since the last
// call") is shared with every other program and says nothing reliable.
bool IsKeyDown(int virtualKey) { return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace platform
