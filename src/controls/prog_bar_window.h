// The progress bar's window: paints what its cProgressBar computes, with the
// system's "Progress" visual style when BarXpStyle is set and a style is on.
#pragma once

#include <windows.h>

#include "controls/bound_window.h"
#include "controls/prog_bar.h"

namespace controls {

class ProgBarWindow : public BoundWindow<ProgBar> {
public:
    explicit ProgBarWindow(ProgBar& logic);

    bool Create(HWND parent, const RECT& rect, int id = 0);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    bool PaintStyled(HDC dc, const RECT& client);

    Connection changed_;
    platform::UniqueFont font_;
    int fontDpi_ = 0;
};

}  // namespace controls
