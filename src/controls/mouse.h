// Mouse input as the controls' logic classes see it. Portable.
#pragma once

namespace controls {

enum class MouseButton { Left, Right, Middle };

// Position in pixels relative to the control's top-left corner.
struct MouseEventArgs {
    MouseButton button = MouseButton::Left;
    int x = 0;
    int y = 0;
};

}  // namespace controls
