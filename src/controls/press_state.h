// The left-button press of a clickable control. A release is a click only
// after a press on the same control, released over it; losing the mouse
// capture, or the control being disabled, cancels the press. Portable.
#pragma once

namespace controls {

class PressState {
public:
    void Press() { pressed_ = true; }
    // True when this release completes a click.
    bool Release(bool inside) {
        const bool click = pressed_ && inside;
        pressed_ = false;
        return click;
    }
    void Cancel() { pressed_ = false; }
    bool Pressed() const { return pressed_; }

private:
    bool pressed_ = false;
};

}  // namespace controls
