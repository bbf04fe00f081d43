#include "startup/frm_add_new_prog.h"

#include "core/general.h"
#include "platform/startup_sources.h"

namespace startup {
namespace {

namespace sys = platform::startup_sources;

}  // namespace

Frm_AddNewProg::Frm_AddNewProg(core::Prompts& prompts, Frm_Startup& page)
    : targetIndex(page.SelectorIndex() == 0 ? 0 : 1), prompts_(prompts), page_(page) {}

void Frm_AddNewProg::UpdateOkState() { okEnabled = core::HasText(nameText) && core::HasText(pathText); }

void Frm_AddNewProg::Txt_Name_Change(const std::string& text) {
    nameText = text;
    UpdateOkState();
}

void Frm_AddNewProg::Txt_Path_Change(const std::string& text) {
    pathText = text;
    UpdateOkState();
    if (core::HasText(pathText) && sys::FileExists(pathText)) balloonText.clear();
}

void Frm_AddNewProg::Txt_Path_LostFocus() {
    if (core::HasText(pathText) && !sys::FileExists(pathText))
        balloonText = "Selected file does not exists, Please select a valid file";
}

Frm_AddNewProg::Focus Frm_AddNewProg::Cmd_Browse_Click() {
    core::FileDialogOptions options;
    options.filter = kBrowseFilter;
    const std::string chosen = prompts_.OpenFile(options);
    if (chosen.empty()) return Focus::Unchanged;
    Txt_Path_Change(chosen);
    return core::HasText(nameText) ? Focus::OkButton : Focus::NameBox;
}

bool Frm_AddNewProg::Cmd_OK_Click() {
    if (!okEnabled) return false;
    if (!sys::FileExists(pathText)) {
        const auto answer =
            prompts_.Message("The specified program does not exists, Are you sure you want to continue ?",
                             "Invalid Program Path", core::PromptIcon::Exclamation, core::PromptButtons::YesNo);
        if (answer != core::PromptAnswer::Yes) return false;
    }
    if (!AddToRun()) return false;
    page_.SetSkipChangeCheck(true);
    return true;
}

bool Frm_AddNewProg::AddToRun() {
    const StartupLocations& where = page_.Locations();
    // Current User Only: the user's Run key; All Users: the machine's.
    const auto& keys = targetIndex == 0 ? where.registry[2] : where.registry[0];
    if (keys.empty()) return false;
    const RegistryLocation& key = keys.front();
    if (const auto existing = ReadRunValue(key.hive, key.keyPath, nameText)) {
        const std::string text = "A startup program named \"" + nameText + "\" already exists:\r\n" + existing->text +
                                 "\r\n\r\nDo you want to replace it ?";
        if (prompts_.Message(text, "Clarimo", core::PromptIcon::Question, core::PromptButtons::YesNo) !=
            core::PromptAnswer::Yes)
            return false;
    }
    // An unquoted path with blanks could start another program at log-on.
    const std::string command = QuotePathForRun(pathText, sys::FileExists(pathText));
    if (!WriteRunValue(key.hive, key.keyPath, nameText, command, kRegSz)) {
        prompts_.Message("Windows did not let Clarimo add \"" + nameText + "\" to the startup programs.", "Clarimo",
                         core::PromptIcon::Exclamation);
        return false;
    }
    page_.Mnu_Pop_Refresh_Click();
    return true;
}

}  // namespace startup
