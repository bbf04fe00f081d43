// A window bound to the logic object that holds its state: the logic
// must outlive the window, which shows that state and passes on the input.
#pragma once

#include <utility>

#include "controls/custom_window.h"

namespace controls {

template <class Logic, class Base = CustomWindow>
class BoundWindow : public Base {
public:
    // baseArgs go to Base's constructor.
    template <class... BaseArgs>
    explicit BoundWindow(Logic& logic, BaseArgs&&... baseArgs)
        : Base(std::forward<BaseArgs>(baseArgs)...), logic_(logic) {}

    Logic& logic() { return logic_; }

protected:
    Logic& logic_;
};

}  // namespace controls
