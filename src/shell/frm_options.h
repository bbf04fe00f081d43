// The options page: colour theme, how removed junk files are disposed of,
// confirmation before removal, the junk options link, and backup and
// restore of the settings files. Every change is written to section
// "Options" of the main settings file at once. This is the page's state and
// handlers; Frm_OptionsWindow shows them.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "controls/error_msg.h"
#include "controls/link.h"
#include "controls/theme.h"
#include "core/cls_file_folder.h"
#include "core/prompts.h"

namespace shell {

class Frm_Options {
public:
    // The items of Cmb_Theme; the list index is the theme index.
    static const std::array<std::string, 6>& ThemeNames();

    explicit Frm_Options(core::Prompts& prompts);
    Frm_Options(const Frm_Options&) = delete;
    Frm_Options& operator=(const Frm_Options&) = delete;

    // What the main window provides.
    // Shows the junk options window, modal, owned by the main window.
    std::function<void()> showJunkOptions;
    // Unloads the main window, which ends the program through the normal
    // shut-down (after a restore).
    std::function<void()> unloadMainWindow;
    // Set by the window: the controls' state changed, show it.
    controls::Signal<> changed;

    // Controls' state, as the junk cleaner and the main window read it.
    int Cmb_Theme() const { return themeListIndex_; }
    bool ChkCon() const { return chkCon_; }
    bool Opt1() const { return removalType_ == 1; }
    bool Opt2() const { return removalType_ == 2; }
    bool Opt3() const { return removalType_ == 3; }
    int RemovalType() const { return removalType_; }  // 1, 2 or 3
    const std::string& TxtMove() const { return txtMove_; }
    bool Loading() const { return loading_; }
    bool TmEnabled() const { return tmEnabled_; }
    int LastRemovalType() const { return lastRemovalType_; }
    // True once a restore has copied settings files over the program's own:
    // the shut-down that follows must not save the pages' settings over them.
    bool SettingsRestored() const { return settingsRestored_; }

    controls::Link JunkOptions;  // "Change Settings"; the junk page disables it while it works
    controls::Link LnkCs;        // "Backup Settings"
    controls::Link LnkRs;        // "Restore Settings"
    controls::ErrorMsg Er;       // the move folder's error balloon
    controls::ErrorMsg Info;     // the page's information balloon

    // Creation: Loading until the first tick of the load timer Tm.
    void Form_Load();
    // Load timer Tm (1 ms): fills the controls from the settings, then saves.
    void Tm_Timer();
    // Writes Thm, DType, TMove and ConDlg; nothing while Loading.
    void SaveOptions();

    void Opt1_Click();
    void Opt2_Click();
    void Opt3_Click();
    void ChkCon_Click(bool checked);
    void TxtMove_Change(const std::string& text);
    void Cmb_Theme_Click(int index);
    void Cmd_Browse_Click();
    void JunkOptions_Click();
    void LnkCs_Click();  // backup
    void LnkRs_Click();  // restore

    // Gives the links and balloons the theme colours in use (also done by
    // every theme change).
    void ApplyThemeColours();

private:
    void Changed() const;
    bool MoveFolderValid() const;

    core::Prompts& prompts_;
    core::ClsFileFolder fileFolder_;
    int themeListIndex_ = 0;
    bool chkCon_ = true;
    int removalType_ = 1;
    std::string txtMove_;
    bool loading_ = false;
    bool tmEnabled_ = false;
    int lastRemovalType_ = 0;
    bool settingsRestored_ = false;
    bool keepStoredMove_ = false;
    controls::ThemeSubscription theme_;
};

// A stored number: blanks around it are ignored; text that is not a whole
// 16-bit number gives fallback.
int ParseSettingNumber(const std::string& text, int fallback);

}  // namespace shell
