#include "controls/push_control.h"

namespace controls {

void PushControl::SetEnabled(bool value) {
    enabled_ = value;
    if (!enabled_) {
        press_.Cancel();
        hovered_ = false;
    }
    changed();
}

void PushControl::OnMouseMove(bool inside) {
    if (!enabled_ || hovered_ == inside) return;
    hovered_ = inside;
    changed();
}

void PushControl::OnMouseLeave() {
    if (!hovered_) return;
    hovered_ = false;
    changed();
}

void PushControl::OnButtonDown(MouseButton button) {
    if (!enabled_ || button != MouseButton::Left) return;
    press_.Press();
    changed();
}

void PushControl::OnButtonUp(MouseButton button, bool inside) {
    if (!enabled_ || button != MouseButton::Left) return;
    const bool click = press_.Release(inside);
    hovered_ = inside;
    changed();
    if (click) Activate();
}

void PushControl::OnCaptureLost() {
    if (!press_.Pressed()) return;
    press_.Cancel();
    changed();
}

void PushControl::OnKeyActivate() {
    if (enabled_) Activate();
}

void PushControl::Activate() {
    Activated();
    if (Click) Click();
}

}  // namespace controls
