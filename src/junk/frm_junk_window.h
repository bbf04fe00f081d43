// The junk files page as a window: a themed page panel that the main window
// puts into its page area, plus the two command buttons, which the main
// window moves into its button strip.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/error_msg.h"
#include "controls/error_msg_window.h"
#include "controls/hooked_page_panel.h"
#include "controls/link.h"
#include "controls/theme.h"
#include "core/prompts.h"
#include "junk/frm_junk.h"

namespace controls {
class LinkWindow;
}

namespace junk {

class FrmJunkWindow {
public:
    explicit FrmJunkWindow(core::Prompts& prompts);
    ~FrmJunkWindow();
    FrmJunkWindow(const FrmJunkWindow&) = delete;
    FrmJunkWindow& operator=(const FrmJunkWindow&) = delete;

    // Creates the panel as a child of parent and loads the drive list.
    bool Create(HWND parent);
    HWND Panel() const { return panel_.hwnd(); }
    Frm_Junk& Logic() { return page_; }

    // The command buttons "Scan"/"Stop"/"< Back" and "Clean". Whoever
    // re-parents them must pass their WM_COMMAND on to OnCommand.
    HWND ScanButton() const { return cmdScan_; }
    HWND CleanButton() const { return cmdDel_; }
    static constexpr int kScanButtonId = 1001;
    static constexpr int kCleanButtonId = 1002;
    // True when the command was one of the page's.
    bool OnCommand(int id, int code);

    // Where the page's own dialogs are owned (the main window).
    HWND Owner() const;
    // The page's balloon (the Info hints).
    const controls::ErrorMsg& Balloon() const { return info_; }

private:
    void Build();
    void Layout();
    void ApplyFonts();
    void Recolour();
    void Sync();
    void SyncDrives();
    void ReloadDrives();
    void SyncResultCount();
    void SyncBalloon();
    void HandleCommand(int id, int code);
    bool OnPanelMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnNotify(NMHDR* header);
    void OnContextMenu(HWND control, POINT at);
    void SetResultsChecked(int from, int to, bool checked);
    void ToggleResult(int index);
    void ShowProgressWindow();
    static LRESULT CALLBACK ResultListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self);

    core::Prompts& prompts_;
    Frm_Junk page_;
    controls::HookedPagePanel panel_;
    controls::ErrorMsg info_;
    std::unique_ptr<controls::ErrorMsgWindow> infoWindow_;
    controls::Link undoLink_;  // "Undo Last Clean"
    std::unique_ptr<controls::LinkWindow> undoLinkWindow_;
    controls::ThemeSubscription theme_;
    HWND scanTip_ = nullptr;
    HWND lvDrives_ = nullptr;
    HWND lvResult_ = nullptr;
    HWND labels_[4] = {};
    HWND lbPath_ = nullptr;
    HWND cmdScan_ = nullptr;
    HWND cmdDel_ = nullptr;
    std::vector<DriveRow> drivesShown_;  // as the list control shows them
    unsigned drivesTicks_ = 0;
    size_t resultCountShown_ = 0;
    bool timeRunning_ = false;
    bool syncing_ = false;
    // While the result list handles a click or Space that this page turns
    // into a tick itself, the list's own check changes are not taken again.
    bool ownToggle_ = false;
    std::wstring textBuffer_;
};

}  // namespace junk
