// The link label's window: draws the caption in the link's colours, shows
// the hand cursor, keeps the mouse captured while a press lasts, and acts on
// Space and Enter when it has the keyboard focus.
#pragma once

#include <windows.h>

#include "controls/bound_window.h"
#include "controls/link.h"

namespace controls {

class LinkWindow : public BoundWindow<Link> {
public:
    explicit LinkWindow(Link& logic);

    bool Create(HWND parent, const RECT& rect, int id = 0);

    // The link's font; nullptr (default) uses the page's font. Not owned.
    void SetFont(HFONT font);
    // Width and height of the caption with a small margin, in pixels.
    SIZE PreferredSize();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    void Sync();
    HFONT CurrentFont();
    void UpdateToolTip();

    Connection changed_;
    HFONT font_ = nullptr;
    platform::UniqueFont underlined_;
    HFONT underlinedFrom_ = nullptr;
    UniqueWindow toolTip_;
    std::wstring toolTipText_;
};

}  // namespace controls
