// The round button of the main window's compact-view navigation: a
// PushControl that selects itself when activated. The round buttons of one
// panel form a group with at most one selected: the window clears the
// others when `selected` is raised. Portable.
#pragma once

#include "controls/push_control.h"

namespace controls {

class RoundBtn : public PushControl {
public:
    RoundBtn() : PushControl("") {}

    // true raises `selected` (the group clears the others first), then
    // selects this button; false clears it.
    void SelectButton(bool Selected);
    bool IsButtonSelected() const { return selected_; }

    Signal<> selected;

private:
    void Activated() override {
        if (!selected_) SelectButton(true);
    }

    bool selected_ = false;
};

}  // namespace controls
