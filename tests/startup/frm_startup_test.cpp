#include "startup/frm_startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "core/settings.h"
#include "platform/handles.h"
#include "platform/utf.h"
#include "startup/frm_all_prop.h"
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
    SetText(HKEY_CURRENT_USER, userRun(), "Tool", "C:\\a\\tool.exe -min");
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
    // The blank names take positions 1 and 2; Zed keeps position 3.
    EXPECT_EQ(rows[RowOf(page, "Zed")].entry.originKey, folder + "|3");
    EXPECT_EQ(rows[RowOf(page, "Zed")].entry.command, "C:\\zed.exe");
    EXPECT_EQ(page.caption1, "Startup Items : 4");
    EXPECT_EQ(page.caption2, "Startup Items For : Current User");

    page.SelectRow(RowOf(page, "Tool"));
    EXPECT_EQ(page.caption1, "Tool");
    EXPECT_EQ(page.caption2, "Target : C:\\a\\tool.exe -min");

    // By Command, ascending then descending; the selection follows its row.
    page.ColumnClick(2);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Number", "Tool", "Once", "Zed"}));
    page.ColumnClick(2);
    EXPECT_EQ(page.SortOrder(), 2);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Zed", "Once", "Tool", "Number"}));
    EXPECT_EQ(page.SelectedRow(), 2);
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
    const auto state = [&] {
        const RawValue bare = GetRaw(HKEY_CURRENT_USER, userRun(), "Bare");
        const RawValue expand = GetRaw(HKEY_CURRENT_USER, userRun(), "Expand");
        return std::make_tuple(bare.type, bare.data, expand.type, expand.data, testing_support::ReadFileBytes(link));
    };
    const auto before = state();

    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    ASSERT_TRUE(page.SetRowChecked(RowOf(page, "ToDisable"), false));
    page.ApplyChanges();
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "ToDisable").exists);
    EXPECT_TRUE(state() == before);
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
    EXPECT_EQ(ReadShortcut(link).arguments, "/second");
    EXPECT_FALSE(Exists(keeping + "With Args (2).lnk"));
    const auto kept = Kept(View::AllUsers);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(KeptFileName(kept[0]), "With Args.lnk");
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
    EXPECT_EQ(Names(page), (std::vector<std::string>{"Machine"}));
    page.Cmb_View_Click(0);
    EXPECT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"User"}));

    // Yes applies the shown view's marks, then switches.
    ASSERT_TRUE(page.SetRowChecked(0, false));
    prompts_.messageAnswers = {core::PromptAnswer::Yes};
    page.Cmb_View_Click(1);
    EXPECT_EQ(page.ShownView(), 1);
    EXPECT_TRUE(InKeepingFile(View::CurrentUser, "User"));
}

TEST_F(FrmStartup, DeleteRemovesAnEntryForGood) {
    SetText(HKEY_CURRENT_USER, userRun(), "Active", "C:\\a.exe");
    SetText(HKEY_CURRENT_USER, userRun(), "Pending", "C:\\p.exe");
    ASSERT_TRUE(
        WriteKeepingFile(where_.currentUserKeepingFile, {{"Kept", "C:\\k.exe", origin(userRun(), "Kept"), kRegSz},
                                                         {"Kept2", "C:\\k2.exe", origin(userRun(), "Kept2"), kRegSz}}));
    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    // No keeps everything.
    page.SelectRow(RowOf(page, "Active"));
    prompts_.messageAnswers = {core::PromptAnswer::No};
    page.Mnu_Pop_Delete_Click();
    EXPECT_EQ(prompts_.messages.at(0).text, "Are you sure you want to remove this program from the list ?");
    EXPECT_EQ(page.Rows().size(), 4u);

    // A pending mark is not applied by a deletion.
    ASSERT_TRUE(page.SetRowChecked(RowOf(page, "Pending"), false));
    page.SelectRow(RowOf(page, "Kept"));
    page.Mnu_Pop_Delete_Click();
    EXPECT_EQ(RowOf(page, "Kept"), -1);
    EXPECT_FALSE(InKeepingFile(View::CurrentUser, "Kept"));
    EXPECT_TRUE(InKeepingFile(View::CurrentUser, "Kept2"));
    EXPECT_TRUE(GetRaw(HKEY_CURRENT_USER, userRun(), "Pending").exists);

    page.SelectRow(RowOf(page, "Active"));
    page.Mnu_Pop_Delete_Click();
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "Active").exists);
    EXPECT_EQ(page.caption1, "Startup Items : 2");
}

TEST_F(FrmStartup, MenuEntriesFollowTheSelection) {
    const std::string exe = temp_ / "real.exe";
    testing_support::WriteFile(exe, "MZ");
    SetText(HKEY_CURRENT_USER, userRun(), "Real", "\"" + exe + "\" -min");
    SetText(HKEY_CURRENT_USER, userRun(), "NoPath", "no-such-program.exe /x");
    Frm_Startup page(prompts_, where_);
    int allProperties = 0;
    page.onAllProperties = [&] { ++allProperties; };
    Open(page, View::CurrentUser);
    WaitForProgramInfo(page);

    EXPECT_EQ(page.PreparePopup().propertiesCaption, "All Properties");
    page.Mnu_Pop_Properties_Click();
    EXPECT_EQ(allProperties, 1);

    page.SelectRow(RowOf(page, "Real"));
    EXPECT_EQ(page.picturePath, exe);
    page.Mnu_Pop_Toggle_Click();
    EXPECT_EQ(page.PreparePopup().toggleCaption, "Enable");
    EXPECT_FALSE(page.Rows()[RowOf(page, "Real")].checked);

    page.SelectRow(RowOf(page, "NoPath"));
    page.Mnu_Pop_Run_Click();
    page.Mnu_Pop_Folder_Click();
    page.Mnu_Pop_Properties_Click();
    ASSERT_EQ(prompts_.messages.size(), 3u);
    EXPECT_EQ(prompts_.messages[0].text, "Can't open selected progeam, This program is not exists.");
    EXPECT_EQ(prompts_.messages[1].text, "Can't open the progeam folder, Program folder is not exists.");
    EXPECT_EQ(prompts_.messages[2].text, "Can't display program properties dialog, This program is not exists.");
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

TEST_F(FrmStartup, WindowsOwnOffStateAndPolicyRowsAreShownButNeverChanged) {
    SetText(HKEY_CURRENT_USER, userRun(), "On", "C:\\on.exe");
    SetText(HKEY_CURRENT_USER, userRun(), "Off", "C:\\off.exe");
    SetText(HKEY_CURRENT_USER, userRun(), "Off6", "C:\\off6.exe");
    testing_support::WriteFile(where_.userStartupFolder + "\\Script.bat", "@echo off\r\n");
    const struct {
        std::string key, name;
        unsigned char first;
    } states[] = {{approvedRun(), "On", 0x02},
                  {approvedRun(), "Off", 0x03},
                  {approvedRun(), "Off6", 0x07},
                  {approvedFolder(), "Script.bat", 0x03}};
    for (const auto& state : states) {
        const unsigned char bytes[12] = {state.first};
        SetRaw(HKEY_CURRENT_USER, state.key, state.name, REG_BINARY, bytes, sizeof bytes);
    }
    SetText(HKEY_CURRENT_USER, userPolicy(), "1", "C:\\policy.exe");
    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    std::vector<std::string> statuses;
    for (const StartupRow& row : page.Rows()) statuses.push_back(row.entry.name + ":" + StatusText(row.entry));
    EXPECT_EQ(statuses, (std::vector<std::string>{"1:Policy", "Off:Disabled by Windows", "Off6:Disabled by Windows",
                                                  "On:", "Script.bat:Disabled by Windows"}));

    // The report says so too.
    Frm_AllProp report(prompts_, where_);
    report.LoadGroups();
    std::vector<std::string> reported;
    for (const AllPropRow& row : report.rows) reported.push_back(row.text + ":" + row.status);
    EXPECT_NE(std::find(reported.begin(), reported.end(), "Off:Disabled by Windows"), reported.end());

    // A policy row refuses every change; the menu offers none.
    const int policy = RowOf(page, "1");
    EXPECT_FALSE(page.SetRowChecked(policy, false));
    page.SelectRow(policy);
    EXPECT_FALSE(page.PreparePopup().toggleEnabled || page.PreparePopup().deleteEnabled);
    page.Mnu_Pop_Delete_Click();
    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_NE(prompts_.messages[1].text.find("set by a system policy"), std::string::npos);
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userPolicy(), "1"), "C:\\policy.exe");

    // Disabling and enabling an entry Windows turns off leaves Windows' value alone.
    const RawValue before = GetRaw(HKEY_CURRENT_USER, approvedRun(), "Off");
    for (const bool checked : {false, true}) {
        ASSERT_TRUE(page.SetRowChecked(RowOf(page, "Off"), checked));
        page.ApplyChanges();
        page.Mnu_Pop_Refresh_Click();
    }
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Off"), "C:\\off.exe");
    EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, approvedRun(), "Off").data, before.data);
    EXPECT_EQ(StatusText(page.Rows()[RowOf(page, "Off")].entry), "Disabled by Windows");
}

TEST_F(FrmStartup, ScriptsAndLinksInTheStartupFolderAreKeptWithTheirContent) {
    const std::string folder = where_.userStartupFolder + "\\";
    const std::map<std::string, std::string> files = {{"run.bat", "@echo run\r\n"},
                                                      {"site.url", "[InternetShortcut]\r\nURL=http://127.0.0.1/\r\n"}};
    for (const auto& [name, content] : files) testing_support::WriteFile(folder + name, content);
    testing_support::WriteFile(folder + "notes.txt", "not started");
    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    EXPECT_EQ(Names(page), (std::vector<std::string>{"run.bat", "site.url"}));
    EXPECT_EQ(page.Rows()[0].entry.command, folder + "run.bat");

    for (const bool checked : {false, true}) {
        for (const auto& [name, content] : files) ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), checked));
        page.ApplyChanges();
        EXPECT_EQ(page.balloonText, "");
        const std::string place = checked ? folder : where_.currentUserKeepingFolder + "\\";
        for (const auto& [name, content] : files) {
            EXPECT_EQ(testing_support::ReadFileBytes(place + name), content) << name << checked;
            EXPECT_EQ(Exists(folder + name), checked) << name;
        }
        page.Mnu_Pop_Refresh_Click();
        EXPECT_EQ(Names(page), checked ? (std::vector<std::string>{"run.bat", "site.url"})
                                       : (std::vector<std::string>{"run.bat(off)", "site.url(off)"}));
    }
    EXPECT_FALSE(Exists(where_.currentUserKeepingFile));
}

TEST_F(FrmStartup, ProgramsAreFoundAsWindowsWouldOnAWorker) {
    const std::map<std::string, std::string> commands = {
        {"Expanded", "%SystemRoot%\\system32\\notepad.exe /a"},
        {"Quoted", "\"%SystemRoot%\\regedit.exe\" /s"},
        {"Bare", "notepad"},
        {"Missing", "Q:\\nowhere\\missing.exe"},
    };
    for (const auto& [name, command] : commands) SetText(HKEY_CURRENT_USER, userRun(), name, command, REG_EXPAND_SZ);
    Frm_Startup page(prompts_, where_);
    Open(page, View::CurrentUser);
    // The rows are there at once; what they start comes later.
    ASSERT_EQ(page.Rows().size(), 4u);
    for (const StartupRow& row : page.Rows()) EXPECT_FALSE(row.program) << row.entry.name;
    WaitForProgramInfo(page);

    const std::string windows = platform::ToUtf8(_wgetenv(L"SystemRoot"));
    const auto program = [&](const std::string& name) { return page.Rows()[RowOf(page, name)].program; };
    EXPECT_EQ(program("Expanded")->path, windows + "\\system32\\notepad.exe");
    EXPECT_EQ(program("Quoted")->path, windows + "\\regedit.exe");
    EXPECT_TRUE(SameText(program("Bare")->path.substr(program("Bare")->path.size() - 12), "\\notepad.exe"));
    for (const char* name : {"Expanded", "Quoted", "Bare"}) {
        EXPECT_TRUE(program(name)->exists && program(name)->largeIcon && program(name)->smallIcon) << name;
        EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), name), commands.at(name));  // stored as it was
    }
    EXPECT_FALSE(program("Missing")->exists);
    page.SelectRow(RowOf(page, "Quoted"));
    EXPECT_EQ(page.picturePath, windows + "\\regedit.exe");

    // Sorting and switching views read nothing again.
    const ProgramInfoPtr before = program("Bare");
    page.ColumnClick(2);
    Open(page, View::AllUsers);
    Open(page, View::CurrentUser);
    EXPECT_TRUE(page.ProgramInfoComplete());
    EXPECT_EQ(program("Bare"), before);
}
