// The "Startup Items" window: every startup program by source, and the
// report button.
#pragma once

#include <windows.h>

#include "controls/bound_window.h"
#include "controls/dialog_window.h"
#include "platform/handles.h"
#include "startup/frm_all_prop.h"

namespace startup {

class AllPropWindow : public controls::BoundWindow<Frm_AllProp, controls::DialogWindow> {
public:
    using BoundWindow::BoundWindow;

    // Creates the window centred on owner; its load timer fills the list.
    bool Create(HWND owner) override;
    HWND List() const { return list_; }
    HWND ReportButton() const { return report_; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override {
        DialogWindow::OnDpiChanged();
        Layout();
    }

private:
    void Sync();
    void Layout();

    HWND list_ = nullptr;
    HWND label_ = nullptr;
    HWND report_ = nullptr;
    HWND close_ = nullptr;
    platform::UniqueImageList icons_;
};

}  // namespace startup
