// The round button of the main window's compact-view navigation. The round
// buttons of one panel form a group with at most one selected. State and
// mouse behaviour; RoundBtnWindow draws it. Portable.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/mouse.h"

namespace controls {

class RoundBtn {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    // false clears this button; true first clears every selected button of
    // the group, then selects this one.
    void SelectButton(bool Selected);
    bool IsButtonSelected() const { return selected_; }
    void Refresh() const { Changed(); }

    bool Pressed() const { return pressed_; }
    bool Hovered() const { return hovered_; }

    // The buttons of this button's group (the round buttons of its parent).
    // Set by the window; a button without a group stands alone.
    std::function<std::vector<RoundBtn*>()> group;

    // Input from the window.
    void OnMouseMove(bool inside);
    void OnMouseLeave();
    void OnButtonDown(MouseButton button);
    void OnButtonUp(MouseButton button, bool inside);
    void OnKeyActivate();

    // Raised by every click, also on the button already selected.
    std::function<void()> Click;
    std::function<void()> onChange;

private:
    void Activate();
    void Changed() const;

    std::string caption_;
    bool enabled_ = true;
    bool selected_ = false;
    bool pressed_ = false;
    bool pressStarted_ = false;
    bool hovered_ = false;
};

}  // namespace controls
