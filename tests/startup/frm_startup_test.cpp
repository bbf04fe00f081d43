#include "startup/frm_startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "core/settings.h"
#include "platform/handles.h"
#include "platform/utf.h"
#include "startup_fixture.h"
#include "support/scripted_prompts.h"

using namespace startup;
using namespace startup_test;
using testing_support::Exists;
using testing_support::ScriptedPrompts;

namespace {

class FrmStartup : public StartupPlaces {
protected:
    ScriptedPrompts prompts_;

    int RowOf(const Frm_Startup& page, const std::string& name) {
        const auto& rows = page.Rows();
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].entry.name == name) return static_cast<int>(i);
        return -1;
    }
    std::vector<std::string> Names(const Frm_Startup& page) {
        std::vector<std::string> names;
        for (const auto& row : page.Rows()) names.push_back(row.entry.name + (row.checked ? "" : "(off)"));
        return names;
    }
    std::vector<StartupEntry> Kept(View view) { return ReadKeepingFile(where_.KeepingFile(view)); }
    bool InKeepingFile(View view, const std::string& name) {
        const auto kept = Kept(view);
        return std::any_of(kept.begin(), kept.end(), [&](const StartupEntry& e) { return e.name == name; });
    }
    // Opens the page on a view as the start timer would.
    void Open(Frm_Startup& page, View view) { page.Cmb_View_Click(static_cast<int>(view)); }
};

}  // namespace

TEST_F(FrmStartup, LoadsTheThreeSourcesOfAViewWithTheirSkippingRules) {
    SetText(HKEY_CURRENT_USER, userRun(), "Tool", "C:\\tool.exe -min");
    SetRaw(HKEY_CURRENT_USER, userRun(), "EmptyData", REG_SZ, nullptr, 0);
    const DWORD number = 7;
    SetRaw(HKEY_CURRENT_USER, userRun(), "Number", REG_DWORD, &number, 4);
    SetText(HKEY_CURRENT_USER, userRunOnce(), "Once", "C:\\once.exe");
    SetText(HKEY_CURRENT_USER, machineRun(), "Machine", "C:\\m.exe");
    const std::string folder = where_.userStartupFolder;
    MakeShortcut(folder + "\\.lnk", "C:\\blank.exe");
    MakeShortcut(folder + "\\   .lnk", "C:\\blanks.exe");
    MakeShortcut(folder + "\\Zed.lnk", "C:\\zed.exe");
    testing_support::WriteFile(folder + "\\notes.txt", "x");

    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Number", "Once", "Tool", "Zed"}));  // sorted by Item
    const auto& rows = page.Rows();
    EXPECT_EQ(rows[RowOf(page, "Number")].entry.command, "");
    EXPECT_EQ(rows[RowOf(page, "Tool")].entry.originKey, origin(userRun(), "Tool"));
    EXPECT_EQ(rows[RowOf(page, "Tool")].programPath, "C:\\tool.exe");
    // The blank names take positions 1 and 2; Zed keeps position 3.
    EXPECT_EQ(rows[RowOf(page, "Zed")].entry.originKey, folder + "|3");
    EXPECT_EQ(rows[RowOf(page, "Zed")].entry.command, "C:\\zed.exe");
    EXPECT_EQ(page.caption1, "Startup Items : 4");
    EXPECT_EQ(page.caption2, "Startup Items For : Current User");

    page.SelectRow(RowOf(page, "Tool"));
    EXPECT_EQ(page.caption1, "Tool");
    EXPECT_EQ(page.caption2, "Target : C:\\tool.exe -min");
    EXPECT_EQ(page.picturePath, "");  // the program does not exist: default picture

    // The other view lists only the machine's entry; descending by Command.
    Open(page, View::AllUsers);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Machine"}));
    page.ColumnClick(2);
    EXPECT_EQ(page.SortColumn(), 2);
    EXPECT_EQ(page.SortOrder(), 1);
    page.ColumnClick(2);
    EXPECT_EQ(page.SortOrder(), 2);
    page.ColumnClick(1);
    EXPECT_EQ(page.SortOrder(), 1);
}

TEST_F(FrmStartup, ApplyLeavesUntouchedEntriesAsTheyAre) {
    // A value without its terminating NUL, and one of REG_EXPAND_SZ: rewriting
    // either would change its bytes.
    const wchar_t bare[] = L"C:\\bare.exe";
    SetRaw(HKEY_CURRENT_USER, userRun(), "Bare", REG_SZ, bare, static_cast<DWORD>(wcslen(bare) * sizeof(wchar_t)));
    SetText(HKEY_CURRENT_USER, userRun(), "Expand", "%TEMP%\\x.exe", REG_EXPAND_SZ);
    SetText(HKEY_CURRENT_USER, userRun(), "ToDisable", "C:\\d.exe");
    const std::string link = where_.userStartupFolder + "\\Made Elsewhere.lnk";
    MakeShortcut(link, "C:\\elsewhere.exe", "--quiet --tray", "C:\\work");
    const RawValue bareBefore = GetRaw(HKEY_CURRENT_USER, userRun(), "Bare");
    const RawValue expandBefore = GetRaw(HKEY_CURRENT_USER, userRun(), "Expand");
    const std::string linkBefore = testing_support::ReadFileBytes(link);

    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    ASSERT_TRUE(page.SetRowChecked(RowOf(page, "ToDisable"), false));
    page.ApplyChanges();
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "ToDisable").exists);

    const RawValue bareAfter = GetRaw(HKEY_CURRENT_USER, userRun(), "Bare");
    const RawValue expandAfter = GetRaw(HKEY_CURRENT_USER, userRun(), "Expand");
    EXPECT_EQ(bareAfter.type, bareBefore.type);
    EXPECT_EQ(bareAfter.data, bareBefore.data);
    EXPECT_EQ(expandAfter.type, expandBefore.type);
    EXPECT_EQ(expandAfter.data, expandBefore.data);
    EXPECT_EQ(testing_support::ReadFileBytes(link), linkBefore);

    // A second Apply without changes touches nothing either.
    page.ApplyChanges();
    EXPECT_EQ(Kept(View::CurrentUser).size(), 1u);
    EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, userRun(), "Bare").data, bareBefore.data);
}

TEST_F(FrmStartup, AStartupShortcutIsKeptWholeUnderAFreeNameWhileDisabled) {
    const std::string link = where_.commonStartupFolder + "\\With Args.lnk";
    const std::string keeping = where_.allUsersKeepingFolder + "\\";
    const std::string app = "C:\\Program Files\\App\\app.exe";
    MakeShortcut(link, app, "/first", "C:\\Program Files\\App");
    Frm_Startup page(prompts_, where_);
    Open(page, View::AllUsers);
    ASSERT_EQ(page.Rows().size(), 1u);
    ASSERT_TRUE(page.SetRowChecked(0, false));
    page.ApplyChanges();
    EXPECT_FALSE(Exists(link));
    EXPECT_TRUE(InKeepingFile(View::AllUsers, "With Args"));

    // The program makes its shortcut again, and it is disabled again.
    MakeShortcut(link, app, "/second", "C:\\Program Files\\App");
    page.Mnu_Pop_Refresh_Click();
    ASSERT_EQ(page.Rows().size(), 1u);  // the kept copy is the same entry in the same place
    ASSERT_TRUE(page.SetRowChecked(0, false));
    page.ApplyChanges();
    EXPECT_EQ(page.balloonText, "");
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(ReadShortcut(keeping + "With Args.lnk").arguments, "/first");
    EXPECT_EQ(ReadShortcut(keeping + "With Args (2).lnk").arguments, "/second");

    // Enabling the second gives it its own name back; the first stays kept.
    page.Mnu_Pop_Refresh_Click();
    ASSERT_EQ(page.Rows().size(), 2u);
    const int second = page.Rows()[0].entry.keptFile.empty() ? 1 : 0;
    EXPECT_EQ(page.Rows()[second].entry.keptFile, "With Args (2).lnk");
    ASSERT_TRUE(page.SetRowChecked(second, true));
    page.ApplyChanges();
    const ShortcutInfo back = ReadShortcut(link);
    EXPECT_EQ(back.target, app);
    EXPECT_EQ(back.arguments, "/second");
    EXPECT_EQ(back.workingFolder, "C:\\Program Files\\App");
    EXPECT_FALSE(Exists(keeping + "With Args (2).lnk"));
    const auto kept = Kept(View::AllUsers);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(KeptShortcutName(kept[0]), "With Args.lnk");
}

TEST_F(FrmStartup, KeptEntriesGoBackToTheirOwnPlaceAndNeverOverAnother) {
    for (const char* name : {"Foo", "Bar", "Other"}) SetText(HKEY_CURRENT_USER, machineRun(), name, "C:\\x.exe");
    SetText(HKEY_CURRENT_USER, machineRun(), "Updater", "C:\\new\\updater.exe");
    ASSERT_TRUE(WriteKeepingFile(where_.allUsersKeepingFile,
                                 {// Twins of active entries in another place: the 32-bit key, the startup folder.
                                  {"Foo", "C:\\x.exe", origin(machineRun32(), "Foo"), kRegSz},
                                  // Kept by an older version, without its shortcut: made anew, even for a script.
                                  {"Bar", "C:\\scripts\\bar.bat", where_.commonStartupFolder + "|1", 0},
                                  // An updater's value disabled twice: two lines for one value.
                                  {"Upd", "C:\\v1\\upd.exe", origin(machineRun(), "Upd"), kRegSz},
                                  {"Upd", "C:\\v2\\upd.exe", origin(machineRun(), "Upd"), kRegSz},
                                  // The place of an active entry of another command: listed, never enabled.
                                  {"updater", "C:\\old\\updater.exe", origin(machineRun(), "updater"), kRegSz},
                                  // The same entry, back by other means: hidden.
                                  {"OTHER", "  c:\\X.exe ", origin(machineRun(), "OTHER"), kRegSz}}));
    Frm_Startup page(prompts_, where_);
    Open(page, View::AllUsers);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Bar", "Bar(off)", "Foo", "Foo(off)", "Other", "Upd(off)",
                                                     "Upd(off)", "Updater", "updater(off)"}));
    const int conflict = RowOf(page, "updater");
    EXPECT_TRUE(page.Rows()[conflict].conflict);
    EXPECT_FALSE(page.SetRowChecked(conflict, true));
    page.SelectRow(conflict);
    page.Mnu_Pop_Delete_Click();  // refused before any question
    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_NE(prompts_.messages[0].text.find("same name"), std::string::npos);
    for (int i = 0; i < static_cast<int>(page.Rows().size()); ++i) {
        if (i == conflict) continue;
        ASSERT_TRUE(page.SetRowChecked(i, true));
    }
    page.ApplyChanges();

    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun32(), "Foo"), "C:\\x.exe");
    EXPECT_EQ(ReadShortcut(where_.commonStartupFolder + "\\Bar.lnk").target, "C:\\scripts\\bar.bat");
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun(), "Bar"), "C:\\x.exe");
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun(), "Updater"), "C:\\new\\updater.exe");
    // The first Upd went back; the second is refused rather than written over it.
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun(), "Upd"), "C:\\v1\\upd.exe");
    ASSERT_EQ(prompts_.messages.size(), 3u);
    EXPECT_NE(prompts_.messages[2].text.find("\"Upd\" has the same name"), std::string::npos);
    std::vector<std::string> kept;
    for (const StartupEntry& entry : Kept(View::AllUsers)) kept.push_back(entry.command);
    EXPECT_EQ(kept, (std::vector<std::string>{"C:\\v2\\upd.exe", "C:\\old\\updater.exe", "  c:\\X.exe "}));
    EXPECT_EQ(page.balloonText, "");
}

TEST_F(FrmStartup, AKeepingFileThatCannotBeReadIsNeverReplaced) {
    const std::string file = where_.currentUserKeepingFile;
    for (const bool held : {true, false}) {
        SCOPED_TRACE(held ? "held by another program" : "damaged");
        SetText(HKEY_CURRENT_USER, userRun(), "Tool", "C:\\tool.exe");
        if (held) {
            ASSERT_TRUE(WriteKeepingFile(file, {{"Old", "C:\\old.exe", origin(userRun(), "Old"), kRegSz}}));
        } else {  // the count is spoilt, the entry's lines are whole
            testing_support::WriteFile(file, "[Main]\r\nkn=?\r\n[Programs]\r\nProg1=Old\r\nCommand1=C:\\old.exe\r\n");
        }
        const std::string before = testing_support::ReadFileBytes(file);
        prompts_.messages.clear();
        {
            platform::UniqueHandle hold;
            if (held) {
                hold.reset(::CreateFileW(platform::ToWide(file).c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
                ASSERT_TRUE(hold.valid());
            }
            Frm_Startup page(prompts_, where_);
            Open(page, View::CurrentUser);
            EXPECT_EQ(Names(page), (std::vector<std::string>{"Tool"}));
            EXPECT_NE(page.balloonText.find("\"Css.ini\""), std::string::npos);
            ASSERT_TRUE(page.SetRowChecked(0, false));
            page.ApplyChanges();
            ASSERT_EQ(prompts_.messages.size(), 1u);
            EXPECT_NE(prompts_.messages[0].text.find("Nothing was changed"), std::string::npos);
            EXPECT_FALSE(page.Rows()[0].checked);  // kept for another try
        }
        EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Tool"), "C:\\tool.exe");
        EXPECT_EQ(testing_support::ReadFileBytes(file), before);
    }
}

TEST_F(FrmStartup, KilledAfterAnyStepOfApplyNothingIsLost) {
    struct Entry {
        std::string name;
        bool folder;
    };
    const std::vector<Entry> entries = {{"RegA", false}, {"RegB", false}, {"LinkA", true}, {"LinkB", true}};
    const auto arrange = [&] {
        // RegA and LinkA are active, RegB and LinkB are kept.
        SetText(HKEY_CURRENT_USER, userRun(), "RegA", "C:\\a.exe");
        DeleteValue(HKEY_CURRENT_USER, userRun(), "RegB");
        MakeShortcut(where_.userStartupFolder + "\\LinkA.lnk", "C:\\la.exe", "-a");
        ::DeleteFileW(platform::ToWide(where_.userStartupFolder + "\\LinkB.lnk").c_str());
        ::DeleteFileW(platform::ToWide(where_.currentUserKeepingFolder + "\\LinkA.lnk").c_str());
        testing_support::MakeFolder(where_.currentUserKeepingFolder);
        MakeShortcut(where_.currentUserKeepingFolder + "\\LinkB.lnk", "C:\\lb.exe", "-b");
        ASSERT_TRUE(WriteKeepingFile(where_.currentUserKeepingFile,
                                     {{"RegB", "C:\\b.exe", origin(userRun(), "RegB"), kRegSz},
                                      {"LinkB", "C:\\lb.exe", where_.userStartupFolder + "|2", 0}}));
    };
    const auto everyEntryIsSomewhere = [&](int stopAt) {
        const auto kept = Kept(View::CurrentUser);
        for (const Entry& e : entries) {
            const bool inFile =
                std::any_of(kept.begin(), kept.end(), [&](const StartupEntry& k) { return k.name == e.name; });
            bool inSystem, recoverable = true;
            if (e.folder) {
                inSystem = Exists(where_.userStartupFolder + "\\" + e.name + ".lnk");
                // A kept shortcut must still be whole somewhere.
                if (!inSystem) recoverable = Exists(where_.currentUserKeepingFolder + "\\" + e.name + ".lnk");
            } else {
                inSystem = GetRaw(HKEY_CURRENT_USER, userRun(), e.name).exists;
            }
            EXPECT_TRUE(inSystem || (inFile && recoverable)) << e.name << " lost when stopped after step " << stopAt;
        }
    };

    struct Stop {};
    int steps = 0;
    for (int stopAt = 1;; ++stopAt) {
        arrange();
        Frm_Startup page(prompts_, where_);
        Open(page, View::CurrentUser);
        ASSERT_EQ(page.Rows().size(), 4u);
        for (const Entry& e : entries)
            ASSERT_TRUE(page.SetRowChecked(RowOf(page, e.name), !page.Rows()[RowOf(page, e.name)].checked));
        int step = 0;
        page.applyStepHook = [&](const std::string&) {
            if (++step == stopAt) throw Stop{};
        };
        bool stopped = false;
        try {
            page.ApplyChanges();
        } catch (const Stop&) {
            stopped = true;
        }
        everyEntryIsSomewhere(stopAt);
        if (!stopped) {
            steps = step;
            break;
        }
    }
    // Written, two taken out, two put back, written again.
    EXPECT_EQ(steps, 6);
    // The finished apply swapped them.
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "RegA").exists);
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "RegB"), "C:\\b.exe");
    EXPECT_EQ(ReadShortcut(where_.userStartupFolder + "\\LinkB.lnk").arguments, "-b");
    EXPECT_EQ(ReadShortcut(where_.currentUserKeepingFolder + "\\LinkA.lnk").arguments, "-a");
}

TEST_F(FrmStartup, AChangeWindowsRefusesIsShownAsNotDone) {
    const std::string link = where_.userStartupFolder + "\\Held.lnk";
    MakeShortcut(link, "C:\\held.exe");
    // A kept registry entry whose key cannot be created (a name part longer
    // than the registry allows).
    const std::string badKey = userRun() + "\\" + std::string(300, 'k');
    ASSERT_TRUE(WriteKeepingFile(where_.currentUserKeepingFile,
                                 {{"Blocked", "C:\\blocked.exe", origin(badKey, "Blocked"), kRegSz}}));
    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    ASSERT_EQ(page.Rows().size(), 2u);
    ASSERT_TRUE(page.SetRowChecked(RowOf(page, "Held"), false));
    ASSERT_TRUE(page.SetRowChecked(RowOf(page, "Blocked"), true));
    {
        // Held open without delete sharing, the shortcut cannot be moved.
        platform::UniqueHandle open(::CreateFileW(platform::ToWide(link).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(open.valid());
        page.ApplyChanges();
    }
    EXPECT_TRUE(page.Rows()[RowOf(page, "Held")].checked);
    EXPECT_FALSE(page.Rows()[RowOf(page, "Blocked")].checked);
    EXPECT_EQ(page.balloonText, "2 items could not be changed. The list shows them as they are now.");
    EXPECT_TRUE(Exists(link));
    const auto kept = Kept(View::CurrentUser);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].name, "Blocked");
    EXPECT_TRUE(page.applyEnabled && page.selectorEnabled && page.toolsEnabled);

    // Once the shortcut is free, the same row can be applied again.
    ASSERT_TRUE(page.SetRowChecked(RowOf(page, "Held"), false));
    ASSERT_TRUE(page.SetRowChecked(RowOf(page, "Blocked"), false));
    page.ApplyChanges();
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(page.balloonText, "");
}

TEST_F(FrmStartup, AValueThatIsNotTextCannotBeDisabled) {
    const DWORD number = 1;
    SetRaw(HKEY_CURRENT_USER, userRun(), "Flag", REG_DWORD, &number, 4);
    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    EXPECT_FALSE(page.SetRowChecked(0, false));
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_NE(prompts_.messages[0].text.find("not text"), std::string::npos);
    EXPECT_TRUE(page.Rows()[0].checked);

    // Changed behind the page's back after the load: still refused at Apply.
    SetText(HKEY_CURRENT_USER, userRun(), "Text", "C:\\t.exe");
    page.Mnu_Pop_Refresh_Click();
    ASSERT_TRUE(page.SetRowChecked(RowOf(page, "Text"), false));
    SetRaw(HKEY_CURRENT_USER, userRun(), "Text", REG_BINARY, "ab", 2);
    page.ApplyChanges();
    EXPECT_EQ(prompts_.messages.size(), 2u);
    EXPECT_TRUE(page.Rows()[RowOf(page, "Text")].checked);
    EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, userRun(), "Text").type, static_cast<DWORD>(REG_BINARY));
    EXPECT_FALSE(Exists(where_.currentUserKeepingFile));
}

TEST_F(FrmStartup, SwitchingViewsAsksAboutUnappliedMarks) {
    SetText(HKEY_CURRENT_USER, userRun(), "User", "C:\\u.exe");
    SetText(HKEY_CURRENT_USER, machineRun(), "Machine", "C:\\m.exe");
    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    ASSERT_TRUE(page.SetRowChecked(0, false));

    // F5 reloads without asking; the mark is dropped.
    page.Mnu_Pop_Refresh_Click();
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_TRUE(page.Rows()[0].checked);

    // Switching asks once; No drops the marks and loads the other view. The
    // selection of the old list is never a row of the new one.
    ASSERT_TRUE(page.SetRowChecked(0, false));
    page.SelectRow(0);
    int staleSelections = 0;
    page.onChanged = [&] {
        if (page.SelectedRow() >= static_cast<int>(page.Rows().size())) ++staleSelections;
    };
    prompts_.messageAnswers = {core::PromptAnswer::No};
    page.Cmb_View_Click(1);
    EXPECT_EQ(staleSelections, 0);
    page.onChanged = nullptr;
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text,
              "The settings in Current User has changed.\r\nDo you want to save the changes ?");
    EXPECT_EQ(prompts_.messages[0].title, "Clarimo");
    EXPECT_EQ(prompts_.messages[0].icon, core::PromptIcon::Exclamation);
    EXPECT_EQ(page.ShownView(), 1);
    EXPECT_EQ(page.SelectorIndex(), 1);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Machine"}));
    page.Cmb_View_Click(0);
    EXPECT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"User"}));

    // Yes applies the shown view's marks, then switches.
    ASSERT_TRUE(page.SetRowChecked(0, false));
    prompts_.messageAnswers = {core::PromptAnswer::Yes};
    page.Cmb_View_Click(1);
    EXPECT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(page.ShownView(), 1);
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "User").exists);
    EXPECT_TRUE(InKeepingFile(View::CurrentUser, "User"));
    EXPECT_FALSE(Exists(where_.allUsersKeepingFile));
}

TEST_F(FrmStartup, DeleteRemovesAnEntryForGood) {
    SetText(HKEY_CURRENT_USER, userRun(), "Active", "C:\\a.exe");
    SetText(HKEY_CURRENT_USER, userRun(), "Pending", "C:\\p.exe");
    MakeShortcut(where_.userStartupFolder + "\\Linked.lnk", "C:\\l.exe");
    ASSERT_TRUE(
        WriteKeepingFile(where_.currentUserKeepingFile, {{"Kept", "C:\\k.exe", origin(userRun(), "Kept"), kRegSz},
                                                         {"Kept2", "C:\\k2.exe", origin(userRun(), "Kept2"), kRegSz}}));
    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    ASSERT_EQ(page.Rows().size(), 5u);

    // No keeps everything.
    page.SelectRow(RowOf(page, "Active"));
    prompts_.messageAnswers = {core::PromptAnswer::No};
    page.Mnu_Pop_Delete_Click();
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, "Are you sure you want to remove this program from the list ?");
    EXPECT_EQ(prompts_.messages[0].title, "Confirm Item Delete");
    EXPECT_EQ(page.Rows().size(), 5u);

    // A pending mark is not applied by a deletion.
    ASSERT_TRUE(page.SetRowChecked(RowOf(page, "Pending"), false));
    page.SelectRow(RowOf(page, "Kept"));
    page.Mnu_Pop_Delete_Click();
    EXPECT_EQ(RowOf(page, "Kept"), -1);
    EXPECT_FALSE(InKeepingFile(View::CurrentUser, "Kept"));
    EXPECT_TRUE(InKeepingFile(View::CurrentUser, "Kept2"));
    EXPECT_FALSE(InKeepingFile(View::CurrentUser, "Pending"));
    EXPECT_TRUE(GetRaw(HKEY_CURRENT_USER, userRun(), "Pending").exists);
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "Kept").exists);

    page.SelectRow(RowOf(page, "Active"));
    page.Mnu_Pop_Delete_Click();
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "Active").exists);
    page.SelectRow(RowOf(page, "Linked"));
    page.Mnu_Pop_Delete_Click();
    EXPECT_FALSE(Exists(where_.userStartupFolder + "\\Linked.lnk"));
    EXPECT_EQ(page.caption1, "Startup Items : 2");
    EXPECT_TRUE(page.SkipChangeCheck());
}

TEST_F(FrmStartup, MenuEntriesFollowTheSelection) {
    const std::string exe = temp_ / "real.exe";
    testing_support::WriteFile(exe, "MZ");
    SetText(HKEY_CURRENT_USER, userRun(), "Real", "\"" + exe + "\" -min");
    SetText(HKEY_CURRENT_USER, userRun(), "NoPath", "rundll32.exe shell32.dll,Control_RunDLL");
    Frm_Startup page(prompts_, where_);
    int allProperties = 0;
    page.onAllProperties = [&] { ++allProperties; };
    Open(page, View::CurrentUser);

    PopupState popup = page.PreparePopup();
    EXPECT_EQ(popup.toggleCaption, "Disable");
    EXPECT_FALSE(popup.toggleEnabled || popup.deleteEnabled || popup.runEnabled || popup.folderEnabled);
    EXPECT_EQ(popup.propertiesCaption, "All Properties");
    page.Mnu_Pop_Properties_Click();
    EXPECT_EQ(allProperties, 1);

    page.SelectRow(RowOf(page, "Real"));
    EXPECT_EQ(page.picturePath, exe);
    page.Mnu_Pop_Toggle_Click();
    popup = page.PreparePopup();
    EXPECT_EQ(popup.toggleCaption, "Enable");
    EXPECT_TRUE(popup.toggleEnabled && popup.deleteEnabled && popup.runEnabled && popup.folderEnabled);
    EXPECT_EQ(popup.propertiesCaption, "Properties");
    EXPECT_FALSE(page.Rows()[RowOf(page, "Real")].checked);

    page.SelectRow(RowOf(page, "NoPath"));
    page.Mnu_Pop_Run_Click();
    page.Mnu_Pop_Folder_Click();
    page.Mnu_Pop_Properties_Click();
    ASSERT_EQ(prompts_.messages.size(), 3u);
    EXPECT_EQ(prompts_.messages[0].text, "Can't open selected progeam, This program is not exists.");
    EXPECT_EQ(prompts_.messages[1].text, "Can't open the progeam folder, Program folder is not exists.");
    EXPECT_EQ(prompts_.messages[2].text, "Can't display program properties dialog, This program is not exists.");
    for (const auto& m : prompts_.messages) EXPECT_EQ(m.icon, core::PromptIcon::Exclamation);
}

TEST_F(FrmStartup, DisplaySettingsAreReadWithTheirRangesAndSaved) {
    core::SetSettingsPaths(temp_.path());
    core::WriteIni(core::MainIniPath, "Startup", "Srt", "2");
    core::WriteIni(core::MainIniPath, "Startup", "Col", "5");
    core::WriteIni(core::MainIniPath, "Startup", "Indx", "7");
    SetText(HKEY_CURRENT_USER, machineRun(), "B", "C:\\b.exe");
    SetText(HKEY_CURRENT_USER, machineRun(), "a", "C:\\a.exe");
    {
        Frm_Startup page(prompts_, where_);
        page.Tm_Start_Timer();
        EXPECT_EQ(page.SortOrder(), 1);
        EXPECT_EQ(page.SortColumn(), 1);
        EXPECT_EQ(page.SelectorIndex(), 1);
        EXPECT_EQ(page.ViewMode(), 3);  // Cv missing: Details
        EXPECT_EQ(Names(page), (std::vector<std::string>{"a", "B"}));
        page.ColumnClick(1);
        page.SetViewMode(2);
        page.Form_Unload();
    }
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Startup", "Srt", ""), "2");
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Startup", "Col", ""), "1");
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Startup", "Indx", ""), "1");
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Startup", "Cv", ""), "2");
    Frm_Startup again(prompts_, where_);
    again.Tm_Start_Timer();
    EXPECT_EQ(Names(again), (std::vector<std::string>{"B", "a"}));
    core::MainIniPath.clear();
    core::AssIniPath.clear();
    core::CssIniPath.clear();
    core::FtsIniPath.clear();
}
