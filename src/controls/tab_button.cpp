#include "controls/tab_button.h"

namespace controls {

void TabButton::SetCaption(const std::string& value) {
    caption_ = value;
    Changed();
}
void TabButton::SetBackColor(Color value) {
    backColor_ = value;
    Changed();
}
void TabButton::SetThemeColor(Color value) {
    themeColor_ = value;
    Changed();
}
void TabButton::SetSelectButton(bool value) {
    selected_ = value;
    Changed();
}
void TabButton::SetEnabled(bool value) {
    enabled_ = value;
    if (!enabled_) pressed_ = pressStarted_ = hovered_ = false;
    Changed();
}

void TabButton::OnMouseMove(bool inside) {
    if (!enabled_ || hovered_ == inside) return;
    hovered_ = inside;
    Changed();
}

void TabButton::OnMouseLeave() {
    if (!hovered_) return;
    hovered_ = false;
    Changed();
}

void TabButton::OnButtonDown(MouseButton button) {
    if (!enabled_ || button != MouseButton::Left) return;
    pressed_ = true;
    pressStarted_ = true;
    Changed();
}

void TabButton::OnButtonUp(MouseButton button, bool inside) {
    if (!enabled_) return;
    if (button != MouseButton::Left) {
        armed_ = false;
        return;
    }
    pressed_ = false;
    armed_ = true;
    if (inside) selected_ = true;
    const bool click = armed_ && inside && pressStarted_;
    pressStarted_ = false;
    hovered_ = inside;
    Changed();
    if (click && Click) Click();
}

void TabButton::OnKeyActivate() {
    if (!enabled_) return;
    selected_ = true;
    Changed();
    if (Click) Click();
}

void TabButton::Changed() const {
    if (onChange) onChange();
}

}  // namespace controls
