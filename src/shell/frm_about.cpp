#include "shell/frm_about.h"

#include "controls/theme.h"
#include "core/maker.h"
#include "platform/file_copy.h"
#include "platform/module_path.h"

namespace shell {

Frm_About::Frm_About(core::Prompts& prompts) : prompts_(prompts) {
    LnkHome.SetCaption("Clarimo Home Page");
    LnkHome.SetTipText(HomePageUrl());
    LnkEmail.SetCaption(ContactAddress());
    LnkEmail.SetTipText("mailto:" + ContactAddress());
    LnkReadme.SetCaption("Read Me");
    LnkReadme.SetTipText("readme.txt");
    LnkUpdate.SetCaption("Check for Update");
    LnkHome.Click = [this] { LnkHome_Click(); };
    LnkEmail.Click = [this] { LnkEmail_Click(); };
    LnkReadme.Click = [this] { LnkReadme_Click(); };
    LnkUpdate.Click = [this] { LnkUpdate_Click(); };
    ApplyThemeColours();
    theme_ = controls::SubscribeTheme(controls::ThemeStage::AboutPage, [this] { ApplyThemeColours(); });
}

std::string Frm_About::ProgramName() { return core::maker::kProgramName; }

std::string Frm_About::VersionText() {
    return std::string("Version ") + core::maker::kVersionText + " (Build " + std::to_string(core::maker::kBuild) + ")";
}

std::string Frm_About::HomePageUrl() { return std::string(core::maker::kWebSite) + core::maker::kHomePagePath; }

std::string Frm_About::ContactAddress() { return core::maker::kContactEmail; }

std::string Frm_About::ReadmePath() { return platform::ExecutableFolder() + "\\readme.txt"; }

void Frm_About::LnkHome_Click() {
    if (openPath) openPath(HomePageUrl());
}

void Frm_About::LnkEmail_Click() {
    if (sendEmail) sendEmail(ContactAddress());
}

void Frm_About::LnkReadme_Click() {
    const std::string path = ReadmePath();
    if (!platform::IsExistingFile(path)) {
        prompts_.Message("Can't find the file \"readme.txt\" in the program folder.", "Clarimo",
                         core::PromptIcon::Exclamation);
        return;
    }
    if (openPath) openPath(path);
}

void Frm_About::LnkUpdate_Click() {
    if (showUpdate) showUpdate();
}

void Frm_About::ApplyThemeColours() {
    for (controls::Link* link : {&LnkHome, &LnkEmail, &LnkReadme, &LnkUpdate}) {
        link->SetForeColor(controls::ThemeTextColor);
        link->SetBackColor(controls::ThemeBackColor);
        link->SetOverColor(controls::Blend(controls::ThemeTextColor, controls::kBlack, 160));
    }
}

}  // namespace shell
