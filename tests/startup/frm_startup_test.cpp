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
using Names = std::vector<std::string>;

namespace {

class FrmStartup : public StartupPlaces {
protected:
    testing_support::ScriptedPrompts prompts_;
    Frm_Startup page_{prompts_, where_};

    // The rows' names, "(off)" after an unchecked one.
    Names Listed() const {
        Names names;
        for (const auto& row : page_.Rows()) names.push_back(row.entry.name + (row.checked ? "" : "(off)"));
        return names;
    }
    std::vector<StartupEntry> Kept(View view) { return ReadKeepingFile(where_.KeepingFile(view)); }
    bool InKeepingFile(View view, const std::string& name) {
        const auto kept = Kept(view);
        return std::any_of(kept.begin(), kept.end(), [&](const StartupEntry& e) { return e.name == name; });
    }
    // Opens the view as the start timer would.
    void Open(View view) { page_.Cmb_View_Click(static_cast<int>(view)); }
    void Mark(const std::string& name, bool checked) { ASSERT_TRUE(page_.SetRowChecked(RowOf(page_, name), checked)); }
    std::string Message(size_t i) const { return i < prompts_.messages.size() ? prompts_.messages[i].text : ""; }
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
    Open(View::CurrentUser);
    EXPECT_EQ(Listed(), (Names{"Number", "Once", "Tool", "Zed"}));  // sorted by Item
    const auto& rows = page_.Rows();
    EXPECT_EQ(rows[0].entry.command, "");
    EXPECT_EQ(rows[2].entry.originKey, origin(userRun(), "Tool"));
    // The blank names take positions 1 and 2; Zed keeps position 3.
    EXPECT_EQ(rows[3].entry.originKey, folder + "|3");
    EXPECT_EQ(rows[3].entry.command, "C:\\zed.exe");
    EXPECT_EQ(page_.caption1 + "/" + page_.caption2, "Startup Items : 4/Startup Items For : Current User");
    page_.SelectRow(2);
    EXPECT_EQ(page_.caption1 + "/" + page_.caption2, "Tool/Target : C:\\a\\tool.exe -min");

    // By Command, ascending then descending; the selection follows its row.
    page_.ColumnClick(2);
    EXPECT_EQ(Listed(), (Names{"Number", "Tool", "Once", "Zed"}));
    page_.ColumnClick(2);
    EXPECT_EQ(Listed(), (Names{"Zed", "Once", "Tool", "Number"}));
    EXPECT_EQ(page_.SelectedRow(), 2);
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
        const RawValue b = GetRaw(HKEY_CURRENT_USER, userRun(), "Bare"),
                       e = GetRaw(HKEY_CURRENT_USER, userRun(), "Expand");
        return std::make_tuple(b.type, b.data, e.type, e.data, testing_support::ReadFileBytes(link));
    };
    const auto before = state();
    Open(View::CurrentUser);
    Mark("ToDisable", false);
    page_.ApplyChanges();
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "ToDisable").exists);
    EXPECT_TRUE(state() == before);
}

// A startup folder's files are moved whole into the keeping folder, under a
// free name when one of that name is kept already.
TEST_F(FrmStartup, StartupFolderFilesAreKeptWholeUnderAFreeName) {
    const std::string link = where_.commonStartupFolder + "\\With Args.lnk";
    const std::string keeping = where_.allUsersKeepingFolder + "\\";
    MakeShortcut(link, "C:\\App\\app.exe", "/first");
    const std::map<std::string, std::string> files = {{"run.bat", "@echo run\r\n"},
                                                      {"site.url", "[InternetShortcut]\r\nURL=http://127.0.0.1/\r\n"}};
    for (const auto& [name, content] : files)
        testing_support::WriteFile(where_.commonStartupFolder + "\\" + name, content);
    testing_support::WriteFile(where_.commonStartupFolder + "\\notes.txt", "not started");
    Open(View::AllUsers);
    EXPECT_EQ(Listed(), (Names{"run.bat", "site.url", "With Args"}));
    EXPECT_EQ(page_.Rows()[0].entry.command, where_.commonStartupFolder + "\\run.bat");
    for (const std::string& name : Listed()) Mark(name, false);
    page_.ApplyChanges();
    EXPECT_FALSE(Exists(link));
    for (const auto& [name, content] : files) EXPECT_EQ(testing_support::ReadFileBytes(keeping + name), content);

    // The program makes its shortcut again, and it is disabled again.
    MakeShortcut(link, "C:\\App\\app.exe", "/second");
    page_.Mnu_Pop_Refresh_Click();
    Mark("With Args", false);
    page_.ApplyChanges();
    EXPECT_EQ(page_.balloonText, "");
    EXPECT_EQ(ReadShortcut(keeping + "With Args.lnk").arguments, "/first");
    EXPECT_EQ(ReadShortcut(keeping + "With Args (2).lnk").arguments, "/second");

    // Enabled again, each under its own name and with its own content.
    page_.Mnu_Pop_Refresh_Click();
    const int second = page_.Rows()[2].entry.keptFile.empty() ? 3 : 2;
    EXPECT_EQ(page_.Rows()[second].entry.keptFile, "With Args (2).lnk");
    ASSERT_TRUE(page_.SetRowChecked(second, true));
    for (const auto& [name, content] : files) Mark(name, true);
    page_.ApplyChanges();
    EXPECT_EQ(ReadShortcut(link).arguments, "/second");
    for (const auto& [name, content] : files)
        EXPECT_EQ(testing_support::ReadFileBytes(where_.commonStartupFolder + "\\" + name), content);
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
    Open(View::AllUsers);
    EXPECT_EQ(Listed(), (Names{"Bar", "Bar(off)", "Foo", "Foo(off)", "Other", "Upd(off)", "Upd(off)", "Updater",
                               "updater(off)"}));
    const int conflict = RowOf(page_, "updater");
    EXPECT_FALSE(page_.SetRowChecked(conflict, true));
    page_.SelectRow(conflict);
    page_.Mnu_Pop_Delete_Click();  // refused before any question
    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_NE(Message(0).find("same name"), std::string::npos);
    for (int i = 0; i < static_cast<int>(page_.Rows().size()); ++i)
        EXPECT_EQ(page_.SetRowChecked(i, true), i != conflict);
    page_.ApplyChanges();

    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun32(), "Foo"), "C:\\x.exe");
    EXPECT_EQ(ReadShortcut(where_.commonStartupFolder + "\\Bar.lnk").target, "C:\\scripts\\bar.bat");
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun(), "Updater"), "C:\\new\\updater.exe");
    // The first Upd went back; the second is refused rather than written over it.
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun(), "Upd"), "C:\\v1\\upd.exe");
    EXPECT_NE(prompts_.messages.back().text.find("\"Upd\" has the same name"), std::string::npos);
    std::vector<std::string> kept;
    for (const StartupEntry& entry : Kept(View::AllUsers)) kept.push_back(entry.command);
    EXPECT_EQ(kept, (Names{"C:\\v2\\upd.exe", "C:\\old\\updater.exe", "  c:\\X.exe "}));
}

TEST_F(FrmStartup, AKeepingFileThatCannotBeReadIsNeverReplaced) {
    const std::string file = where_.currentUserKeepingFile;
    SetText(HKEY_CURRENT_USER, userRun(), "Tool", "C:\\tool.exe");
    for (const bool held : {true, false}) {
        SCOPED_TRACE(held ? "held by another program" : "damaged");
        if (held)
            ASSERT_TRUE(WriteKeepingFile(file, {{"Old", "C:\\old.exe", origin(userRun(), "Old"), kRegSz}}));
        else  // the count is spoilt, the entry's lines are whole
            testing_support::WriteFile(file, "[Main]\r\nkn=?\r\n[Programs]\r\nProg1=Old\r\nCommand1=C:\\old.exe\r\n");
        const std::string before = testing_support::ReadFileBytes(file);
        prompts_.messages.clear();
        platform::UniqueHandle hold;
        if (held)
            hold.reset(::CreateFileW(platform::ToWide(file).c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
        Open(View::CurrentUser);
        EXPECT_EQ(Listed(), (Names{"Tool"}));
        EXPECT_NE(page_.balloonText.find("\"Css.ini\""), std::string::npos);
        Mark("Tool", false);
        page_.ApplyChanges();
        EXPECT_NE(Message(0).find("Nothing was changed"), std::string::npos);
        EXPECT_FALSE(page_.Rows()[0].checked);  // kept for another try
        hold.reset();
        EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Tool"), "C:\\tool.exe");
        EXPECT_EQ(testing_support::ReadFileBytes(file), before);
        page_.SetSkipChangeCheck(true);
    }
}

TEST_F(FrmStartup, KilledAfterAnyStepOfApplyNothingIsLost) {
    const std::vector<std::pair<std::string, bool>> entries = {
        {"RegA", false}, {"RegB", false}, {"LinkA", true}, {"LinkB", true}};  // name, in the folder
    const std::string startup = where_.userStartupFolder + "\\", keeping = where_.currentUserKeepingFolder + "\\";
    const auto arrange = [&] {
        // RegA and LinkA are active, RegB and LinkB are kept.
        SetText(HKEY_CURRENT_USER, userRun(), "RegA", "C:\\a.exe");
        DeleteValue(HKEY_CURRENT_USER, userRun(), "RegB");
        MakeShortcut(startup + "LinkA.lnk", "C:\\la.exe", "-a");
        ::DeleteFileW(platform::ToWide(startup + "LinkB.lnk").c_str());
        ::DeleteFileW(platform::ToWide(keeping + "LinkA.lnk").c_str());
        testing_support::MakeFolder(where_.currentUserKeepingFolder);
        MakeShortcut(keeping + "LinkB.lnk", "C:\\lb.exe", "-b");
        ASSERT_TRUE(WriteKeepingFile(where_.currentUserKeepingFile,
                                     {{"RegB", "C:\\b.exe", origin(userRun(), "RegB"), kRegSz},
                                      {"LinkB", "C:\\lb.exe", where_.userStartupFolder + "|2", 0}}));
    };
    struct Stop {};
    int steps = 0;
    for (int stopAt = 1; steps == 0; ++stopAt) {
        arrange();
        Frm_Startup page(prompts_, where_);
        page.Cmb_View_Click(0);
        for (const auto& [name, folder] : entries)
            ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), !page.Rows()[RowOf(page, name)].checked));
        int step = 0;
        page.applyStepHook = [&](const std::string&) {
            if (++step == stopAt) throw Stop{};
        };
        try {
            page.ApplyChanges();
            steps = step;
        } catch (const Stop&) {
        }
        const auto kept = ReadKeepingFile(where_.currentUserKeepingFile);
        for (const auto& [name, folder] : entries) {
            const bool inFile =
                std::any_of(kept.begin(), kept.end(), [&](const StartupEntry& k) { return k.name == name; });
            // A kept shortcut must still be whole somewhere.
            const bool inSystem =
                folder ? Exists(startup + name + ".lnk") : GetRaw(HKEY_CURRENT_USER, userRun(), name).exists;
            const bool recoverable = !folder || Exists(keeping + name + ".lnk");
            EXPECT_TRUE(inSystem || (inFile && recoverable)) << name << " lost when stopped after step " << stopAt;
        }
    }
    // Written, two taken out, two put back, written again; the finished apply swapped them.
    EXPECT_EQ(steps, 6);
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "RegB"), "C:\\b.exe");
    EXPECT_EQ(ReadShortcut(startup + "LinkB.lnk").arguments, "-b");
    EXPECT_EQ(ReadShortcut(keeping + "LinkA.lnk").arguments, "-a");
}

TEST_F(FrmStartup, AChangeWindowsRefusesIsShownAsNotDone) {
    const std::string link = where_.userStartupFolder + "\\Held.lnk";
    MakeShortcut(link, "C:\\held.exe");
    // A kept registry entry whose key cannot be created (a name part longer
    // than the registry allows).
    const std::string badKey = userRun() + "\\" + std::string(300, 'k');
    ASSERT_TRUE(WriteKeepingFile(where_.currentUserKeepingFile,
                                 {{"Blocked", "C:\\blocked.exe", origin(badKey, "Blocked"), kRegSz}}));
    Open(View::CurrentUser);
    Mark("Held", false);
    Mark("Blocked", true);
    {
        // Held open without delete sharing, the shortcut cannot be moved.
        platform::UniqueHandle open(::CreateFileW(platform::ToWide(link).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
        page_.ApplyChanges();
    }
    EXPECT_EQ(Listed(), (Names{"Blocked(off)", "Held"}));
    EXPECT_EQ(page_.balloonText, "2 items could not be changed. The list shows them as they are now.");
    EXPECT_TRUE(Exists(link));
    EXPECT_TRUE(InKeepingFile(View::CurrentUser, "Blocked"));
    EXPECT_TRUE(page_.applyEnabled && page_.selectorEnabled && page_.toolsEnabled);
}

TEST_F(FrmStartup, AValueThatIsNotTextCannotBeDisabled) {
    const DWORD number = 1;
    SetRaw(HKEY_CURRENT_USER, userRun(), "Flag", REG_DWORD, &number, 4);
    SetText(HKEY_CURRENT_USER, userRun(), "Text", "C:\\t.exe");
    Open(View::CurrentUser);
    EXPECT_FALSE(page_.SetRowChecked(RowOf(page_, "Flag"), false));
    EXPECT_NE(Message(0).find("not text"), std::string::npos);

    // Changed behind the page's back after the load: still refused at Apply.
    Mark("Text", false);
    SetRaw(HKEY_CURRENT_USER, userRun(), "Text", REG_BINARY, "ab", 2);
    page_.ApplyChanges();
    EXPECT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(Listed(), (Names{"Flag", "Text"}));
    EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, userRun(), "Text").type, static_cast<DWORD>(REG_BINARY));
    EXPECT_FALSE(Exists(where_.currentUserKeepingFile));
}

TEST_F(FrmStartup, SwitchingViewsAsksAboutUnappliedMarks) {
    SetText(HKEY_CURRENT_USER, userRun(), "User", "C:\\u.exe");
    SetText(HKEY_CURRENT_USER, machineRun(), "Machine", "C:\\m.exe");
    Open(View::CurrentUser);
    // F5 reloads without asking; the mark is dropped.
    Mark("User", false);
    page_.Mnu_Pop_Refresh_Click();
    EXPECT_EQ(Listed(), (Names{"User"}));

    // Switching asks once; No drops the marks and loads the other view. The
    // selection of the old list is never a row of the new one.
    Mark("User", false);
    page_.SelectRow(0);
    int staleSelections = 0;
    page_.onChanged = [&] {
        if (page_.SelectedRow() >= static_cast<int>(page_.Rows().size())) ++staleSelections;
    };
    prompts_.messageAnswers = {core::PromptAnswer::No};
    page_.Cmb_View_Click(1);
    EXPECT_EQ(staleSelections, 0);
    page_.onChanged = nullptr;
    EXPECT_EQ(Message(0), "The settings in Current User has changed.\r\nDo you want to save the changes ?");
    EXPECT_EQ(Listed(), (Names{"Machine"}));
    page_.Cmb_View_Click(0);
    EXPECT_EQ(Listed(), (Names{"User"}));

    // Yes applies the shown view's marks, then switches.
    Mark("User", false);
    page_.Cmb_View_Click(1);
    EXPECT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(page_.ShownView(), 1);
    EXPECT_TRUE(InKeepingFile(View::CurrentUser, "User"));
}

TEST_F(FrmStartup, DeleteRemovesAnEntryForGood) {
    SetText(HKEY_CURRENT_USER, userRun(), "Active", "C:\\a.exe");
    SetText(HKEY_CURRENT_USER, userRun(), "Pending", "C:\\p.exe");
    ASSERT_TRUE(
        WriteKeepingFile(where_.currentUserKeepingFile, {{"Kept", "C:\\k.exe", origin(userRun(), "Kept"), kRegSz},
                                                         {"Kept2", "C:\\k2.exe", origin(userRun(), "Kept2"), kRegSz}}));
    Open(View::CurrentUser);
    page_.SelectRow(RowOf(page_, "Active"));
    prompts_.messageAnswers = {core::PromptAnswer::No};
    page_.Mnu_Pop_Delete_Click();
    EXPECT_EQ(Message(0), "Are you sure you want to remove this program from the list ?");
    EXPECT_EQ(page_.Rows().size(), 4u);

    // A pending mark is not applied by a deletion.
    Mark("Pending", false);
    page_.SelectRow(RowOf(page_, "Kept"));
    page_.Mnu_Pop_Delete_Click();
    page_.SelectRow(RowOf(page_, "Active"));
    page_.Mnu_Pop_Delete_Click();
    EXPECT_EQ(Listed(), (Names{"Kept2(off)", "Pending(off)"}));
    EXPECT_EQ(Kept(View::CurrentUser).size(), 1u);
    EXPECT_TRUE(GetRaw(HKEY_CURRENT_USER, userRun(), "Pending").exists);
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "Active").exists);
}

TEST_F(FrmStartup, MenuEntriesFollowTheSelection) {
    const std::string exe = temp_ / "real.exe";
    testing_support::WriteFile(exe, "MZ");
    SetText(HKEY_CURRENT_USER, userRun(), "Real", "\"" + exe + "\" -min");
    SetText(HKEY_CURRENT_USER, userRun(), "NoPath", "no-such-program.exe /x");
    int allProperties = 0;
    page_.onAllProperties = [&] { ++allProperties; };
    Open(View::CurrentUser);
    WaitForProgramInfo(page_);
    page_.Mnu_Pop_Properties_Click();
    EXPECT_EQ(allProperties, 1);

    page_.SelectRow(RowOf(page_, "Real"));
    EXPECT_EQ(page_.picturePath, exe);
    page_.Mnu_Pop_Toggle_Click();
    EXPECT_EQ(page_.PreparePopup().toggleCaption, "Enable");
    page_.SelectRow(RowOf(page_, "NoPath"));
    page_.Mnu_Pop_Run_Click();
    page_.Mnu_Pop_Folder_Click();
    page_.Mnu_Pop_Properties_Click();
    EXPECT_EQ(Message(0), "Can't open selected progeam, This program is not exists.");
    EXPECT_EQ(Message(1), "Can't open the progeam folder, Program folder is not exists.");
    EXPECT_EQ(Message(2), "Can't display program properties dialog, This program is not exists.");
}

TEST_F(FrmStartup, DisplaySettingsAreReadWithTheirRangesAndSaved) {
    core::SetSettingsPaths(temp_.path());
    const auto ini = [](const char* key) { return core::ReadIni(core::MainIniPath, "Startup", key, ""); };
    core::WriteIni(core::MainIniPath, "Startup", "Srt", "2");
    core::WriteIni(core::MainIniPath, "Startup", "Col", "5");
    core::WriteIni(core::MainIniPath, "Startup", "Indx", "7");
    SetText(HKEY_CURRENT_USER, machineRun(), "B", "C:\\b.exe");
    SetText(HKEY_CURRENT_USER, machineRun(), "a", "C:\\a.exe");
    page_.Tm_Start_Timer();
    EXPECT_EQ(page_.ViewMode(), 3);  // Cv missing: Details
    EXPECT_EQ(Listed(), (Names{"a", "B"}));
    page_.ColumnClick(1);
    page_.SetViewMode(2);
    page_.Form_Unload();
    EXPECT_EQ(ini("Srt") + ini("Col") + ini("Indx") + ini("Cv"), "2112");
    Frm_Startup again(prompts_, where_);
    again.Tm_Start_Timer();
    EXPECT_EQ(again.Rows()[0].entry.name, "B");
    core::MainIniPath.clear();
    core::AssIniPath.clear();
    core::CssIniPath.clear();
    core::FtsIniPath.clear();
}

TEST_F(FrmStartup, WindowsOwnOffStateAndPolicyRowsAreShownButNeverChanged) {
    for (const char* name : {"On", "Off", "Off6"}) SetText(HKEY_CURRENT_USER, userRun(), name, "C:\\x.exe");
    testing_support::WriteFile(where_.userStartupFolder + "\\Script.bat", "@echo off\r\n");
    const std::vector<std::tuple<std::string, std::string, unsigned char>> states = {
        {approvedRun(), "On", 0x02},
        {approvedRun(), "Off", 0x03},
        {approvedRun(), "Off6", 0x07},
        {approvedFolder(), "Script.bat", 0x03}};
    for (const auto& [key, name, first] : states) {
        const unsigned char bytes[12] = {first};
        SetRaw(HKEY_CURRENT_USER, key, name, REG_BINARY, bytes, sizeof bytes);
    }
    SetText(HKEY_CURRENT_USER, userPolicy(), "1", "C:\\policy.exe");
    Open(View::CurrentUser);
    Names statuses;
    for (const StartupRow& row : page_.Rows()) statuses.push_back(row.entry.name + ":" + StatusText(row.entry));
    EXPECT_EQ(statuses, (Names{"1:Policy", "Off:Disabled by Windows", "Off6:Disabled by Windows",
                               "On:", "Script.bat:Disabled by Windows"}));
    Frm_AllProp report(prompts_, where_);
    report.LoadGroups();
    EXPECT_TRUE(std::any_of(report.rows.begin(), report.rows.end(),
                            [](const AllPropRow& r) { return r.text == "Off" && r.status == "Disabled by Windows"; }));

    // A policy row refuses every change; the menu offers none.
    EXPECT_FALSE(page_.SetRowChecked(0, false));
    page_.SelectRow(0);
    EXPECT_FALSE(page_.PreparePopup().toggleEnabled || page_.PreparePopup().deleteEnabled);
    page_.Mnu_Pop_Delete_Click();
    EXPECT_NE(Message(1).find("set by a system policy"), std::string::npos);
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userPolicy(), "1"), "C:\\policy.exe");

    // Disabling and enabling leaves Windows' own value alone.
    const RawValue before = GetRaw(HKEY_CURRENT_USER, approvedRun(), "Off");
    for (const bool checked : {false, true}) {
        Mark("Off", checked);
        page_.ApplyChanges();
    }
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Off"), "C:\\x.exe");
    EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, approvedRun(), "Off").data, before.data);
}

TEST_F(FrmStartup, ProgramsAreFoundAsWindowsWouldOnAWorker) {
    const std::map<std::string, std::string> commands = {{"Expanded", "%SystemRoot%\\system32\\notepad.exe /a"},
                                                         {"Quoted", "\"%SystemRoot%\\regedit.exe\" /s"},
                                                         {"Bare", "notepad"},
                                                         {"Missing", "Q:\\nowhere\\missing.exe"}};
    for (const auto& [name, command] : commands) SetText(HKEY_CURRENT_USER, userRun(), name, command, REG_EXPAND_SZ);
    Open(View::CurrentUser);
    // The rows are there at once; what they start comes later.
    for (const StartupRow& row : page_.Rows()) EXPECT_FALSE(row.program) << row.entry.name;
    WaitForProgramInfo(page_);

    const std::string windows = platform::ToUtf8(_wgetenv(L"SystemRoot"));
    const auto program = [&](const std::string& name) { return page_.Rows()[RowOf(page_, name)].program; };
    EXPECT_EQ(program("Expanded")->path, windows + "\\system32\\notepad.exe");
    EXPECT_EQ(program("Quoted")->path, windows + "\\regedit.exe");
    EXPECT_TRUE(EndsWithText(program("Bare")->path, "\\notepad.exe"));
    for (const char* name : {"Expanded", "Quoted", "Bare"}) {
        EXPECT_TRUE(program(name)->exists && program(name)->largeIcon && program(name)->smallIcon) << name;
        EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), name), commands.at(name));  // stored as it was
    }
    EXPECT_FALSE(program("Missing")->exists);
    page_.SelectRow(RowOf(page_, "Quoted"));
    EXPECT_EQ(page_.picturePath, windows + "\\regedit.exe");

    // Sorting and switching views read nothing again.
    const ProgramInfoPtr before = program("Bare");
    page_.ColumnClick(2);
    Open(View::AllUsers);
    Open(View::CurrentUser);
    EXPECT_TRUE(page_.ProgramInfoComplete());
    EXPECT_EQ(program("Bare"), before);
}
