// The state of the keyboard.
#pragma once

namespace platform {

// True while the key with this virtual-key code is held down.
bool IsKeyDown(int virtualKey);

}  // namespace platform
