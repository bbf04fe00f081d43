#include "controls/error_msg.h"

#include <cmath>

namespace controls {

void ErrorMsg::ShowError(const std::string& Text) { Show(MessageIcon::Error, Text); }

void ErrorMsg::ShowInformation(const std::string& Text) { Show(MessageIcon::Information, Text); }

void ErrorMsg::Show(MessageIcon icon, const std::string& text) {
    if (shown_) return;
    icon_ = icon;
    fadeLevel_ = kFadeStartLevel;
    fadeStep_ = kFadeStartStep;
    iconAlpha_ = 0;
    message_ = text;
    hoverArmed_ = true;  // the control becomes visible
    fadeTimer_ = true;
    shown_ = true;
    changed();
}

void ErrorMsg::HideMessage() {
    if (!shown_) return;
    fadeTimer_ = false;
    showTimer_ = false;
    iconAlpha_ = 0;
    shown_ = false;
    CloseTip();
    changed();
}

void ErrorMsg::SetToolTipFontColor(Color value) { toolTipFontColor_ = value; }
void ErrorMsg::SetToolTipBackColor(Color value) { toolTipBackColor_ = value; }
void ErrorMsg::SetBackColor(Color value) {
    backColor_ = value;
    changed();
}

void ErrorMsg::OnFadeTimer() {
    if (!fadeTimer_) return;
    fadeStep_ = static_cast<int>(std::lround(fadeStep_ - 0.1));
    iconAlpha_ = 255 - fadeLevel_;
    if (fadeLevel_ - fadeStep_ < 0 || fadeStep_ <= 0) {
        fadeTimer_ = false;  // the level stays where it is
    } else {
        fadeLevel_ -= fadeStep_;
    }
    changed();
}

void ErrorMsg::OnShowTimer(bool inside) {
    if (!showTimer_ || !shown_) return;
    if (hoverArmed_ && inside) {
        if (!message_.empty()) openToolTip(message_);
        hoverArmed_ = false;  // once per visit of the mouse
    }
}

void ErrorMsg::OnMouseMove(bool inside) {
    if (inside) {
        if (!showTimer_) {
            showTimer_ = true;
            changed();
        }
        return;
    }
    const bool wasRunning = showTimer_;
    showTimer_ = false;
    hoverArmed_ = true;
    CloseTip();
    if (wasRunning) changed();
}

void ErrorMsg::OnButtonUp(MouseButton button, bool inside) {
    if (button != MouseButton::Left || !inside) return;
    showTimer_ = false;
    hoverArmed_ = true;
    CloseTip();
    changed();
    if (Click) Click();
}

void ErrorMsg::CloseTip() { closeToolTip(); }

}  // namespace controls
