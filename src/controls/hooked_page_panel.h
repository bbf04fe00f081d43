// A page panel whose page sees its messages first: the page answers the ones
// it handles (menus, list notifications, scrolling) through
// Page::PanelMessage and the panel does the rest.
#pragma once

#include "controls/page_panel.h"

namespace controls {

template <typename Page>
class HookedPagePanel : public PagePanel {
public:
    explicit HookedPagePanel(Page& page) : page_(page) {}

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (page_.PanelMessage(hwnd(), message, wParam, lParam, result)) return result;
        return PagePanel::HandleMessage(message, wParam, lParam);
    }

private:
    Page& page_;
};

}  // namespace controls
