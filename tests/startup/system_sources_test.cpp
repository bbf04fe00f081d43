// The page against the real Run and RunOnce keys and the real startup folders
// of the test prefix. Values carry names of this test run only, and every key
// is put back as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>

#include "core/cls_file_folder.h"
#include "platform/handles.h"
#include "platform/utf.h"
#include "startup/frm_startup.h"
#include "startup_fixture.h"
#include "support/scripted_prompts.h"

using namespace startup;
using namespace startup_test;
using testing_support::Exists;

namespace {

// Every value of a key, to check that it is as it was when the test ends.
std::map<std::string, RawValue> Snapshot(HKEY root, const std::string& key) {
    std::map<std::string, RawValue> values;
    platform::UniqueRegKey k;
    if (::RegOpenKeyExW(root, platform::ToWide(key).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, k.put()) !=
        ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD length = 16384;
        if (::RegEnumValueW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::string n = platform::ToUtf8(std::wstring_view(name, length));
        values[n] = GetRaw(root, key, n);
    }
    return values;
}

// Removes the test's own values from a real key when the test ends.
class RealKeyGuard {
public:
    RealKeyGuard(HKEY root, std::string key) : root_(root), key_(std::move(key)), before_(Snapshot(root_, key_)) {}
    ~RealKeyGuard() {
        for (const auto& name : names_) DeleteValue(root_, key_, name);
    }
    void Own(const std::string& name) { names_.push_back(name); }
    // Everything else in the key is byte for byte as before.
    void ExpectOthersUnchanged() const {
        auto now = Snapshot(root_, key_);
        for (const auto& name : names_) now.erase(name);
        ASSERT_EQ(now.size(), before_.size()) << key_;
        for (const auto& [name, value] : before_) {
            ASSERT_TRUE(now.count(name)) << name;
            EXPECT_EQ(now[name].type, value.type) << name;
            EXPECT_EQ(now[name].data, value.data) << name;
        }
    }

private:
    HKEY root_;
    std::string key_;
    std::map<std::string, RawValue> before_;
    std::vector<std::string> names_;
};

class SystemSources : public ::testing::Test {
protected:
    SystemSources() : where_(StartupLocations::System()) {
        // The keeping files and folders go to the test's own folder.
        where_.allUsersKeepingFile = temp_ / "Ass.ini";
        where_.currentUserKeepingFile = temp_ / "Css.ini";
        where_.allUsersKeepingFolder = temp_ / "Startup Disabled\\All Users";
        where_.currentUserKeepingFolder = temp_ / "Startup Disabled\\Current User";
        unique_ = "ClarimoTest \xD0\x96 " + std::to_string(::GetCurrentProcessId());
    }
    int RowOf(const Frm_Startup& page, const std::string& name) {
        for (size_t i = 0; i < page.Rows().size(); ++i)
            if (page.Rows()[i].entry.name == name) return static_cast<int>(i);
        return -1;
    }

    testing_support::TempFolder temp_;
    testing_support::ScriptedPrompts prompts_;
    StartupLocations where_;
    std::string unique_;
};

}  // namespace

TEST_F(SystemSources, TheRealPlacesAreTheOnesWindowsStartsFrom) {
    const StartupLocations real = StartupLocations::System();
    ASSERT_EQ(real.registry[0].size(), 2u);
    EXPECT_EQ(real.registry[0][0].keyPath, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(real.registry[0][1].keyPath, "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(real.registry[1][0].keyPath, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
    EXPECT_EQ(real.registry[2][0].keyPath, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    EXPECT_EQ(real.registry[2][0].hive, Hive::CurrentUser);
    EXPECT_EQ(real.registry[3][0].keyPath, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
    const core::ClsFileFolder files;
    EXPECT_EQ(real.commonStartupFolder, files.GetSpecialFolder(24));
    EXPECT_EQ(real.userStartupFolder, files.GetSpecialFolder(7));
    EXPECT_FALSE(real.commonStartupFolder.empty());
    EXPECT_FALSE(real.userStartupFolder.empty());
}

TEST_F(SystemSources, EachViewListsItsKeysAndFolderAndPutsEntriesBackWhereTheyWere) {
    struct Source {
        HKEY root;
        const char* prefix;
        const char* key;
        DWORD type;
    };
    struct Case {
        View view;
        std::vector<Source> keys;
        std::string folder;
    };
    constexpr char kLm[] = "HKEY_LOCAL_MACHINE\\", kCu[] = "HKEY_CURRENT_USER\\";
    const std::vector<Case> cases = {
        // Both registry views of the machine's Run key, each value kept in its own.
        {View::AllUsers,
         {{HKEY_LOCAL_MACHINE, kLm, kMachineRunKey, REG_SZ},
          {HKEY_LOCAL_MACHINE, kLm, kMachineRun32Key, REG_EXPAND_SZ},
          {HKEY_LOCAL_MACHINE, kLm, kMachineRunOnceKey, REG_SZ}},
         where_.commonStartupFolder},
        {View::CurrentUser,
         {{HKEY_CURRENT_USER, kCu, kUserRunKey, REG_EXPAND_SZ}, {HKEY_CURRENT_USER, kCu, kUserRunOnceKey, REG_SZ}},
         where_.userStartupFolder},
    };
    // Harmless, and written while this Wine session runs.
    const std::string command = "%SystemRoot%\\system32\\cmd.exe /c rem";
    for (const Case& c : cases) {
        SCOPED_TRACE(ViewText(c.view));
        std::deque<RealKeyGuard> guards;
        std::vector<std::string> names;
        for (const Source& source : c.keys) {
            names.push_back(unique_ + " " + std::to_string(names.size()));
            guards.emplace_back(source.root, source.key).Own(names.back());
            SetText(source.root, source.key, names.back(), command, source.type);
        }
        const std::string link = c.folder + "\\" + unique_ + ".lnk";
        struct LinkGuard {
            std::string path;
            ~LinkGuard() { ::DeleteFileW(platform::ToWide(path).c_str()); }
        } linkGuard{link};
        testing_support::MakeFolder(c.folder);
        MakeShortcut(link, "C:\\user.exe", "--user", "C:\\");

        Frm_Startup page(prompts_, where_);
        page.Cmb_View_Click(static_cast<int>(c.view));
        for (size_t i = 0; i < names.size(); ++i) {
            ASSERT_GE(RowOf(page, names[i]), 0) << names[i];
            EXPECT_EQ(page.Rows()[RowOf(page, names[i])].entry.originKey,
                      c.keys[i].prefix + std::string(c.keys[i].key) + "\\" + names[i]);
        }
        names.push_back(unique_);
        for (const std::string& name : names) ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), false)) << name;
        page.ApplyChanges();
        EXPECT_EQ(page.balloonText, "");
        for (size_t i = 0; i < c.keys.size(); ++i)
            EXPECT_FALSE(GetRaw(c.keys[i].root, c.keys[i].key, names[i]).exists) << names[i];
        EXPECT_FALSE(Exists(link));
        EXPECT_EQ(ReadKeepingFile(where_.KeepingFile(c.view)).size(), names.size());

        page.Mnu_Pop_Refresh_Click();
        for (const std::string& name : names) {
            ASSERT_GE(RowOf(page, name), 0) << name;
            ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), true));
        }
        page.ApplyChanges();
        // Each value back in its own key (and only there), with its type.
        for (size_t i = 0; i < c.keys.size(); ++i) {
            const RawValue back = GetRaw(c.keys[i].root, c.keys[i].key, names[i]);
            ASSERT_TRUE(back.exists) << names[i];
            EXPECT_EQ(back.type, c.keys[i].type);
            EXPECT_EQ(GetText(c.keys[i].root, c.keys[i].key, names[i]), command);
        }
        for (const RealKeyGuard& guard : guards) guard.ExpectOthersUnchanged();
        const ShortcutInfo info = ReadShortcut(link);
        EXPECT_EQ(info.arguments, "--user");
        EXPECT_EQ(info.workingFolder, "C:\\");
        EXPECT_FALSE(Exists(where_.KeepingFile(c.view)));
    }
}
