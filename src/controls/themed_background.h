// The theme's page colours for a top-level window: its background brush and
// its labels' colours. Made with the window object, so a window opened after
// a theme change shows the new colours.
#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace controls {

class ThemedBackground {
public:
    ThemedBackground();
    HBRUSH brush() const { return brush_.get(); }
    // Answers WM_CTLCOLORSTATIC: labels in the theme's text colour on its
    // background. False for other messages.
    bool ColourStatic(UINT message, WPARAM wParam, LRESULT& result) const;

private:
    platform::UniqueBrush brush_;
};

}  // namespace controls
