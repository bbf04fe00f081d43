#include "privacy/do_clean.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <initializer_list>
#include <string>
#include <vector>

#include "core/registry_procs.h"
#include "platform/clipboard.h"
#include "platform/shell.h"
#include "privacy/privacy_page_fixture.h"
#include "support/modal_steps.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"

using namespace privacy_testing;
using core::RegRoot::CurrentUser;
using testing_support::Exists;

namespace {

const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

// A key at its real place under HKCU with value "MRUList" and the given subkeys.
void Make(ProgramTraces& keys, const std::string& key, std::initializer_list<const char*> subkeys = {}) {
    keys.SetValue(key, "MRUList", "ab");
    for (const char* subkey : subkeys) keys.SetValue(key + "\\" + subkey, "a", "x");
}

bool Value(const std::string& key, const char* name) { return core::RegValueExists(CurrentUser, key, name); }

class DoCleanTest : public UrlCacheTest {
protected:
    privacy::CleanReport Clean(std::initializer_list<int> items) {
        std::array<bool, privacy::kItemCount> checked{};
        for (int item : items) checked[item] = true;
        return privacy::DoClean(checked, nullptr, files_, cash_);
    }
    core::ClsFileFolder files_;
    privacy::ClsCash cash_;
};

// A temporary folder whose path is longer than 100 characters, holding a
// sub-folder, a read-only file and a link to a folder outside.
TEST_F(DoCleanTest, TempFolderIsEmptiedWithoutFollowingLinks) {
    testing_support::TempFolder area;
    std::string temp = area / "temp";
    while (temp.size() <= 120) temp += "\\a-folder-with-a-long-name";
    PutFile(area / "outside\\precious.txt", "keep");
    PutFile(temp + "\\sub\\b.tmp");
    PutFile(temp + "\\read-only.tmp");
    testing_support::SetAttributes(temp + "\\read-only.tmp", FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(testing_support::MakeFolderLink(temp + "\\link", area / "outside"));
    TempVariable variables(temp);
    ASSERT_EQ(files_.GetTempPathStr(), temp);

    EXPECT_TRUE(Clean({0}).foldersLeftAlone.empty());
    EXPECT_TRUE(Exists(temp));
    EXPECT_FALSE(Exists(temp + "\\sub") || Exists(temp + "\\read-only.tmp"));
    EXPECT_TRUE(Exists(area / "outside\\precious.txt"));  // the link may stay: Wine cannot remove it
}

TEST_F(DoCleanTest, RegistryItemsRemoveExactlyTheirTraces) {
    ProgramTraces keys;
    const std::string search = "Software\\Microsoft\\Search Assistant\\ACMru";
    const std::string openSave = kExplorer + "ComDlg32\\OpenSaveMRU";
    const std::string typed = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
    const std::string acdSee = "Software\\ACD Systems\\ACDSee";
    const std::string acrobat6 = "Software\\Adobe\\Acrobat Reader\\6.0\\AVGeneral";
    // Removed whole: by a key removal or a purge of a key without subkeys,
    // and (the first two) by a purge then a key removal, or by two purges.
    const std::vector<std::string> removed = {
        kExplorer + "RecentDocs",
        acrobat6 + "\\cRecentFiles",
        kExplorer + "RunMRU",
        kExplorer + "ComDlg32\\LastVisitedMRU",
        "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList",
        "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List",
        "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List",
        "Software\\Nico Mak Computing\\WinZip\\filemenu",
        "Software\\WinRAR\\ArcHistory",
        "Software\\Google\\NavClient\\1.1\\History",
        "Software\\Ahead\\Nero - Burning Rom\\Recent File List"};
    for (const std::string& key : removed) Make(keys, key);
    for (int i = 0; i < 2; ++i) Make(keys, removed[i], {".txt", "c1"});
    Make(keys, search, {"5603"});
    Make(keys, openSave, {"*", "txt"});
    Make(keys, typed, {"extra"});
    Make(keys, acdSee);
    core::SetRegString(CurrentUser, acdSee, "LastFolder", "C:\\Pictures");

    Clean({});
    for (const std::string& key : removed) EXPECT_TRUE(KeyExists(key)) << key;

    Clean({2, 3, 4, 7, 8, 9, 12, 13, 14, 15, 16, 17, 18, 19});
    for (const std::string& key : removed) EXPECT_FALSE(KeyExists(key)) << key;
    // One-level purges keep a key that had subkeys, with its values.
    EXPECT_TRUE(Value(search, "MRUList") && Value(openSave, "MRUList"));
    EXPECT_FALSE(KeyExists(search + "\\5603") || KeyExists(openSave + "\\txt"));
    // A key removal leaves a key with subkeys (Windows NT).
    EXPECT_TRUE(KeyExists(typed + "\\extra"));
    EXPECT_FALSE(Value(acdSee, "LastFolder"));
    EXPECT_TRUE(Value(acdSee, "MRUList") && KeyExists(acrobat6));
    EXPECT_FALSE(KeyExists("Software\\Adobe\\Acrobat Reader\\5.0"));  // the missing version is not made
}

TEST_F(DoCleanTest, CacheCookieFolderClipboardAndRecycleBinItems) {
    for (int csidl : {8, 32, 33}) {
        wchar_t made[MAX_PATH] = {};  // made if missing, so that Windows reports it
        ::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, made);
        testing_support::MakeFolder(files_.GetSpecialFolder(csidl) + "\\clarimo sub");
    }
    FillCache();
    // Non-ASCII, and a record larger than the cache walk's first buffer.
    const std::string wide = "http://shop.example/\xD0\x9F\xD0\xB0\xD0\xBF/" + std::string(1500, 'a');
    Add(wide);
    Clean({1, 2, 10});  // the history object fails under Wine: the items after it still run
    EXPECT_THAT(AllCacheUrls(), testing::UnorderedElementsAre(kCookie, kOtherCookie, kCookieImage));
    for (const std::string& url : {kPage, wide}) EXPECT_FALSE(platform::DeleteUrlCacheEntryByUrl(url)) << url;
    for (int csidl : {8, 32}) EXPECT_FALSE(Exists(files_.GetSpecialFolder(csidl) + "\\clarimo sub")) << csidl;
    EXPECT_TRUE(Exists(files_.GetSpecialFolder(33) + "\\clarimo sub"));
    Add("cookie:user@lower.example/");  // case-sensitive: not a cookie
    Clean({11});
    EXPECT_THAT(AllCacheUrls(), testing::UnorderedElementsAre(kCookieImage, "cookie:user@lower.example/"));
    EXPECT_FALSE(Exists(files_.GetSpecialFolder(33) + "\\clarimo sub"));
    EXPECT_TRUE(Exists(files_.GetSpecialFolder(8)));
    // Wine stores every entry as a normal one, so only Windows has the other kinds.
    EXPECT_FALSE(privacy::IsListedEntry(platform::kCookieCacheEntry) ||
                 privacy::IsListedEntry(platform::kUrlHistoryCacheEntry));

    ASSERT_TRUE(platform::SetClipboardText(nullptr, "secret"));
    testing_support::TempFolder area;
    PutFile(area / "binned.txt");
    ASSERT_TRUE(platform::MoveToRecycleBin(area / "binned.txt"));
    ASSERT_GT(platform::QueryRecycleBin().value().items, 0u);
    testing_support::DialogPresser presser(IDYES);  // the shell's own confirmation
    Clean({5, 6});
    presser.Finish();
    EXPECT_EQ(platform::ClipboardFormatCount(), 0);
    EXPECT_EQ(platform::QueryRecycleBin().value().items, 0u);
}

// Only the cache folders of every profile are emptied (and kept); a file held
// open stays (the page's balloon test checks that it is counted).
TEST_F(DoCleanTest, BrowserCachesAreEmptiedAndTheProfilesKept) {
    BrowserProfiles browsers;
    const std::string chrome = BrowserProfiles::Folder(privacy::kChromeItem) + "\\";
    const std::string edge = BrowserProfiles::Folder(privacy::kEdgeItem) + "\\Default\\";
    const std::string firefox = BrowserProfiles::Folder(privacy::kFirefoxItem) + "\\ab12.default\\";
    const std::string emptied[] = {chrome + "Default\\Cache\\Cache_Data\\f_0001",
                                   chrome + "Profile 2\\Code Cache\\js\\a", edge + "GPUCache\\data_1",
                                   firefox + "cache2\\entries\\3A2B"};
    const std::string kept[] = {chrome + "Default\\Cookies", chrome + "Profile 2\\History",
                                edge + "Login Data",         chrome + "System Profile\\Cache\\f_0001",
                                firefox + "cookies.sqlite",  firefox + "places.sqlite",
                                firefox + "cache2\\in-use"};
    for (const std::string& file : emptied) PutFile(file);
    for (const std::string& file : kept) PutFile(file);
    const platform::UniqueHandle inUse = HoldOpen(firefox + "cache2\\in-use");

    Clean({privacy::kChromeItem, privacy::kEdgeItem, privacy::kFirefoxItem});
    for (const std::string& file : emptied) EXPECT_FALSE(Exists(file)) << file;
    for (const std::string& file : kept) EXPECT_TRUE(Exists(file)) << file;
    EXPECT_TRUE(Exists(chrome + "Default\\Cache") && Exists(edge + "GPUCache"));
}

}  // namespace
