// The about page: the program's name and version, links to the maker's home
// page and contact address, the read-me file of the program folder, and the
// update check. This is the page's state and handlers; Frm_AboutWindow
// shows them.
#pragma once

#include <functional>
#include <string>

#include "controls/link.h"
#include "controls/theme.h"
#include "core/prompts.h"

namespace shell {

class Frm_About {
public:
    explicit Frm_About(core::Prompts& prompts);
    Frm_About(const Frm_About&) = delete;
    Frm_About& operator=(const Frm_About&) = delete;

    // Opens the update window (provided by the main window).
    std::function<void()> showUpdate;
    // How targets are opened; the links' shell actions unless replaced.
    std::function<bool(const std::string& path)> openPath = &controls::Link::OpenPath;
    std::function<bool(const std::string& address)> sendEmail = &controls::Link::SendEmail;

    static std::string ProgramName();  // "Clarimo"
    static std::string VersionText();  // "Version 2.1 (Build 15)"
    static std::string HomePageUrl();  // the maker's home page
    static std::string ContactAddress();
    // "readme.txt" in the program folder.
    static std::string ReadmePath();

    controls::Link LnkHome;
    controls::Link LnkEmail;
    controls::Link LnkReadme;
    controls::Link LnkUpdate;  // "Check for Update"

    void LnkHome_Click();
    void LnkEmail_Click();
    void LnkReadme_Click();
    void LnkUpdate_Click();

    // Gives the links the theme colours in use (also done by every theme
    // change).
    void ApplyThemeColours();

private:
    core::Prompts& prompts_;
    controls::ThemeSubscription theme_;
};

}  // namespace shell
