#include "privacy/do_clean.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "cash_fixture.h"
#include "core/cls_file_folder.h"
#include "core/registry_procs.h"
#include "platform/clipboard.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/shell.h"
#include "platform/url_cache.h"
#include "platform/utf.h"
#include "support/dialog_presser.h"
#include "support/folder_link.h"
#include "support/temp_folder.h"

using core::RegRoot;
using privacy::CleanReport;
using privacy::kPrivacyItemCount;
using privacy_testing::InCache;
using testing_support::Exists;
using testing_support::MakeFolder;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

constexpr RegRoot kUser = RegRoot::CurrentUser;
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";

std::array<bool, kPrivacyItemCount> Items(std::initializer_list<int> indices) {
    std::array<bool, kPrivacyItemCount> checked{};
    for (int index : indices) checked[index] = true;
    return checked;
}

// Points TMP and TEMP (what GetTempPathW reads) at a folder for the life of the object.
class TempVariables {
public:
    explicit TempVariables(const std::string& folder) {
        ::SetEnvironmentVariableW(L"TMP", platform::ToWide(folder).c_str());
        ::SetEnvironmentVariableW(L"TEMP", platform::ToWide(folder).c_str());
    }
    TempVariables(const TempVariables&) = delete;
    TempVariables& operator=(const TempVariables&) = delete;
    ~TempVariables() {
        ::SetEnvironmentVariableW(L"TMP", tmp_.c_str());
        ::SetEnvironmentVariableW(L"TEMP", temp_.c_str());
    }

private:
    static std::wstring Read(const wchar_t* name) {
        wchar_t value[32768] = {};
        ::GetEnvironmentVariableW(name, value, 32768);
        return value;
    }
    std::wstring tmp_ = Read(L"TMP");
    std::wstring temp_ = Read(L"TEMP");
};

// Keys under HKCU that the clean works on; they stand at fixed places, so
// the test makes them itself and removes whatever is left when it ends.
class FixedKeys {
public:
    FixedKeys() = default;
    FixedKeys(const FixedKeys&) = delete;
    FixedKeys& operator=(const FixedKeys&) = delete;
    ~FixedKeys() {
        for (const std::string& key : keys_) ::RegDeleteTreeW(HKEY_CURRENT_USER, platform::ToWide(key).c_str());
    }
    // Makes key with one value "MRUList" and the given subkeys (each with a value).
    void Make(const std::string& key, const std::vector<std::string>& subkeys = {}) {
        keys_.push_back(key);
        core::SetRegString(kUser, key, "MRUList", "ab");
        for (const std::string& subkey : subkeys) core::SetRegString(kUser, key + "\\" + subkey, "a", "x");
        ASSERT_TRUE(core::RegKeyExists(kUser, key)) << key;
    }

private:
    std::vector<std::string> keys_;
};

bool KeyExists(const std::string& key) { return core::RegKeyExists(kUser, key); }

bool ValueExists(const std::string& key, const std::string& value) { return core::RegValueExists(kUser, key, value); }

class DoCleanTest : public privacy_testing::UrlCacheTest {
protected:
    CleanReport Clean(std::initializer_list<int> indices) {
        return privacy::DoClean(Items(indices), nullptr, files_, cash_);
    }
    core::ClsFileFolder files_;
    privacy::ClsCash cash_;
};

TEST_F(DoCleanTest, TempFolderIsEmptiedKeptAndLinksAreNotFollowed) {
    TempFolder area;
    const std::string temp = area / "temp";
    const std::string outside = area / "outside";
    MakeFolder(temp + "\\sub\\deeper");
    MakeFolder(outside);
    WriteFile(temp + "\\a.tmp", "x");
    WriteFile(temp + "\\read-only.tmp", "x");
    ::SetFileAttributesW(platform::ToWide(temp + "\\read-only.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFile(temp + "\\sub\\deeper\\b.tmp", "x");
    WriteFile(temp + "\\in-use.tmp", "x");
    WriteFile(outside + "\\precious.txt", "keep me");
    ASSERT_TRUE(testing_support::MakeFolderLink(temp + "\\link", outside));
    TempVariables variables(temp);
    ASSERT_EQ(files_.GetTempPathStr(), temp);

    CleanReport report;
    {
        platform::UniqueHandle inUse(::CreateFileW(platform::ToWide(temp + "\\in-use.tmp").c_str(), GENERIC_READ, 0,
                                                   nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(inUse);
        report = Clean({0});
    }
    EXPECT_TRUE(Exists(temp));
    EXPECT_FALSE(Exists(temp + "\\a.tmp"));
    EXPECT_FALSE(Exists(temp + "\\read-only.tmp"));
    EXPECT_FALSE(Exists(temp + "\\sub"));
    EXPECT_TRUE(Exists(temp + "\\in-use.tmp"));  // skipped, not an error
    // The link's target keeps its file; the link itself may stay (Wine cannot remove it).
    EXPECT_TRUE(Exists(outside + "\\precious.txt"));
    EXPECT_TRUE(report.foldersLeftAlone.empty());
}

TEST_F(DoCleanTest, TempFolderWithALongPathIsEmptied) {
    TempFolder area;
    std::string temp = area / "a-temporary-folder-whose-name-is-long";
    while (temp.size() <= 160) temp += "\\and-longer-still";
    MakeFolder(temp);
    WriteFile(temp + "\\old.tmp", "x");
    TempVariables variables(temp);
    ASSERT_EQ(files_.GetTempPathStr(), temp);

    CleanReport report = Clean({0});
    EXPECT_TRUE(Exists(temp));
    EXPECT_FALSE(Exists(temp + "\\old.tmp"));
    EXPECT_TRUE(report.foldersLeftAlone.empty());
}

TEST_F(DoCleanTest, DangerousTempFoldersAreLeftAloneAndNamedAndTheCleanGoesOn) {
    FixedKeys keys;
    const std::string windows = files_.GetWindowsPath();
    ASSERT_FALSE(windows.empty());
    const std::string rootFile = "C:\\clarimo-root-sentinel.txt";
    const std::string windowsFile = windows + "\\clarimo-sentinel.txt";
    WriteFile(rootFile, "x");
    WriteFile(windowsFile, "x");
    for (const std::string& temp : {std::string("C:\\"), windows}) {
        SCOPED_TRACE(temp);
        keys.Make(kExplorer + "\\RunMRU");
        TempVariables variables(temp);
        ASSERT_EQ(files_.AddSlash(files_.GetTempPathStr()), files_.AddSlash(temp));

        CleanReport report = Clean({0, 3});
        EXPECT_TRUE(Exists(rootFile));
        EXPECT_TRUE(Exists(windowsFile));
        EXPECT_TRUE(Exists(windows + "\\system32"));
        ASSERT_EQ(report.foldersLeftAlone.size(), 1u);
        EXPECT_EQ(files_.AddSlash(report.foldersLeftAlone[0]), files_.AddSlash(temp));
        EXPECT_FALSE(KeyExists(kExplorer + "\\RunMRU"));  // the next item still ran
    }
    ::DeleteFileW(platform::ToWide(rootFile).c_str());
    ::DeleteFileW(platform::ToWide(windowsFile).c_str());
}

TEST_F(DoCleanTest, RegistryItemsRemoveExactlyTheirTraces) {
    FixedKeys keys;
    const std::string recentDocs = kExplorer + "\\RecentDocs";
    const std::string runMru = kExplorer + "\\RunMRU";
    const std::string searchMru = "Software\\Microsoft\\Search Assistant\\ACMru";
    const std::string mediaPlayer = "Software\\Microsoft\\MediaPlayer\\Player\\RecentFileList";
    const std::string openSave = kExplorer + "\\ComDlg32\\OpenSaveMRU";
    const std::string lastVisited = kExplorer + "\\ComDlg32\\LastVisitedMRU";
    const std::string typedUrls = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
    const std::vector<std::string> programKeys = {
        "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List",
        "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List",
        "Software\\Nico Mak Computing\\WinZip\\filemenu",
        "Software\\WinRAR\\ArcHistory",
        "Software\\Google\\NavClient\\1.1\\History",
        "Software\\Ahead\\Nero - Burning Rom\\Recent File List",
    };
    const std::string acdSee = "Software\\ACD Systems\\ACDSee";
    const std::string acrobat5 = "Software\\Adobe\\Acrobat Reader\\5.0\\AVGeneral";
    const std::string acrobat6 = "Software\\Adobe\\Acrobat Reader\\6.0\\AVGeneral";
    keys.Make(recentDocs, {".txt", ".doc"});
    keys.Make(runMru);
    keys.Make(searchMru, {"5603", "5604"});
    keys.Make(mediaPlayer);
    keys.Make(openSave, {"*", "txt"});
    keys.Make(lastVisited);
    keys.Make(typedUrls);
    for (const std::string& key : programKeys) keys.Make(key);
    keys.Make("Software\\WinRAR");
    keys.Make(acdSee);
    core::SetRegString(kUser, acdSee, "LastFolder", "C:\\Pictures");
    keys.Make("Software\\Adobe");
    keys.Make(acrobat6 + "\\cRecentFiles", {"c1", "c2"});

    CleanReport report = Clean({2, 3, 4, 7, 8, 9, 12, 13, 14, 15, 16, 17, 18, 19});
    EXPECT_FALSE(KeyExists(recentDocs));  // purge first, so the key removal can take it
    EXPECT_FALSE(KeyExists(runMru));
    // One-level purges keep a key that had subkeys, with its values.
    EXPECT_TRUE(ValueExists(searchMru, "MRUList"));
    EXPECT_FALSE(KeyExists(searchMru + "\\5603"));
    EXPECT_FALSE(KeyExists(searchMru + "\\5604"));
    EXPECT_FALSE(KeyExists(mediaPlayer));
    EXPECT_TRUE(ValueExists(openSave, "MRUList"));
    EXPECT_FALSE(KeyExists(openSave + "\\*"));
    EXPECT_FALSE(KeyExists(openSave + "\\txt"));
    EXPECT_FALSE(KeyExists(lastVisited));  // no subkeys: removed whole
    EXPECT_FALSE(KeyExists(typedUrls));
    for (const std::string& key : programKeys) EXPECT_FALSE(KeyExists(key)) << key;
    EXPECT_TRUE(ValueExists("Software\\WinRAR", "MRUList"));
    EXPECT_FALSE(ValueExists(acdSee, "LastFolder"));
    EXPECT_TRUE(ValueExists(acdSee, "MRUList"));
    EXPECT_FALSE(KeyExists(acrobat6 + "\\cRecentFiles"));  // two passes: subkeys, then the key
    EXPECT_TRUE(KeyExists(acrobat6));
    EXPECT_FALSE(KeyExists(acrobat5));  // the missing version is not made
    EXPECT_TRUE(report.foldersLeftAlone.empty());
}

TEST_F(DoCleanTest, KeyRemovalLeavesAKeyWithSubkeysAndUncheckedItemsAlone) {
    FixedKeys keys;
    const std::string typedUrls = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
    const std::string runMru = kExplorer + "\\RunMRU";
    const std::string winRar = "Software\\WinRAR\\ArcHistory";
    keys.Make(typedUrls, {"extra"});
    keys.Make(runMru);
    keys.Make(winRar);
    Add("http://kept.example/", platform::kNormalCacheEntry);

    Clean({});
    EXPECT_TRUE(KeyExists(runMru));
    EXPECT_TRUE(KeyExists(winRar));
    EXPECT_TRUE(InCache("http://kept.example/"));

    // A key removal takes no key that still has subkeys (Windows NT).
    Clean({9, 15});
    EXPECT_TRUE(ValueExists(typedUrls, "MRUList"));
    EXPECT_TRUE(KeyExists(typedUrls + "\\extra"));
    EXPECT_FALSE(KeyExists(winRar));
    EXPECT_TRUE(KeyExists(runMru));
}

TEST_F(DoCleanTest, CacheAndCookieItemsSplitTheCache) {
    const std::string cookie = "Cookie:user@shop.example/";
    const std::string image = "http://shop.example/Cookie.gif";
    const std::string page = "http://shop.example/index.html";
    auto fill = [&] {
        Add(cookie, platform::kNormalCacheEntry | platform::kCookieCacheEntry);
        Add(image, platform::kNormalCacheEntry);
        Add(page, platform::kNormalCacheEntry);
    };
    fill();
    Clean({10});
    EXPECT_TRUE(InCache(cookie));
    EXPECT_TRUE(InCache(image));
    EXPECT_FALSE(InCache(page));

    fill();
    Clean({11});
    EXPECT_FALSE(InCache(cookie));
    EXPECT_TRUE(InCache(image));
    EXPECT_TRUE(InCache(page));

    // The history object fails under Wine; the items after it still run.
    fill();
    Clean({1, 10, 11});
    EXPECT_THAT(privacy_testing::AllCacheUrls(), testing::ElementsAre(image));
}

TEST_F(DoCleanTest, FolderItemsEmptyTheirSpecialFolders) {
    struct Place {
        int item;
        int csidl;
    };
    for (Place place : {Place{2, 8}, Place{10, 32}, Place{11, 33}}) {
        // Made if missing, so that Windows reports it.
        wchar_t made[MAX_PATH] = {};
        ::SHGetFolderPathW(nullptr, place.csidl | CSIDL_FLAG_CREATE, nullptr, 0, made);
        const std::string folder = files_.GetSpecialFolder(place.csidl);
        SCOPED_TRACE(folder);
        ASSERT_FALSE(folder.empty());
        MakeFolder(folder + "\\clarimo sub");
        WriteFile(folder + "\\clarimo sub\\trace.txt", "x");
        WriteFile(folder + "\\clarimo trace.lnk", "x");

        CleanReport report = Clean({place.item});
        EXPECT_TRUE(Exists(folder));
        EXPECT_FALSE(Exists(folder + "\\clarimo sub"));
        EXPECT_FALSE(Exists(folder + "\\clarimo trace.lnk"));
        EXPECT_TRUE(report.foldersLeftAlone.empty());
    }
    // The cache still works after its folder was emptied.
    Add("http://after.example/", platform::kNormalCacheEntry);
}

TEST_F(DoCleanTest, ClipboardAndRecycleBinAreEmptied) {
    ASSERT_TRUE(platform::SetClipboardText(nullptr, "secret"));
    Clean({6});
    EXPECT_EQ(platform::ClipboardFormatCount(), 0);

    TempFolder area;
    WriteFile(area / "binned.txt", "x");
    ASSERT_TRUE(platform::MoveToRecycleBin(area / "binned.txt"));
    auto before = platform::QueryRecycleBin();
    ASSERT_TRUE(before && before->items > 0);
    // The shell asks for its own confirmation; answer it.
    testing_support::DialogPresser presser(IDYES);
    Clean({5});
    presser.Finish();
    auto after = platform::QueryRecycleBin();
    ASSERT_TRUE(after);
    EXPECT_EQ(after->items, 0u);
}

}  // namespace
