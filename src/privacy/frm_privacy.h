// The privacy page's logic: the items with their captions, enabled
// flags, check marks and tool tips, the detection ChkItems, the checked
// counter and the Clean button, the popup menu with its Select entries and
// the item panel's scroll position, and the clean road. The window class
// draws this state and forwards events.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/error_msg.h"
#include "controls/link.h"
#include "controls/theme.h"
#include "core/cls_file_folder.h"
#include "platform/window_handle.h"
#include "privacy/cls_cash.h"
#include "privacy/do_clean.h"
#include "privacy/privacy_catalogue.h"

namespace privacy {

struct PrivacyItem {
    std::string caption;  // as stored: "&&" shows as "&"
    bool enabled = true;
    bool checked = false;
    std::string toolTip;  // "" for none
};

// Which of the two selection entries the popup menu offers.
struct MenuState {
    bool selectAllEnabled = true;
    bool deselectAllEnabled = false;
};

class Frm_Privacy {
public:
    // The item panel's scroll position is kept in twips of the page's layout:
    // the Programs group begins at kProgramsScrollTwips.
    static constexpr int kProgramsScrollTwips = 2655;
    static constexpr int kProgramsShownBelowTwips = 2300;

    Frm_Privacy();
    Frm_Privacy(const Frm_Privacy&) = delete;
    Frm_Privacy& operator=(const Frm_Privacy&) = delete;

    // Set by the window: redraw after a change; run the please-wait window,
    // which calls its argument from its timer (without it the clean runs at
    // once); open the cookies manager.
    std::function<void()> onChanged;
    std::function<void(const std::function<void()>& clean)> onShowProgress;
    std::function<void()> onManageCookies;
    // The page's window, handed to the recycle bin and clipboard services.
    platform::WindowHandle owner = nullptr;
    // Runs the folder walks, folder emptying and URL cache walks of the
    // detection and the clean: on a worker while this thread pumps.
    platform::WaitingRunner runWaiting = platform::RunWhilePumping;

    // The page's load: detection.
    void Form_Load();

    const std::array<PrivacyItem, kItemCount>& Chk() const { return items_; }
    int16_t CheckedCount() const { return checkedCount_; }
    bool CmdCleanEnabled() const { return cmdCleanEnabled_; }

    // A check box's value changes (by the user or from code); a box that
    // already has the value is left alone, as a click would not fire.
    void SetChecked(int index, bool checked);

    // Skipped while a clean or another detection runs (F5 during the pump).
    void ChkItems();
    // kind not 0: cache URLs beginning with "Cookie"; 0: URLs without
    // "Cookie" anywhere. Case-sensitive.
    int32_t GetChach(int32_t kind);
    // Removes the traces of every checked item, then shows in the balloon the
    // folders that were left alone because emptying them was not safe and
    // the browser caches' files that were in use.
    void DoClean();
    // A click while a clean or a detection runs starts nothing.
    void Cmd_Clean_Click();

    MenuState PrepareMenu() const;
    void Mnu_Pop_SelectAll_Click();
    void Mnu_Pop_DeselectAll_Click();
    void Mnu_Pop_Windows_Click();
    void Mnu_Pop_Ie_Click();
    void Mnu_Pop_Programs_Click();
    void Mnu_Pop_Refresh_Click();

    // The item panel's scroll position in twips (Sb_Change and Sb_Scroll).
    int ScrollTwips() const { return scrollTwips_; }
    void Sb_Change(int twips);

    void Lnk1_Click();

    // The "Manage Cookies" link and the balloon for what the clean left alone.
    controls::Link Lnk1;
    controls::ErrorMsg Balloon;

private:
    void Changed() const;
    void Detect();
    void CheckRange(int first, int last, bool onlyEnabled);
    void DetectProgram(int index);
    void Recolour();

    core::ClsFileFolder files_;
    ClsCash cash_;
    std::array<PrivacyItem, kItemCount> items_;
    int16_t checkedCount_ = 0;
    bool cmdCleanEnabled_ = false;
    bool busy_ = false;  // a clean or a detection is running, with the messages pumped
    int scrollTwips_ = 0;
    controls::ThemeSubscription theme_;
};

// The balloon's text for folders a clean left alone.
std::string LeftAloneText(const std::vector<std::string>& folders);
// The balloon's text for a whole clean: the folders left alone, then each
// browser item with the files in use it skipped. "" when nothing stayed.
std::string CleanReportText(const CleanReport& report);

}  // namespace privacy
