#include "controls/link.h"

namespace controls {

void Link::SetEnabled(bool value) {
    enabled_ = value;
    if (!enabled_) {
        hovered_ = false;
        press_.Cancel();
    }
    changed();
}

void Link::OnMouseMove(const MouseEventArgs& args, bool inside) {
    if (!enabled_) return;
    SetHovered(inside);
    if (MouseMove) MouseMove(args);
}

void Link::OnMouseLeave() {
    if (!press_.Pressed()) SetHovered(false);
}

void Link::OnButtonDown(const MouseEventArgs& args) {
    if (!enabled_) return;
    if (args.button == MouseButton::Left) press_.Press();
    if (MouseDown) MouseDown(args);
}

void Link::OnButtonUp(const MouseEventArgs& args, bool inside) {
    if (!enabled_) return;
    if (MouseUp) MouseUp(args);
    if (args.button != MouseButton::Left) return;
    const bool click = press_.Release(inside);
    SetHovered(inside);
    changed();
    if (click && Click) Click();
}

void Link::OnCaptureLost() {
    press_.Cancel();
    SetHovered(false);
}

void Link::OnKeyActivate() {
    if (enabled_ && Click) Click();
}

void Link::SetHovered(bool value) {
    if (hovered_ == value) return;
    hovered_ = value;
    changed();
}

}  // namespace controls
