// The tab button's window: draws the normal, hover, pressed, selected and
// disabled looks in the button's theme colour, with an optional picture.
#pragma once

#include <windows.h>

#include "controls/custom_window.h"
#include "controls/tab_button.h"

namespace controls {

class TabButtonWindow : public CustomWindow {
public:
    // logic must outlive the window.
    explicit TabButtonWindow(TabButton& logic);
    ~TabButtonWindow() override;

    bool Create(HWND parent, const RECT& rect, int id = 0);
    TabButton& logic() { return logic_; }

    // The button's picture and the picture shown while it is disabled.
    void SetPicture(platform::UniqueIcon picture);
    void SetPicDisabled(platform::UniqueIcon picture);
    void SetFont(HFONT font);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Sync();
    void Paint(HDC dc);

    TabButton& logic_;
    platform::UniqueIcon picture_;
    platform::UniqueIcon picDisabled_;
    HFONT font_ = nullptr;
    platform::UniqueFont bold_;
    HFONT boldFrom_ = nullptr;
};

// Shared look of a button's caption line.
void DrawButtonCaption(HDC dc, const std::string& caption, RECT rect, HFONT font, COLORREF color, UINT align);

}  // namespace controls
