// The page against the real Run and RunOnce keys and the real startup folders
// of the test prefix. Values carry names of this test run only, and every key
// is put back as it was.
#include <gtest/gtest.h>

#include <deque>

#include "platform/utf.h"
#include "startup/frm_startup.h"
#include "startup_fixture.h"
#include "support/scripted_prompts.h"

using namespace startup;
using namespace startup_test;
using testing_support::Exists;

namespace {

// Removes the test's own values from a real key when the test ends.
struct RealKeyGuard {
    HKEY root;
    std::string key, name;
    ~RealKeyGuard() { DeleteValue(root, key, name); }
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

    testing_support::TempFolder temp_;
    testing_support::ScriptedPrompts prompts_;
    StartupLocations where_;
    std::string unique_;
};

}  // namespace

TEST_F(SystemSources, EachViewListsItsKeysAndFolderAndPutsEntriesBackWhereTheyWere) {
    struct Source {
        HKEY root;
        const char* key;
        DWORD type;
    };
    const struct {
        View view;
        std::vector<Source> keys;
        std::string folder;
    } cases[] = {
        // Both registry views of the machine's Run key, each value kept in its own.
        {View::AllUsers,
         {{HKEY_LOCAL_MACHINE, kMachineRunKey, REG_SZ},
          {HKEY_LOCAL_MACHINE, kMachineRun32Key, REG_EXPAND_SZ},
          {HKEY_LOCAL_MACHINE, kMachineRunOnceKey, REG_SZ}},
         where_.commonStartupFolder},
        {View::CurrentUser,
         {{HKEY_CURRENT_USER, kUserRunKey, REG_EXPAND_SZ}, {HKEY_CURRENT_USER, kUserRunOnceKey, REG_SZ}},
         where_.userStartupFolder},
    };
    // Harmless, and written while this Wine session runs.
    const std::string command = "%SystemRoot%\\system32\\cmd.exe /c rem";
    for (const auto& c : cases) {
        SCOPED_TRACE(ViewText(c.view));
        std::deque<RealKeyGuard> guards;
        std::vector<std::string> names;
        for (const Source& source : c.keys) {
            names.push_back(unique_ + " " + std::to_string(names.size()));
            guards.push_back({source.root, source.key, names.back()});
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
            const std::string hive =
                c.keys[i].root == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\";
            ASSERT_GE(RowOf(page, names[i]), 0) << names[i];
            EXPECT_EQ(page.Rows()[RowOf(page, names[i])].entry.originKey, hive + c.keys[i].key + "\\" + names[i]);
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
        for (const std::string& name : names) ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), true)) << name;
        page.ApplyChanges();
        // Each value back in its own key (and only there), with its type.
        for (size_t i = 0; i < c.keys.size(); ++i) {
            const RawValue back = GetRaw(c.keys[i].root, c.keys[i].key, names[i]);
            ASSERT_TRUE(back.exists) << names[i];
            EXPECT_EQ(back.type, c.keys[i].type);
            EXPECT_EQ(GetText(c.keys[i].root, c.keys[i].key, names[i]), command);
        }
        EXPECT_EQ(ReadShortcut(link).arguments, "--user");
        EXPECT_FALSE(Exists(where_.KeepingFile(c.view)));
    }
}
