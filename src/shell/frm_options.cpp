#include "shell/frm_options.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "controls/theme.h"
#include "core/general.h"
#include "core/settings.h"
#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "shell/themes.h"

namespace shell {
namespace {

constexpr char kSection[] = "Options";

std::string WithSlash(const std::string& folder) {
    if (folder.empty() || folder.back() == '\\') return folder;
    return folder + "\\";
}

}  // namespace

int ParseSettingNumber(const std::string& text, int fallback) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return fallback;
    const size_t end = text.find_last_not_of(' ') + 1;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    if (*first == '+') ++first;
    long long value = 0;
    const auto [stop, error] = std::from_chars(first, last, value);
    if (error != std::errc() || stop != last) return fallback;
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) return fallback;
    return static_cast<int>(value);
}

const std::array<std::string, 6>& Frm_Options::ThemeNames() {
    static const std::array<std::string, 6> names = [] {
        std::array<std::string, 6> list;
        for (size_t i = 0; i < list.size(); ++i) list[i] = controls::ThemeTable()[i].name;
        return list;
    }();
    return names;
}

Frm_Options::Frm_Options(core::Prompts& prompts) : prompts_(prompts) {
    JunkOptions.SetCaption("Change Settings");
    LnkCs.SetCaption("Backup Settings");
    LnkRs.SetCaption("Restore Settings");
    JunkOptions.Click = [this] { JunkOptions_Click(); };
    LnkCs.Click = [this] { LnkCs_Click(); };
    LnkRs.Click = [this] { LnkRs_Click(); };
    ApplyThemeColours();
    theme_ = controls::SubscribeTheme(controls::ThemeStage::OptionsPage, [this] { ApplyThemeColours(); });
}

void Frm_Options::Form_Load() {
    loading_ = true;
    tmEnabled_ = true;
    Changed();
}

void Frm_Options::Tm_Timer() {
    if (!tmEnabled_) return;
    tmEnabled_ = false;
    const std::string& file = core::MainIniPath;
    themeListIndex_ = controls::NormalizeThemeIndex(ParseSettingNumber(core::ReadIni(file, kSection, "Thm", "0"), 0));
    chkCon_ = ParseSettingNumber(core::ReadIni(file, kSection, "ConDlg", "1"), 1) != 0;
    const int type = ParseSettingNumber(core::ReadIni(file, kSection, "DType", "1"), 1);
    txtMove_ = core::ReadIni(file, kSection, "TMove", "");
    removalType_ = (type == 2 || type == 3) ? type : 1;
    // Selecting the first two option buttons counts as choosing them.
    if (removalType_ != 3) lastRemovalType_ = removalType_;
    if (!core::HasText(txtMove_) || platform::FolderExists(txtMove_)) Er.HideMessage();
    // A move folder missing at load (an unplugged drive): the stored choice
    // stays, and shows with the reason, until the user picks another or a
    // folder that exists. Stored as a fallback, the next clean would delete
    // what the user chose to keep; shown as one, a folder typed afterwards
    // would silently make the next clean move.
    keepStoredMove_ = removalType_ == 3 && !MoveFolderValid();
    loading_ = false;
    SaveOptions();
    Changed();
}

bool Frm_Options::MoveFolderValid() const { return core::HasText(txtMove_) && platform::FolderExists(txtMove_); }

void Frm_Options::SaveOptions() {
    if (loading_) return;
    if (removalType_ == 3) {
        if (MoveFolderValid()) {
            keepStoredMove_ = false;
            Er.HideMessage();
        } else {
            if (!keepStoredMove_) removalType_ = lastRemovalType_ == 2 ? 2 : 1;
            Er.SetToolTipFontColor(controls::ThemeTextColor);
            if (keepStoredMove_ || core::HasText(txtMove_))
                Er.ShowError("Selected folder Does not exists, Plaese select a valid folder.");
        }
    }
    const std::string& file = core::MainIniPath;
    core::SettingsBatch batch;
    core::WriteIni(file, kSection, "Thm", std::to_string(themeListIndex_));
    core::WriteIni(file, kSection, "DType", std::to_string(removalType_));
    core::WriteIni(file, kSection, "TMove", txtMove_);
    core::WriteIni(file, kSection, "ConDlg", chkCon_ ? "1" : "0");
    Changed();
}

void Frm_Options::Opt1_Click() {
    keepStoredMove_ = false;
    removalType_ = 1;
    SaveOptions();
    lastRemovalType_ = 1;
}

void Frm_Options::Opt2_Click() {
    keepStoredMove_ = false;
    removalType_ = 2;
    SaveOptions();
    lastRemovalType_ = 2;
}

void Frm_Options::Opt3_Click() {
    if (loading_) return;
    keepStoredMove_ = false;
    removalType_ = 3;
    if (!platform::FolderExists(txtMove_)) {
        Cmd_Browse_Click();  // ends with SaveOptions
        return;
    }
    // The folder exists: save at once, as the other two choices do.
    SaveOptions();
}

void Frm_Options::ChkCon_Click(bool checked) {
    chkCon_ = checked;
    SaveOptions();
}

void Frm_Options::TxtMove_Change(const std::string& text) {
    txtMove_ = text;
    SaveOptions();
    if (!keepStoredMove_ && (!core::HasText(txtMove_) || platform::FolderExists(txtMove_))) Er.HideMessage();
}

void Frm_Options::Cmb_Theme_Click(int index) {
    if (index < 0 || index >= controls::kThemeCount) return;
    if (index == controls::ThemeIndex) {
        // Picking the theme in use neither saves nor recolours; the list
        // still shows it.
        themeListIndex_ = index;
        return;
    }
    themeListIndex_ = index;
    SaveOptions();
    ApplyTheme(index);
    JunkOptions.Refresh();
}

void Frm_Options::Cmd_Browse_Click() {
    const std::string folder = fileFolder_.BrowseForFolder(prompts_, "Select folder to move files to it.");
    if (core::HasText(folder)) {
        const std::string drive = folder.substr(0, 2) + "\\";
        if (platform::GetDriveKind(drive) == platform::DriveType::CdRom) {
            prompts_.Message("Can't move files to this folder, Please select another path", "Clarimo",
                             core::PromptIcon::Exclamation);
        } else {
            txtMove_ = folder;
            removalType_ = 3;
        }
    }
    SaveOptions();
}

void Frm_Options::JunkOptions_Click() {
    if (!JunkOptions.Enabled()) return;
    if (showJunkOptions) showJunkOptions();
}

void Frm_Options::LnkCs_Click() {
    const std::string folder = fileFolder_.BrowseForFolder(prompts_, "Select backup folder.");
    if (!core::HasText(folder)) return;
    const std::string target = WithSlash(folder);
    bool failed = false;
    const std::pair<const std::string*, const char*> files[] = {{&core::MainIniPath, "Qxs.ini"},
                                                                {&core::FtsIniPath, "Fts.ini"}};
    for (const auto& [source, name] : files) {
        if (failed || !platform::FileExists(*source)) continue;
        failed = !platform::CopyFileReplacing(*source, target + name).copied;
    }
    if (failed) {
        // Said for every failed copy, not only a drive that is not ready:
        // a backup that did not happen must not pass in silence.
        prompts_.Message("Can't copy settings files to this folder.", "Error", core::PromptIcon::Critical);
        return;
    }
    prompts_.Message("Clarimo settings files was copied successfully.", "Clarimo", core::PromptIcon::Information);
}

void Frm_Options::LnkRs_Click() {
    const std::string folder = fileFolder_.BrowseForFolder(prompts_, "Select the settings files folder.");
    if (!core::HasText(folder)) return;
    const std::string source = WithSlash(folder);
    std::vector<platform::FileCopy> copies;
    for (const auto& [name, destination] : {std::pair{"Qxs.ini", &core::MainIniPath}, {"Fts.ini", &core::FtsIniPath}})
        if (platform::FileExists(source + name)) copies.push_back({source + name, *destination});
    if (copies.empty()) {
        prompts_.Message("Can't find settings files in selected folder.", "Clarimo", core::PromptIcon::Exclamation);
        return;
    }
    // Both files or neither: a restored "Qxs.ini" beside the current
    // "Fts.ini" would be a mixture of two setups.
    const platform::CopyOutcome outcome = platform::CopyFilesReplacing(copies);
    if (!outcome.copied) {
        prompts_.Message("Can't restore " + copies[outcome.failed].source + ": " +
                             platform::SystemErrorText(outcome.error) + ".\r\nThe settings were not restored.",
                         "Error", core::PromptIcon::Critical);
        return;
    }
    settingsRestored_ = true;
    if (copies.size() == 2) {
        prompts_.Message("Clarimo settings files was restored successfully, Please restart Clarimo.", "Clarimo",
                         core::PromptIcon::Information);
    } else {
        prompts_.Message("Only 1 settings file restored\r\nPlease restart Clarimo.", "Clarimo",
                         core::PromptIcon::Information);
    }
    if (unloadMainWindow) unloadMainWindow();
}

void Frm_Options::ApplyThemeColours() {
    for (controls::Link* link : {&JunkOptions, &LnkCs, &LnkRs}) {
        link->SetForeColor(controls::ThemeTextColor);
        link->SetBackColor(controls::ThemeBackColor);
        link->SetOverColor(controls::Blend(controls::ThemeTextColor, controls::kBlack, 160));
    }
    for (controls::ErrorMsg* balloon : {&Er, &Info}) {
        balloon->SetBackColor(controls::ThemeBackColor);
        balloon->SetToolTipFontColor(controls::ThemeTextColor);
    }
}

void Frm_Options::Changed() const { changed(); }

}  // namespace shell
