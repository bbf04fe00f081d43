// What the tab button and the round button share: caption, enabled state,
// hover, the press (PressState) and activation by mouse or key. A subclass
// says what activation does. Portable.
#pragma once

#include <functional>
#include <string>

#include "controls/mouse.h"
#include "controls/press_state.h"
#include "controls/signal.h"

namespace controls {

class PushControl {
public:
    PushControl(const PushControl&) = delete;
    PushControl& operator=(const PushControl&) = delete;
    virtual ~PushControl() = default;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { StoreAndSignal(caption_, value, changed); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Pressed() const { return press_.Pressed(); }
    bool Hovered() const { return hovered_; }
    void Refresh() const { changed(); }

    // Input from the window.
    void OnMouseMove(bool inside);
    void OnMouseLeave();
    void OnButtonDown(MouseButton button);
    void OnButtonUp(MouseButton button, bool inside);
    void OnCaptureLost();
    void OnKeyActivate();

    // Raised by every click and key activation.
    std::function<void()> Click;
    // The look or the caption changed.
    Signal<> changed;

protected:
    explicit PushControl(std::string caption) : caption_(std::move(caption)) {}
    // A click or key activation of an enabled control; raises Click after.
    virtual void Activated() {}

private:
    void Activate();

    std::string caption_;
    bool enabled_ = true;
    bool hovered_ = false;
    PressState press_;
};

}  // namespace controls
