// The options page's window: builds the page's controls on a PagePanel
// child of the given parent, forwards their events to Frm_Options and shows
// its state. The page recolours itself when a theme is applied.
#pragma once

#include <windows.h>

#include "controls/error_msg_window.h"
#include "controls/link_window.h"
#include "controls/page_panel.h"
#include "controls/theme.h"
#include "shell/frm_options.h"

namespace shell {

class Frm_OptionsWindow {
public:
    enum ControlId : int {
        kCmbTheme = 101,
        kLblTheme,
        kChkCon,
        kGrpRemoval,
        kOpt1,
        kOpt2,
        kOpt3,
        kTxtMove,
        kCmdBrowse,
        kGrpJunk,
        kLblJunk,
        kJunkOptions,
        kLnkCs,
        kLnkRs,
        kEr,
        kInfo,
    };
    static constexpr UINT_PTR kLoadTimer = 1;

    // logic must outlive the window.
    explicit Frm_OptionsWindow(Frm_Options& logic);
    ~Frm_OptionsWindow();
    Frm_OptionsWindow(const Frm_OptionsWindow&) = delete;
    Frm_OptionsWindow& operator=(const Frm_OptionsWindow&) = delete;

    // Creates the panel (hidden) in parent and runs the page's Form_Load;
    // the load timer fills the controls and shows the panel.
    bool Create(HWND parent);
    HWND Panel() const { return panel_.hwnd(); }
    HWND Control(ControlId id) const { return ::GetDlgItem(panel_.hwnd(), id); }
    controls::LinkWindow& JunkOptionsLink() { return junkOptions_; }
    controls::LinkWindow& BackupLink() { return backup_; }
    controls::LinkWindow& RestoreLink() { return restore_; }
    controls::ErrorMsgWindow& ErBalloon() { return er_; }
    controls::ErrorMsgWindow& InfoBalloon() { return info_; }

    // The page's unload: closes the theme list if it is open.
    void Form_Unload();

private:
    void Build();
    void Layout(int width, int height);
    void Sync();
    void OnCommand(int id, int code, HWND control);

    Frm_Options& logic_;
    controls::PagePanel panel_;
    controls::LinkWindow junkOptions_;
    controls::LinkWindow backup_;
    controls::LinkWindow restore_;
    controls::ErrorMsgWindow er_;
    controls::ErrorMsgWindow info_;
    controls::Connection changed_;
    bool syncing_ = false;
};

}  // namespace shell
