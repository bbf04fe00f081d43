// The tab button of the main window's full-view navigation: a PushControl
// that selects itself when activated (clearing the other tabs is the page's
// work). TabButtonWindow draws it. Portable.
#pragma once

#include "controls/color.h"
#include "controls/push_control.h"

namespace controls {

class TabButton : public PushControl {
public:
    TabButton() : PushControl("Btn") {}

    Color BackColor() const { return backColor_; }
    void SetBackColor(Color value);
    // Set by the colour themes.
    Color ThemeColor() const { return themeColor_; }
    void SetThemeColor(Color value);
    // Drawn in the selected look when true.
    bool SelectButton() const { return selected_; }
    void SetSelectButton(bool value);

private:
    void Activated() override { SetSelectButton(true); }

    Color backColor_ = kWhite;
    Color themeColor_ = 0;
    bool selected_ = false;
};

}  // namespace controls
