#include "controls/link.h"

namespace controls {

void Link::SetCaption(const std::string& value) {
    caption_ = value;
    Changed();
}
void Link::SetForeColor(Color value) {
    foreColor_ = value;
    Changed();
}
void Link::SetBackColor(Color value) {
    backColor_ = value;
    Changed();
}
void Link::SetOverColor(Color value) {
    overColor_ = value;
    Changed();
}
void Link::SetOverUnderline(bool value) {
    overUnderline_ = value;
    Changed();
}
void Link::SetEnabled(bool value) {
    enabled_ = value;
    if (!enabled_) {
        hovered_ = false;
        pressed_ = false;
    }
    Changed();
}
void Link::SetTipText(const std::string& value) {
    tipText_ = value;
    Changed();
}
void Link::SetTipsText(const std::string& value) {
    tipsText_ = value;
    Changed();
}

void Link::OnMouseMove(const MouseEventArgs& args, bool inside) {
    if (!enabled_) return;
    SetHovered(inside);
    if (MouseMove) MouseMove(args);
}

void Link::OnMouseLeave() {
    if (!pressed_) SetHovered(false);
}

void Link::OnButtonDown(const MouseEventArgs& args) {
    if (!enabled_) return;
    if (args.button == MouseButton::Left) pressed_ = true;
    if (MouseDown) MouseDown(args);
}

void Link::OnButtonUp(const MouseEventArgs& args, bool inside) {
    if (!enabled_) return;
    if (MouseUp) MouseUp(args);
    if (args.button != MouseButton::Left) return;
    // Only a press that began on the link and ends on it is a click; a
    // release after dragging off the link cancels it, as with any button.
    const bool click = pressed_ && inside;
    pressed_ = false;
    SetHovered(inside);
    Changed();
    if (click && Click) Click();
}

void Link::OnKeyActivate() {
    if (enabled_ && Click) Click();
}

void Link::SetHovered(bool value) {
    if (hovered_ == value) return;
    hovered_ = value;
    Changed();
}

void Link::Changed() const {
    if (onChange) onChange();
}

}  // namespace controls
