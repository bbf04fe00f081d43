// The round button's window: a rounded button in the theme colour in use.
// Its group is the round buttons that share its parent window.
#pragma once

#include <vector>

#include "controls/push_control_window.h"
#include "controls/round_btn.h"

namespace controls {

class RoundBtnWindow : public PushControlWindow {
public:
    // logic must outlive the window.
    explicit RoundBtnWindow(RoundBtn& logic);

    bool Create(HWND parent, const RECT& rect, int id = 0);
    RoundBtn& logic() { return logic_; }

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    void ClearSiblings();

    RoundBtn& logic_;
    Connection selected_;
};

}  // namespace controls
