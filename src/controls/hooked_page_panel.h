// A page panel that offers each message to its page first: a page that
// handles notifications, menus or painting of its own sets onMessage
// instead of deriving a panel class.
#pragma once

#include <functional>

#include "controls/page_panel.h"

namespace controls {

class HookedPagePanel : public PagePanel {
public:
    // Answers true, with the result set, for a message the page handled.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> onMessage;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (onMessage && onMessage(message, wParam, lParam, result)) return result;
        return PagePanel::HandleMessage(message, wParam, lParam);
    }
};

}  // namespace controls
