// The startup page as a child panel that the main window embeds: the tool
// bar with the view selector and the summary, the list, the item menu, and
// the "Apply" and "Tools" buttons that the host places in its button strip.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/error_msg.h"
#include "controls/error_msg_window.h"
#include "controls/hooked_page_panel.h"
#include "controls/theme.h"
#include "core/prompts.h"
#include "platform/handles.h"
#include "startup/frm_startup.h"

namespace startup {

class StartupPageWindow {
public:
    // The window draws and drives logic; prompts serve the two dialogs.
    StartupPageWindow(Frm_Startup& logic, core::Prompts& prompts);
    ~StartupPageWindow();
    StartupPageWindow(const StartupPageWindow&) = delete;
    StartupPageWindow& operator=(const StartupPageWindow&) = delete;

    // Creates the panel inside parent, and the two buttons inside
    // buttonParent (parent when null). The start timer then loads the view.
    bool Create(HWND parent, HWND buttonParent = nullptr);
    HWND Panel() const { return panel_.hwnd(); }
    HWND ApplyButton() const { return apply_; }
    HWND ToolsButton() const { return tools_; }
    HWND List() const { return list_; }
    // For a host that holds the buttons: handles a click of either button
    // and answers whether it was one of them.
    bool HandleButtonCommand(HWND button);
    // Saves the display settings (closing the page).
    void Close();
    // Draws the logic's state now (normally done after each change).
    void Sync();
    // The page's balloon (Apply's results).
    const controls::ErrorMsg& Balloon() const { return balloon_; }

private:
    bool OnPanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void HandleCommand(int id, int code, HWND control);
    void ApplyFonts();
    void Recolour();
    void Layout();
    LRESULT OnNotify(NMHDR* header);
    void ShowMenu(POINT screen);
    void OpenAddProgram();
    void OpenAllProperties();
    HWND TopWindow() const;
    // The row's picture in both lists; 0, the default picture, until its
    // program's icons are in.
    int ImageOf(const StartupRow& row);
    // Adds and sets the list's rows from nextListRow_ on, for a slice of
    // time from start; what is left goes in a posted message.
    void SyncListRows(int64_t start);
    void PostListRows();
    void ResetImages();
    void ShowBalloon();

    Frm_Startup& logic_;
    core::Prompts& prompts_;
    controls::HookedPagePanel panel_;
    HWND selector_ = nullptr;
    HWND picture_ = nullptr;
    HWND caption1_ = nullptr;
    HWND caption2_ = nullptr;
    HWND viewLabel_ = nullptr;
    HWND list_ = nullptr;
    HWND apply_ = nullptr;
    HWND tools_ = nullptr;
    controls::ErrorMsg balloon_;
    std::unique_ptr<controls::ErrorMsgWindow> balloonWindow_;
    controls::ThemeSubscription theme_;
    platform::UniqueBrush barBrush_;
    platform::UniqueImageList largeIcons_;
    platform::UniqueImageList smallIcons_;
    platform::UniqueIcon defaultLarge_;
    platform::UniqueIcon pictureIcon_;
    std::string picturePath_;
    std::map<const ProgramInfo*, std::pair<ProgramInfoPtr, int>> images_;
    // What the list shows, row by row. The list asks for texts and pictures
    // as it paints (setting 200 rows' cells one by one held the interface
    // for a tenth of a second under Wine); checks and the selection, the
    // only things the user changes, are kept by the list itself.
    struct ShownRow {
        std::string key;
        std::wstring name, command, status;
        int image = 0;
    };
    std::vector<ShownRow> shownRows_;
    // The list's rows: how many it holds, where the next slice resumes, and
    // what waits for the last one.
    size_t listedRows_ = 0;
    size_t nextListRow_ = 0;
    bool rowsPosted_ = false;
    bool drawingOff_ = false;
    bool arrangePending_ = false;
    bool updating_ = false;
    bool syncPosted_ = false;
};

}  // namespace startup
