// The round button's window: a rounded button in the theme colour in use.
// Its group is the round buttons that share its parent window.
#pragma once

#include <vector>

#include "controls/bound_window.h"
#include "controls/push_control_window.h"
#include "controls/round_btn.h"

namespace controls {

class RoundBtnWindow : public BoundWindow<RoundBtn, PushControlWindow> {
public:
    explicit RoundBtnWindow(RoundBtn& logic);

    bool Create(HWND parent, const RECT& rect, int id = 0);

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    void ClearSiblings();

    Connection selected_;
};

}  // namespace controls
