// The tab button's window: draws the normal, hover, pressed, selected and
// disabled looks in the button's theme colour, with an optional picture.
#pragma once

#include "controls/push_control_window.h"
#include "controls/tab_button.h"

namespace controls {

class TabButtonWindow : public PushControlWindow {
public:
    // logic must outlive the window.
    explicit TabButtonWindow(TabButton& logic);

    bool Create(HWND parent, const RECT& rect, int id = 0) { return CreateChild(parent, rect, id); }
    TabButton& logic() { return logic_; }

    // The button's picture and the picture shown while it is disabled.
    void SetPicture(platform::UniqueIcon picture);
    void SetPicDisabled(platform::UniqueIcon picture);

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    TabButton& logic_;
    platform::UniqueIcon picture_;
    platform::UniqueIcon picDisabled_;
};

}  // namespace controls
