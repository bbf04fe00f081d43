// The "Startup Items" window: every active entry grouped by source, and the
// report button.
#pragma once

#include <windows.h>

#include "platform/handles.h"
#include "startup/frm_all_prop.h"

namespace startup {

class AllPropWindow {
public:
    explicit AllPropWindow(Frm_AllProp& logic) : logic_(logic) {}
    ~AllPropWindow();
    AllPropWindow(const AllPropWindow&) = delete;
    AllPropWindow& operator=(const AllPropWindow&) = delete;

    // Creates the window centred on owner; its load timer fills the list.
    bool Create(HWND owner);
    void ShowModal(HWND owner);
    HWND Window() const { return window_; }
    HWND List() const { return list_; }
    HWND ReportButton() const { return report_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Sync();
    void Layout();

    Frm_AllProp& logic_;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND label_ = nullptr;
    HWND report_ = nullptr;
    HWND close_ = nullptr;
    platform::UniqueFont font_;
    platform::UniqueFont boldFont_;
    platform::UniqueImageList icons_;
};

}  // namespace startup
