// The round button's window: a rounded button in the theme colour in use.
// Its group is the round buttons that share its parent window.
#pragma once

#include <windows.h>

#include "controls/custom_window.h"
#include "controls/round_btn.h"

namespace controls {

class RoundBtnWindow : public CustomWindow {
public:
    // logic must outlive the window.
    explicit RoundBtnWindow(RoundBtn& logic);
    ~RoundBtnWindow() override;

    bool Create(HWND parent, const RECT& rect, int id = 0);
    RoundBtn& logic() { return logic_; }
    void SetFont(HFONT font);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Sync();
    void Paint(HDC dc);
    std::vector<RoundBtn*> Siblings() const;

    RoundBtn& logic_;
    HFONT font_ = nullptr;
    platform::UniqueFont bold_;
    HFONT boldFrom_ = nullptr;
};

}  // namespace controls
