// The about page's window: builds the page on a PagePanel child of the given
// parent, shows the program's name, version and links, and recolours itself
// when a theme is applied.
#pragma once

#include <windows.h>

#include "controls/link_window.h"
#include "controls/page_panel.h"
#include "controls/theme.h"
#include "shell/frm_about.h"

namespace shell {

class Frm_AboutWindow {
public:
    enum ControlId : int {
        kIcon = 201,
        kLblName,
        kLblVersion,
        kLblDescription,
        kLnkHome,
        kLnkEmail,
        kLnkReadme,
        kLnkUpdate,
    };

    // logic must outlive the window.
    explicit Frm_AboutWindow(Frm_About& logic);
    Frm_AboutWindow(const Frm_AboutWindow&) = delete;
    Frm_AboutWindow& operator=(const Frm_AboutWindow&) = delete;

    // Creates the panel in parent, shown.
    bool Create(HWND parent);
    HWND Panel() const { return panel_.hwnd(); }
    HWND Control(ControlId id) const { return ::GetDlgItem(panel_.hwnd(), id); }
    controls::LinkWindow& HomeLink() { return home_; }
    controls::LinkWindow& EmailLink() { return email_; }
    controls::LinkWindow& ReadmeLink() { return readme_; }
    controls::LinkWindow& UpdateLink() { return update_; }

private:
    void Build();
    void MakeTitleFont();
    void Layout(int width, int height);

    Frm_About& logic_;
    controls::PagePanel panel_;
    controls::LinkWindow home_;
    controls::LinkWindow email_;
    controls::LinkWindow readme_;
    controls::LinkWindow update_;
    platform::UniqueFont titleFont_;
};

}  // namespace shell
