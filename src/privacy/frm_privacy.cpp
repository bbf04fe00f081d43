#include "privacy/frm_privacy.h"

#include <vector>

#include "core/registry_procs.h"
#include "platform/file_system.h"
#include "platform/throttled_pump.h"
#include "privacy/browser_caches.h"

namespace privacy {
namespace {

constexpr int kRecentFolder = 8;         // CSIDL_RECENT
constexpr int kLocalAppDataFolder = 28;  // CSIDL_LOCAL_APPDATA

// The Recent folder's files as a plain file list shows them: hidden and
// system files are left out.
int CountListedFiles(const std::string& folder) {
    std::vector<platform::DirEntry> entries;
    if (folder.empty() || !platform::ListFolder(folder, entries)) return 0;
    int count = 0;
    for (const platform::DirEntry& entry : entries) {
        const uint32_t hiddenOrSystem = platform::attributes::kHidden | platform::attributes::kSystem;
        if (!entry.isFolder() && (entry.attributes & hiddenOrSystem) == 0) ++count;
    }
    return count;
}

// Marks the page busy for one clean or detection, also when it throws.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

}  // namespace

std::string LeftAloneText(const std::vector<std::string>& folders) {
    std::string text = folders.size() == 1 ? "This folder was left alone: emptying it is not safe."
                                           : "These folders were left alone: emptying them is not safe.";
    for (const std::string& folder : folders) text.append("\n").append(folder.empty() ? "(none)" : folder);
    return text;
}

std::string CleanReportText(const CleanReport& report) {
    std::string text = report.foldersLeftAlone.empty() ? "" : LeftAloneText(report.foldersLeftAlone);
    for (const CleanReport::FilesInUse& skipped : report.filesInUse) {
        if (!text.empty()) text.append("\n");
        text.append(Catalogue()[skipped.item].designCaption)
            .append(": ")
            .append(std::to_string(skipped.files))
            .append(skipped.files == 1 ? " file in use was skipped." : " files in use were skipped.");
    }
    return text;
}

Frm_Privacy::Frm_Privacy() {
    for (int i = 0; i < kItemCount; ++i) items_[i].caption = Catalogue()[i].designCaption;
    Lnk1.SetCaption("Manage Cookies");
    Lnk1.Click = [this] { Lnk1_Click(); };
    Recolour();
    theme_ = controls::SubscribeTheme(controls::ThemeStage::PrivacyPage, [this] { Recolour(); });
}

void Frm_Privacy::Recolour() {
    Lnk1.SetForeColor(controls::ThemeTextColor);
    Lnk1.SetOverColor(controls::ThemeColor);
    Lnk1.SetBackColor(controls::ThemeBackColor);
    Balloon.SetBackColor(controls::ThemeBackColor);
    Balloon.SetToolTipFontColor(controls::ThemeTextColor);
}

void Frm_Privacy::Changed() const {
    if (onChanged) onChanged();
}

void Frm_Privacy::Form_Load() { ChkItems(); }

void Frm_Privacy::SetChecked(int index, bool checked) {
    if (index < 0 || index >= kItemCount || items_[index].checked == checked) return;
    items_[index].checked = checked;
    checkedCount_ = static_cast<int16_t>(checkedCount_ + (checked ? 1 : -1));
    cmdCleanEnabled_ = checkedCount_ >= 1;
    Changed();
}

void Frm_Privacy::ChkItems() {
    if (busy_) return;
    const BusyScope busy(busy_);
    Detect();
}

void Frm_Privacy::Detect() {
    const std::string temp = files_.GetTempPathStr();
    const std::string recent = files_.GetSpecialFolder(kRecentFolder);
    std::string tempSize, recentSize;
    int recentFiles = 0;
    int32_t cookies = 0;
    const std::string localAppData = files_.GetSpecialFolder(kLocalAppDataFolder);
    std::array<bool, kLastBrowserItem - kFirstBrowserItem + 1> browserFound{};
    // The walks wait on the system: they run while the window keeps pumping.
    platform::RunWaiting(runWaiting, [&] {
        tempSize = files_.GetFolderSize(temp);
        recentFiles = CountListedFiles(recent);
        if (recentFiles >= 1) recentSize = files_.GetFolderSize(recent);
        cookies = GetChach(1);
        for (int i = kFirstBrowserItem; i <= kLastBrowserItem; ++i)
            browserFound[i - kFirstBrowserItem] = !BrowserCacheFolders(i, localAppData).empty();
    });

    items_[kTempItem].toolTip = "Temp Folder Size : " + tempSize;
    items_[kRecentItem].toolTip = recentFiles >= 1
                                      ? "Recent Files : " + std::to_string(recentFiles) + ", Size : " + recentSize
                                      : "Recent Documents Folder is Empty";
    Lnk1.SetEnabled(cookies >= 1);

    for (int i = kFirstProgramItem; i <= kLastProgramItem; ++i) DetectProgram(i);
    for (int i = kFirstBrowserItem; i <= kLastBrowserItem; ++i) {
        const bool found = browserFound[i - kFirstBrowserItem];
        items_[i].enabled = found;
        items_[i].toolTip = (found ? "Profiles Folder : " : "Not Found : ") + BrowserProfilesFolder(i, localAppData);
        if (!found) SetChecked(i, false);
    }
    Changed();
}

void Frm_Privacy::DetectProgram(int index) {
    const CatalogueItem& item = Catalogue()[index];
    bool present = false;
    for (const char* key : item.keys) {
        if (!key || present) continue;
        present = item.value ? core::RegValueExists(core::RegRoot::CurrentUser, key, item.value)
                             : core::RegKeyExists(core::RegRoot::CurrentUser, key);
    }
    items_[index].enabled = present;
    items_[index].caption = present ? item.presentName : item.absentCaption;
    if (!present) SetChecked(index, false);
}

int32_t Frm_Privacy::GetChach(int32_t kind) {
    std::vector<std::string> urls;
    cash_.GetCacheURLList(urls);
    int32_t count = 0;
    for (const std::string& url : urls) {
        const bool counted = kind != 0 ? url.rfind("Cookie", 0) == 0 : url.find("Cookie") == std::string::npos;
        if (counted) ++count;
    }
    return count;
}

void Frm_Privacy::DoClean() {
    std::array<bool, kItemCount> checked{};
    for (int i = 0; i < kItemCount; ++i) checked[i] = items_[i].checked;
    const CleanReport report = privacy::DoClean(checked, owner, files_, cash_, runWaiting);
    // A new clean replaces what the last one reported.
    Balloon.HideMessage();
    const std::string text = CleanReportText(report);
    if (!report.foldersLeftAlone.empty())
        Balloon.ShowError(text);
    else if (!text.empty())
        Balloon.ShowInformation(text);
}

void Frm_Privacy::Cmd_Clean_Click() {
    if (busy_) return;
    const BusyScope busy(busy_);
    cmdCleanEnabled_ = false;
    Changed();
    if (onShowProgress)
        onShowProgress([this] { DoClean(); });
    else
        DoClean();
    Detect();
    cmdCleanEnabled_ = true;
    Changed();
}

MenuState Frm_Privacy::PrepareMenu() const {
    // A browser that is not here cannot be checked, so it does not keep Select All offered.
    int checkable = kFirstBrowserItem;
    for (int i = kFirstBrowserItem; i <= kLastBrowserItem; ++i) checkable += items_[i].enabled ? 1 : 0;
    return {checkedCount_<checkable, checkedCount_> 0};
}

void Frm_Privacy::CheckRange(int first, int last, bool onlyEnabled) {
    for (int i = first; i <= last; ++i)
        if (!onlyEnabled || items_[i].enabled) SetChecked(i, true);
}

void Frm_Privacy::Mnu_Pop_SelectAll_Click() { CheckRange(0, kItemCount - 1, true); }

void Frm_Privacy::Mnu_Pop_DeselectAll_Click() {
    for (int i = 0; i < kItemCount; ++i) SetChecked(i, false);
}

void Frm_Privacy::Mnu_Pop_Windows_Click() {
    CheckRange(kFirstWindowsItem, kLastWindowsItem, false);
    Sb_Change(0);
}

void Frm_Privacy::Mnu_Pop_Ie_Click() { CheckRange(kFirstIeItem, kLastIeItem, true); }

void Frm_Privacy::Mnu_Pop_Programs_Click() {
    CheckRange(kFirstProgramItem, kLastProgramItem, true);
    if (scrollTwips_ < kProgramsShownBelowTwips) Sb_Change(kProgramsScrollTwips);
}

void Frm_Privacy::Mnu_Pop_Refresh_Click() { ChkItems(); }

void Frm_Privacy::Sb_Change(int twips) {
    const int value = twips < 0 ? 0 : twips;
    if (value == scrollTwips_) return;
    scrollTwips_ = value;
    Changed();
}

void Frm_Privacy::Lnk1_Click() {
    if (onManageCookies) onManageCookies();
}

}  // namespace privacy
