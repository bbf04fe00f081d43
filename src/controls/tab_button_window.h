// The tab button's window: draws the normal, hover, pressed, selected and
// disabled looks in the button's theme colour, with an optional picture.
#pragma once

#include "controls/bound_window.h"
#include "controls/push_control_window.h"
#include "controls/tab_button.h"

namespace controls {

class TabButtonWindow : public BoundWindow<TabButton, PushControlWindow> {
public:
    explicit TabButtonWindow(TabButton& logic);

    bool Create(HWND parent, const RECT& rect, int id = 0) { return CreateChild(parent, rect, id); }

    // The button's picture and the picture shown while it is disabled.
    void SetPicture(platform::UniqueIcon picture);
    void SetPicDisabled(platform::UniqueIcon picture);

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    platform::UniqueIcon picture_;
    platform::UniqueIcon picDisabled_;
};

}  // namespace controls
