// A control's window bound to the logic object that holds its state: the
// logic must outlive the window, which only draws it and feeds it input.
#pragma once

#include <utility>

#include "controls/custom_window.h"

namespace controls {

template <class Logic, class Base = CustomWindow>
class BoundWindow : public Base {
public:
    Logic& logic() { return logic_; }

protected:
    // baseArgs go to Base's constructor.
    template <class... BaseArgs>
    explicit BoundWindow(Logic& logic, BaseArgs&&... baseArgs)
        : Base(std::forward<BaseArgs>(baseArgs)...), logic_(logic) {}

    Logic& logic_;
};

}  // namespace controls
