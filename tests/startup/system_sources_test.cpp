// The page against the real Run and RunOnce keys and the real startup folders
// of the test prefix. Values carry names of this test run only, and every key
// is put back as it was.
#include <gtest/gtest.h>

#include <algorithm>
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
        unique_ = "ClarimoTest " + std::to_string(::GetCurrentProcessId());
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

TEST_F(SystemSources, AllUsersListsBothRegistryViewsAndTheCommonStartupFolder) {
    RealKeyGuard run(HKEY_LOCAL_MACHINE, kMachineRunKey);
    RealKeyGuard run32(HKEY_LOCAL_MACHINE, kMachineRun32Key);
    RealKeyGuard once(HKEY_LOCAL_MACHINE, kMachineRunOnceKey);
    const std::string native = unique_ + " native", wow = unique_ + " 32-bit", onceName = unique_ + " once";
    run.Own(native);
    run32.Own(wow);
    once.Own(onceName);
    SetText(HKEY_LOCAL_MACHINE, kMachineRunKey, native, "C:\\native.exe");
    SetText(HKEY_LOCAL_MACHINE, kMachineRun32Key, wow, "%ProgramFiles%\\old\\wow.exe", REG_EXPAND_SZ);
    // Harmless, and written while this Wine session runs.
    SetText(HKEY_LOCAL_MACHINE, kMachineRunOnceKey, onceName, "cmd.exe /c rem");
    const std::string link = where_.commonStartupFolder + "\\" + unique_ + ".lnk";
    struct LinkGuard {
        std::string path;
        ~LinkGuard() { ::DeleteFileW(platform::ToWide(path).c_str()); }
    } linkGuard{link};
    testing_support::MakeFolder(where_.commonStartupFolder);
    MakeShortcut(link, "C:\\common.exe", "-c");

    Frm_Startup page(prompts_, where_);
    page.Cmb_View_Click(1);
    ASSERT_GE(RowOf(page, native), 0);
    ASSERT_GE(RowOf(page, wow), 0);
    ASSERT_GE(RowOf(page, onceName), 0);
    ASSERT_GE(RowOf(page, unique_), 0);
    EXPECT_EQ(page.Rows()[RowOf(page, native)].entry.originKey,
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\" + native);
    EXPECT_EQ(page.Rows()[RowOf(page, wow)].entry.originKey,
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run\\" + wow);
    EXPECT_EQ(page.Rows()[RowOf(page, onceName)].entry.originKey,
              "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\" + onceName);

    for (const std::string& name : {wow, onceName, unique_}) ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), false));
    page.ApplyChanges();
    EXPECT_EQ(page.balloonText, "");
    EXPECT_FALSE(GetRaw(HKEY_LOCAL_MACHINE, kMachineRun32Key, wow).exists);
    EXPECT_FALSE(GetRaw(HKEY_LOCAL_MACHINE, kMachineRunOnceKey, onceName).exists);
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(ReadKeepingFile(where_.allUsersKeepingFile).size(), 3u);
    run.ExpectOthersUnchanged();

    page.Mnu_Pop_Refresh_Click();
    for (const std::string& name : {wow, onceName, unique_}) {
        ASSERT_GE(RowOf(page, name), 0) << name;
        ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), true));
    }
    page.ApplyChanges();
    // Back in the 32-bit key, not in the native one, with its type.
    const RawValue back = GetRaw(HKEY_LOCAL_MACHINE, kMachineRun32Key, wow);
    ASSERT_TRUE(back.exists);
    EXPECT_EQ(back.type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kMachineRun32Key, wow), "%ProgramFiles%\\old\\wow.exe");
    EXPECT_FALSE(GetRaw(HKEY_LOCAL_MACHINE, kMachineRunKey, wow).exists);
    EXPECT_EQ(GetText(HKEY_LOCAL_MACHINE, kMachineRunOnceKey, onceName), "cmd.exe /c rem");
    EXPECT_EQ(ReadShortcut(link).arguments, "-c");
    EXPECT_FALSE(Exists(where_.allUsersKeepingFile));
    run.ExpectOthersUnchanged();
    run32.ExpectOthersUnchanged();
}

TEST_F(SystemSources, CurrentUserListsTheUserKeysAndStartupFolder) {
    RealKeyGuard run(HKEY_CURRENT_USER, kUserRunKey);
    RealKeyGuard once(HKEY_CURRENT_USER, kUserRunOnceKey);
    const std::string runName = unique_ + " run", onceName = unique_ + " once";
    run.Own(runName);
    once.Own(onceName);
    SetText(HKEY_CURRENT_USER, kUserRunKey, runName, "\"C:\\Program Files\\u\\u.exe\" /s");
    SetText(HKEY_CURRENT_USER, kUserRunOnceKey, onceName, "cmd.exe /c rem");
    const std::string link = where_.userStartupFolder + "\\" + unique_ + ".lnk";
    struct LinkGuard {
        std::string path;
        ~LinkGuard() { ::DeleteFileW(platform::ToWide(path).c_str()); }
    } linkGuard{link};
    testing_support::MakeFolder(where_.userStartupFolder);
    MakeShortcut(link, "C:\\user.exe", "--user", "C:\\");

    Frm_Startup page(prompts_, where_);
    page.Cmb_View_Click(0);
    for (const std::string& name : {runName, onceName, unique_}) {
        ASSERT_GE(RowOf(page, name), 0) << name;
        ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), false));
    }
    EXPECT_EQ(page.Rows()[RowOf(page, runName)].programPath, "C:\\Program Files\\u\\u.exe");
    page.ApplyChanges();
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, kUserRunKey, runName).exists);
    EXPECT_FALSE(Exists(link));

    page.Mnu_Pop_Refresh_Click();
    for (const std::string& name : {runName, onceName, unique_})
        ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), true));
    page.ApplyChanges();
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, kUserRunKey, runName), "\"C:\\Program Files\\u\\u.exe\" /s");
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, kUserRunOnceKey, onceName), "cmd.exe /c rem");
    const ShortcutInfo info = ReadShortcut(link);
    EXPECT_EQ(info.arguments, "--user");
    EXPECT_EQ(info.workingFolder, "C:\\");
    run.ExpectOthersUnchanged();
    once.ExpectOthersUnchanged();
}
