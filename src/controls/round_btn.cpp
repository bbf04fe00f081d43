#include "controls/round_btn.h"

namespace controls {

void RoundBtn::SetCaption(const std::string& value) {
    caption_ = value;
    Changed();
}

void RoundBtn::SetEnabled(bool value) {
    enabled_ = value;
    if (!enabled_) pressed_ = pressStarted_ = hovered_ = false;
    Changed();
}

void RoundBtn::SelectButton(bool Selected) {
    if (Selected && group) {
        for (RoundBtn* other : group()) {
            if (other && other != this && other->IsButtonSelected()) other->SelectButton(false);
        }
    }
    selected_ = Selected;
    Changed();
}

void RoundBtn::OnMouseMove(bool inside) {
    if (!enabled_ || hovered_ == inside) return;
    hovered_ = inside;
    Changed();
}

void RoundBtn::OnMouseLeave() {
    if (!hovered_) return;
    hovered_ = false;
    Changed();
}

void RoundBtn::OnButtonDown(MouseButton button) {
    if (!enabled_ || button != MouseButton::Left) return;
    pressed_ = true;
    pressStarted_ = true;
    Changed();
}

void RoundBtn::OnButtonUp(MouseButton button, bool inside) {
    if (!enabled_ || button != MouseButton::Left) return;
    const bool click = pressStarted_ && inside;
    pressed_ = false;
    pressStarted_ = false;
    hovered_ = inside;
    Changed();
    if (click) Activate();
}

void RoundBtn::OnKeyActivate() {
    if (enabled_) Activate();
}

void RoundBtn::Activate() {
    if (!selected_) SelectButton(true);
    if (Click) Click();
}

void RoundBtn::Changed() const {
    if (onChange) onChange();
}

}  // namespace controls
