// What the main window asks of each of its six pages: one small interface,
// so that every page joins the same way. Every member has a do-nothing
// default. Portable.
#pragma once

#include <vector>

#include "platform/window_handle.h"

namespace controls {

class ToolPage {
public:
    virtual ~ToolPage() = default;

    // The page became the one shown, or another page did.
    virtual void Shown() {}
    virtual void Hidden() {}
    // F5 while the page shows.
    virtual void Refresh() {}
    // Its tab was clicked: the keyboard focus goes into the page.
    virtual void Focus() {}
    // A clean's tally is about to show in the result strip.
    virtual void ResultShown() {}
    // The buttons the page puts in the main window's command strip (shown
    // with the page).
    virtual std::vector<platform::WindowHandle> CommandButtons() const { return {}; }
};

}  // namespace controls
