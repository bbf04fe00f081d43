// The cookies manager's window: the list of cookie entries, the count label
// and the Refresh, Remove, Clear All and Close buttons.
#pragma once

#include <windows.h>

#include "controls/themed_background.h"
#include "platform/handles.h"
#include "platform/window_handle.h"
#include "privacy/frm_cookies.h"

namespace privacy {

// Opens the cookies manager, modal, owned by owner; returns when it closes.
void ShowCookiesManager(platform::WindowHandle owner);

class FrmCookiesWindow {
public:
    explicit FrmCookiesWindow(FrmCookies& logic) : logic_(logic) {}
    ~FrmCookiesWindow();
    FrmCookiesWindow(const FrmCookiesWindow&) = delete;
    FrmCookiesWindow& operator=(const FrmCookiesWindow&) = delete;

    // Creates and shows the window centred over owner and loads the list.
    bool Create(HWND owner);
    // Create, then a modal loop (owner disabled) until the window closes.
    void ShowModal(HWND owner);

    HWND Window() const { return window_; }
    HWND List() const { return list_; }
    HWND Label() const { return label_; }
    HWND RefreshButton() const { return refresh_; }
    HWND RemoveButton() const { return remove_; }
    HWND ClearButton() const { return clear_; }
    HWND CloseButton() const { return close_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Sync();
    void Layout();
    void MakeFonts();
    void Close();

    FrmCookies& logic_;
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND label_ = nullptr;
    HWND refresh_ = nullptr;
    HWND remove_ = nullptr;
    HWND clear_ = nullptr;
    HWND close_ = nullptr;
    unsigned dpi_ = 96;
    bool syncing_ = false;
    int shownVersion_ = -1;
    platform::UniqueFont font_;
    platform::UniqueImageList images_;
    controls::ThemedBackground background_;
};

}  // namespace privacy
