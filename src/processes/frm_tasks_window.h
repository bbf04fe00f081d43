// The process page as a window: a panel the main window embeds, with the
// information panel (picture, name, path, start time), the process list
// with its popup menu, and the one-second refresh timer.
#pragma once

#include <windows.h>
// clang-format off
#include <commctrl.h>
// clang-format on

#include <functional>
#include <map>
#include <string>

#include "controls/hooked_page_panel.h"
#include "controls/theme.h"
#include "core/prompts.h"
#include "platform/handles.h"
#include "processes/frm_tasks.h"

namespace processes {

class FrmTasksWindow {
public:
    explicit FrmTasksWindow(core::Prompts& prompts);
    ~FrmTasksWindow();
    FrmTasksWindow(const FrmTasksWindow&) = delete;
    FrmTasksWindow& operator=(const FrmTasksWindow&) = delete;

    // The page panel: a hidden child of parent, sized to fill it; the list
    // is loaded at once.
    bool Create(HWND parent);
    HWND Panel() const { return panel_.hwnd(); }
    // The page's one-second refresh timer (off at creation).
    void EnableRefreshTimer(bool enabled) { logic_.SetTimerEnabled(enabled); }
    Frm_Tasks& Logic() { return logic_; }

    HWND List() const { return list_; }
    // Opens the popup menu at a screen point, as a right click on the list does.
    void ShowMenu(POINT screen);
    // How the menu is run: TrackPopupMenu by default; answers the chosen
    // command (0 for none). Tests read the real menu and choose.
    std::function<UINT(HMENU menu, POINT screen)> trackMenu;

private:
    // The list's notifications and menu requests reach the page first.
    bool PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void Build();
    void Layout(int width, int height);
    void MakeColumns();
    void FillList();
    void ShowSortMark();
    void WriteCell(size_t row, TaskColumn column);
    const std::string& CellText(size_t row, size_t column) const;
    void GiveDisplayInfo(NMLVDISPINFOW* info);
    void ShowStatus();
    void ShowLoading();
    void OnTimerChanged();
    void OnNotify(NMHDR* header);
    void OnContextMenu(HWND from, LPARAM position);
    void Recolour();
    void OpenDetails();
    int IconIndex(const std::string& path);
    HWND TopWindow() const;

    Frm_Tasks logic_;
    controls::HookedPagePanel panel_;
    HWND picture_ = nullptr;
    HWND l1_ = nullptr;
    HWND l2_ = nullptr;
    HWND l3_ = nullptr;
    HWND l4_ = nullptr;
    HWND list_ = nullptr;
    platform::UniqueImageList smallIcons_;
    std::map<std::string, int> iconIndex_;  // icon of each executable, loaded once
    platform::UniqueIcon defaultPicture_;
    platform::UniqueIcon shownPicture_;
    std::string shownPicturePath_ = "?";
    size_t shownColumns_ = 0;
    bool filling_ = false;  // the list's selection is being set to the page's
    std::wstring textBuffer_;
    controls::ThemeSubscription theme_;
};

}  // namespace processes
