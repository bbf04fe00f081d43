// The cookies manager's window: the list of cookie entries, the count label
// and the Refresh, Remove, Clear All and Close buttons.
#pragma once

#include <windows.h>

#include "controls/bound_window.h"
#include "controls/dialog_window.h"
#include "platform/handles.h"
#include "platform/window_handle.h"
#include "privacy/frm_cookies.h"

namespace privacy {

// Opens the cookies manager, modal, owned by owner; returns when it closes.
void ShowCookiesManager(platform::WindowHandle owner);

class FrmCookiesWindow : public controls::BoundWindow<FrmCookies, controls::DialogWindow> {
public:
    using BoundWindow::BoundWindow;
    ~FrmCookiesWindow() override;

    // Creates and shows the window centred over owner and loads the list.
    bool Create(HWND owner) override;

    HWND List() const { return list_; }
    HWND Label() const { return label_; }
    HWND RefreshButton() const { return refresh_; }
    HWND RemoveButton() const { return remove_; }
    HWND ClearButton() const { return clear_; }
    HWND CloseButton() const { return close_; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDpiChanged() override;

private:
    void Sync();
    void MakeImages();

    HWND list_ = nullptr;
    HWND label_ = nullptr;
    HWND refresh_ = nullptr;
    HWND remove_ = nullptr;
    HWND clear_ = nullptr;
    HWND close_ = nullptr;
    bool syncing_ = false;
    int shownVersion_ = -1;
    platform::UniqueImageList images_;
};

}  // namespace privacy
