// The junk options dialog and its two type editors as modal windows.
#pragma once

#include <windows.h>

#include <functional>

#include "controls/dialog_window.h"
#include "controls/hooked_page_panel.h"
#include "core/prompts.h"
#include "junk/frm_clean_options.h"

namespace junk {

class FrmCleanOptionsWindow : public controls::DialogWindow {
public:
    explicit FrmCleanOptionsWindow(core::Prompts& prompts);
    FrmCleanOptionsWindow(const FrmCleanOptionsWindow&) = delete;
    FrmCleanOptionsWindow& operator=(const FrmCleanOptionsWindow&) = delete;

    // Loads the lists and shows the dialog modally over owner until Ok or
    // Cancel. onShown (optional) runs once the dialog is on screen.
    void ShowModal(HWND owner, const std::function<void(HWND)>& onShown = nullptr);
    Frm_Clean_Options& Logic() { return form_; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Build();
    void Sync();
    void FillTypes();
    void FillSkip();
    void ShowEditor(bool edit, Frm_NewType* newType, Frm_EditType* editType);
    void OnNotify(NMHDR* header);
    void OnCommand(int id);
    static LRESULT CALLBACK TypesListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

    core::Prompts& prompts_;
    Frm_Clean_Options form_;
    HWND tab_ = nullptr;
    controls::HookedPagePanel tabPages_[3];
    HWND panels_[3] = {};
    HWND chkShortcut_ = nullptr, chkSkip_ = nullptr, chkDap_ = nullptr, chkAge_ = nullptr;
    HWND lv_ = nullptr, lvSkip_ = nullptr, lbFolderNum_ = nullptr;
    HWND cmdEdit_ = nullptr, cmdRemoveType_ = nullptr, cmdRemoveFolder_ = nullptr, cmdClear_ = nullptr;
    HWND cmdOk_ = nullptr, cmdCancel_ = nullptr;
    bool filling_ = false;
    std::function<void(HWND)> onShown_;
};

}  // namespace junk
