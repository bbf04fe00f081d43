// The details window: two tab buttons over the facts list and the module
// list, the module count and "Ok". Opens modally over its owner.
#pragma once

#include <windows.h>

#include "controls/bound_window.h"
#include "controls/dialog_window.h"
#include "controls/tab_button.h"
#include "controls/tab_button_window.h"
#include "platform/handles.h"
#include "processes/frm_proc_info.h"

namespace processes {

class FrmProcInfoWindow : public controls::BoundWindow<Frm_ProcInfo, controls::DialogWindow> {
public:
    explicit FrmProcInfoWindow(Frm_ProcInfo& logic);
    ~FrmProcInfoWindow() override;

    // Loads the logic, shows the window and returns when it closes.
    void ShowModal(HWND owner);
    // Loads the logic and creates the window shown but not modal (tests and
    // screenshots). Close ends it, modal or not; the window's end unloads
    // the logic.
    bool Open(HWND owner);

    HWND FactsList() const { return lv1_; }
    HWND ModulesList() const { return lv2_; }
    HWND ModulesTab() const { return btn2Window_.hwnd(); }
    HWND CountLabel() const { return count_; }
    void ClickTab(int tab);  // 1 or 2, as a click does

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Build();
    void Sync();

    HWND lv1_ = nullptr;
    HWND lv2_ = nullptr;
    HWND count_ = nullptr;
    HWND ok_ = nullptr;
    controls::TabButton btn1_;
    controls::TabButton btn2_;
    controls::TabButtonWindow btn1Window_;
    controls::TabButtonWindow btn2Window_;
    platform::UniqueImageList images_;
};

}  // namespace processes
