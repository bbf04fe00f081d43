// The junk files page as a window: a child panel that the main window puts
// into its page area, plus the two command buttons, which the main window
// moves into its button strip.
#pragma once

#include <windows.h>

#include <functional>

#include "core/prompts.h"
#include "junk/frm_junk.h"

namespace junk {

class FrmJunkWindow {
public:
    explicit FrmJunkWindow(core::Prompts& prompts);
    ~FrmJunkWindow();
    FrmJunkWindow(const FrmJunkWindow&) = delete;
    FrmJunkWindow& operator=(const FrmJunkWindow&) = delete;

    // Creates the panel as a child of parent and loads the drive list.
    bool Create(HWND parent);
    HWND Panel() const { return window_; }
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

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;

private:
    void Layout();
    void Sync();
    void SyncDrives();
    void SyncResultCount();
    void OnNotify(NMHDR* header);
    void OnContextMenu(HWND control, POINT at);
    void ToggleResult(int index);
    void ShowProgressWindow();

    Frm_Junk page_;
    HWND scanTip_ = nullptr;
    HWND lvDrives_ = nullptr;
    HWND lvResult_ = nullptr;
    HWND labels_[4] = {};
    HWND lbPath_ = nullptr;
    HWND info_ = nullptr;
    HWND cmdScan_ = nullptr;
    HWND cmdDel_ = nullptr;
    size_t drivesShown_ = static_cast<size_t>(-1);
    size_t resultCountShown_ = 0;
    bool timeRunning_ = false;
    bool syncing_ = false;
    std::wstring textBuffer_;
};

}  // namespace junk
