// The junk options dialog and its two type editors as modal windows.
#pragma once

#include <windows.h>

#include "core/prompts.h"
#include "junk/frm_clean_options.h"

namespace junk {

class FrmCleanOptionsWindow {
public:
    explicit FrmCleanOptionsWindow(core::Prompts& prompts);
    FrmCleanOptionsWindow(const FrmCleanOptionsWindow&) = delete;
    FrmCleanOptionsWindow& operator=(const FrmCleanOptionsWindow&) = delete;

    // Loads the lists and shows the dialog modally over owner until Ok or
    // Cancel. onShown (optional) runs once the dialog is on screen.
    void ShowModal(HWND owner, const std::function<void(HWND)>& onShown = nullptr);
    Frm_Clean_Options& Logic() { return form_; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;

private:
    void Build();
    void Sync();
    void FillTypes();
    void FillSkip();
    void ShowEditor(bool edit, Frm_NewType* newType, Frm_EditType* editType);

    Frm_Clean_Options form_;
    HWND tab_ = nullptr;
    HWND panels_[3] = {};
    HWND chkShortcut_ = nullptr, chkSkip_ = nullptr, chkDap_ = nullptr;
    HWND lv_ = nullptr, lvSkip_ = nullptr, lbFolderNum_ = nullptr;
    HWND cmdEdit_ = nullptr, cmdRemoveType_ = nullptr, cmdRemoveFolder_ = nullptr, cmdClear_ = nullptr;
    HWND cmdOk_ = nullptr, cmdCancel_ = nullptr;
    bool filling_ = false;
    std::function<void(HWND)> onShown_;
};

}  // namespace junk
