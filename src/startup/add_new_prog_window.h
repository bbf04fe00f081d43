// The "Add New Program" dialog window.
#pragma once

#include <windows.h>

#include "platform/handles.h"
#include "startup/frm_add_new_prog.h"

namespace startup {

class AddNewProgWindow {
public:
    explicit AddNewProgWindow(Frm_AddNewProg& logic) : logic_(logic) {}
    ~AddNewProgWindow();
    AddNewProgWindow(const AddNewProgWindow&) = delete;
    AddNewProgWindow& operator=(const AddNewProgWindow&) = delete;

    // Creates the window centred on owner, shown but not yet modal.
    bool Create(HWND owner);
    // Creates it and runs it modally until it closes.
    void ShowModal(HWND owner);
    HWND Window() const { return window_; }
    HWND NameBox() const { return name_; }
    HWND PathBox() const { return path_; }
    HWND OkButton() const { return ok_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Sync();

    Frm_AddNewProg& logic_;
    HWND window_ = nullptr;
    HWND name_ = nullptr;
    HWND path_ = nullptr;
    HWND target_ = nullptr;
    HWND ok_ = nullptr;
    platform::UniqueFont font_;
    std::string shownBalloon_;
};

}  // namespace startup
