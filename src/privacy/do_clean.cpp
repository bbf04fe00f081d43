#include "privacy/do_clean.h"

#include <algorithm>

#include "core/registry_procs.h"
#include "privacy/browser_caches.h"

namespace privacy {
namespace {

using core::RegRoot;

constexpr RegRoot kUser = RegRoot::CurrentUser;

// Special folders, by their CSIDL numbers.
constexpr int kRecentFolder = 8;
constexpr int kInternetCacheFolder = 32;
constexpr int kCookiesFolder = 33;
constexpr int kLocalAppDataFolder = 28;

constexpr const char* kRecentDocs = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
constexpr const char* kRunMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr const char* kSearchMru = "Software\\Microsoft\\Search Assistant\\ACMru";
constexpr const char* kMediaPlayerRecent = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
constexpr const char* kOpenSaveMru = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";
constexpr const char* kLastVisitedMru =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU";
constexpr const char* kTypedUrls = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const char* kAcdSee = "Software\\ACD Systems\\ACDSee";
constexpr const char* kAcrobat5Recent = "Software\\Adobe\\Acrobat Reader\\5.0\\AVGeneral\\cRecentFiles";
constexpr const char* kAcrobat6Recent = "Software\\Adobe\\Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles";

// Items 12 to 17: one key removal each, in index order.
constexpr const char* kProgramRecentKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List",
    "Software\\Nico Mak Computing\\WinZip\\filemenu",
    "Software\\WinRAR\\ArcHistory",
    "Software\\Google\\NavClient\\1.1\\History",
    "Software\\Ahead\\Nero - Burning Rom\\Recent File List",
};

// Empties a folder and keeps it. A folder Windows did not name ("") is
// skipped: emptying "" would mean the current drive's root. A folder the
// deletion refused is noted for the page to tell the user. Answers the
// number of files that stayed.
int EmptyFolder(const core::ClsFileFolder& files, const std::string& folder, CleanReport& report) {
    if (folder.empty()) return 0;
    const core::FolderDeletion result = files.DeleteFolder(folder, false);
    for (const std::string& refused : result.refusedFolders) {
        std::vector<std::string>& alone = report.foldersLeftAlone;
        if (std::find(alone.begin(), alone.end(), refused) == alone.end()) alone.push_back(refused);
    }
    return result.filesKept;
}

// Every profile's cache folders; a browser that is running holds some files open.
void EmptyBrowserCaches(int item, const core::ClsFileFolder& files, CleanReport& report) {
    int kept = 0;
    for (const std::string& folder : BrowserCacheFolders(item, files.GetSpecialFolder(kLocalAppDataFolder)))
        kept += EmptyFolder(files, folder, report);
    if (kept > 0) report.filesInUse.push_back({item, kept});
}

}  // namespace

CleanReport DoClean(const std::array<bool, kItemCount>& checked, platform::WindowHandle owner,
                    const core::ClsFileFolder& files, ClsCash& cash, const platform::WaitingRunner& runWaiting) {
    CleanReport report;
    const auto waiting = [&runWaiting](const std::function<void()>& step) { platform::RunWaiting(runWaiting, step); };
    for (int item = 0; item < kItemCount; ++item) {
        if (!checked[item]) continue;
        switch (item) {
            case 0:
                waiting([&, folder = files.GetTempPathStr()] { EmptyFolder(files, folder, report); });
                break;
            case 1:
                // Where the history object is missing (Wine) there is nothing to clear.
                cash.ClearHistory();
                break;
            case 2:
                waiting([&, folder = files.GetSpecialFolder(kRecentFolder)] { EmptyFolder(files, folder, report); });
                // The purge takes the per-type subkeys, so the key removal can then take the key.
                core::DeleteSubKeys(kUser, kRecentDocs);
                core::DeleteRegKey(kUser, kRecentDocs);
                break;
            case 3:
                core::DeleteRegKey(kUser, kRunMru);
                break;
            case 4:
                core::DeleteSubKeys(kUser, kSearchMru);
                break;
            case 5:
                files.EmptyRecycleBin(owner);
                break;
            case 6:
                files.EmptyWinClipBoard(owner);
                break;
            case 7:
                core::DeleteRegKey(kUser, kMediaPlayerRecent);
                break;
            case 8:
                core::DeleteSubKeys(kUser, kOpenSaveMru);
                core::DeleteSubKeys(kUser, kLastVisitedMru);
                break;
            case 9:
                core::DeleteRegKey(kUser, kTypedUrls);
                break;
            case 10:
                waiting([&, folder = files.GetSpecialFolder(kInternetCacheFolder)] {
                    cash.ClearCash();
                    EmptyFolder(files, folder, report);
                });
                break;
            case 11:
                waiting([&, folder = files.GetSpecialFolder(kCookiesFolder)] {
                    cash.ClearCookies();
                    EmptyFolder(files, folder, report);
                });
                break;
            case 18:
                core::DeleteRegValue(kUser, kAcdSee, "LastFolder");
                break;
            case kChromeItem:
            case kEdgeItem:
            case kFirefoxItem:
                waiting([&, item] { EmptyBrowserCaches(item, files, report); });
                break;
            case 19:
                // The first pass takes the numbered subkeys, the second the emptied keys themselves.
                for (int pass = 0; pass < 2; ++pass) {
                    core::DeleteSubKeys(kUser, kAcrobat5Recent);
                    core::DeleteSubKeys(kUser, kAcrobat6Recent);
                }
                break;
            default:
                core::DeleteRegKey(kUser, kProgramRecentKeys[item - kFirstProgramItem]);
                break;
        }
    }
    return report;
}

}  // namespace privacy
