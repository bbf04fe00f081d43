// The tab button of the main window's full-view navigation. State and mouse
// behaviour; TabButtonWindow draws it. Portable.
#pragma once

#include <functional>
#include <string>

#include "controls/color.h"
#include "controls/mouse.h"

namespace controls {

class TabButton {
public:
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color value);
    // Set by the colour themes.
    Color ThemeColor() const { return themeColor_; }
    void SetThemeColor(Color value);
    // Drawn in the selected look when true. The button selects itself when
    // clicked; clearing the other buttons is the page's work.
    bool SelectButton() const { return selected_; }
    void SetSelectButton(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    bool Pressed() const { return pressed_; }
    bool Hovered() const { return hovered_; }
    bool ClickArmed() const { return armed_; }

    // Input from the window.
    void OnMouseMove(bool inside);
    void OnMouseLeave();
    void OnButtonDown(MouseButton button);
    void OnButtonUp(MouseButton button, bool inside);
    void OnKeyActivate();

    std::function<void()> Click;
    std::function<void()> onChange;

private:
    void Changed() const;

    std::string caption_ = "Btn";
    Color backColor_ = kWhite;
    Color themeColor_ = 0;
    bool selected_ = false;
    bool enabled_ = true;
    bool pressed_ = false;
    bool pressStarted_ = false;
    bool hovered_ = false;
    bool armed_ = false;
};

}  // namespace controls
