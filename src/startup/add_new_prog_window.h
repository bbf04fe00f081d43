// The "Add New Program" dialog window.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/bound_window.h"
#include "controls/dialog_window.h"
#include "controls/error_msg.h"
#include "controls/error_msg_window.h"
#include "startup/frm_add_new_prog.h"

namespace startup {

class AddNewProgWindow : public controls::BoundWindow<Frm_AddNewProg, controls::DialogWindow> {
public:
    using BoundWindow::BoundWindow;

    // Creates the window centred on owner, shown but not yet modal.
    bool Create(HWND owner) override;
    HWND NameBox() const { return name_; }
    HWND PathBox() const { return path_; }
    HWND OkButton() const { return ok_; }
    // The error balloon beside the path box.
    const controls::ErrorMsg& Balloon() const { return balloon_; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Sync();

    HWND name_ = nullptr;
    HWND path_ = nullptr;
    HWND target_ = nullptr;
    HWND ok_ = nullptr;
    controls::ErrorMsg balloon_;
    std::unique_ptr<controls::ErrorMsgWindow> balloonWindow_;
};

}  // namespace startup
