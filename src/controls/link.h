// The link label: a text that acts like a hyperlink. This is its state and
// mouse behaviour; LinkWindow draws it. Portable (OpenPath and SendEmail
// live in link_open.cpp).
#pragma once

#include <functional>
#include <string>

#include "controls/color.h"
#include "controls/mouse.h"
#include "controls/press_state.h"
#include "controls/signal.h"

namespace controls {

class Link {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { StoreAndSignal(caption_, value, changed); }
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color value) { StoreAndSignal(foreColor_, value, changed); }
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color value) { StoreAndSignal(backColor_, value, changed); }
    Color OverColor() const { return overColor_; }
    void SetOverColor(Color value) { StoreAndSignal(overColor_, value, changed); }
    bool OverUnderline() const { return overUnderline_; }
    void SetOverUnderline(bool value) { StoreAndSignal(overUnderline_, value, changed); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    const std::string& TipText() const { return tipText_; }
    void SetTipText(const std::string& value) { StoreAndSignal(tipText_, value, changed); }
    const std::string& TipsText() const { return tipsText_; }
    void SetTipsText(const std::string& value) { StoreAndSignal(tipsText_, value, changed); }

    void Refresh() const { changed(); }

    // What to draw.
    bool Hovered() const { return hovered_; }
    Color TextColor() const { return hovered_ ? overColor_ : foreColor_; }
    bool Underlined() const { return hovered_ && overUnderline_; }
    // A press on the link is remembered until the button is released; the
    // window keeps the mouse captured meanwhile so that it sees the release.
    bool PressRemembered() const { return press_.Pressed(); }

    // Input from the window.
    void OnMouseMove(const MouseEventArgs& args, bool inside);
    void OnMouseLeave();
    void OnButtonDown(const MouseEventArgs& args);
    void OnButtonUp(const MouseEventArgs& args, bool inside);
    void OnCaptureLost();
    // Space or Enter while the link has the keyboard focus.
    void OnKeyActivate();

    std::function<void()> Click;
    std::function<void(const MouseEventArgs&)> MouseDown;
    std::function<void(const MouseEventArgs&)> MouseMove;
    std::function<void(const MouseEventArgs&)> MouseUp;

    // The look or the caption changed.
    Signal<> changed;

    // Opens a file, folder or web address with the verb "open", working
    // folder "C:\".
    static bool OpenPath(const std::string& path);
    // Opens the mail handler with "mailto:" + address.
    static bool SendEmail(const std::string& address);

private:
    void SetHovered(bool value);

    std::string caption_;
    Color foreColor_ = SystemColor(kSysButtonText);
    Color backColor_ = SystemColor(kSysButtonFace);
    Color overColor_ = kBlack;
    bool overUnderline_ = true;
    bool enabled_ = true;
    std::string tipText_;
    std::string tipsText_;
    bool hovered_ = false;
    PressState press_;
};

}  // namespace controls
