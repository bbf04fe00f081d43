#include "startup/frm_startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <tuple>
#include <utility>

#include "core/settings.h"
#include "platform/handles.h"
#include "platform/shortcut.h"
#include "platform/system_info.h"
#include "platform/utf.h"
#include "startup/frm_add_new_prog.h"
#include "startup/frm_all_prop.h"
#include "startup_fixture.h"

using namespace startup;
using namespace startup_test;
using core::PromptAnswer;
using testing_support::Exists;
using Names = std::vector<std::string>;

namespace {

class FrmStartup : public StartupPlaces {
protected:
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
    void Open(View view) { page_.Cmb_View_Click(static_cast<int>(view)); }
    void Mark(const std::string& name, bool checked) { ASSERT_TRUE(page_.SetRowChecked(RowOf(page_, name), checked)); }
    std::string Message(size_t i) const { return i < prompts_.messages.size() ? prompts_.messages[i].text : ""; }
};

class SystemSources : public FrmStartup {};

struct Undo {
    std::function<void()> undo;
    ~Undo() { undo(); }
};

}  // namespace

TEST_F(FrmStartup, LoadsTheThreeSourcesOfAViewWithTheirSkippingRules) {
    SetText(HKEY_CURRENT_USER, userRun(), "Tool", "C:\\a\\tool.exe -min");
    SetRaw(HKEY_CURRENT_USER, userRun(), "EmptyData", REG_SZ, nullptr, 0);
    SetText(HKEY_CURRENT_USER, userRunOnce(), "Once", "C:\\once.exe");
    SetText(HKEY_CURRENT_USER, machineRun(), "Machine", "C:\\m.exe");
    const std::string folder = where_.userStartupFolder;
    MakeShortcut(folder + "\\   .lnk", "C:\\blanks.exe");
    MakeShortcut(folder + "\\Zed.lnk", "C:\\zed.exe");
    Open(View::CurrentUser);
    EXPECT_EQ(Listed(), (Names{"Once", "Tool", "Zed"}));        // sorted by Item
    EXPECT_EQ(page_.Rows()[2].entry.originKey, folder + "|2");  // after the blank name's position
    page_.SelectRow(1);
    EXPECT_EQ(page_.caption1 + "/" + page_.caption2, "Tool/Target : C:\\a\\tool.exe -min");

    // By Command, ascending then descending; the selection follows its row.
    page_.ColumnClick(2);
    page_.ColumnClick(2);
    EXPECT_EQ(Listed(), (Names{"Zed", "Once", "Tool"}));
    EXPECT_EQ(page_.SelectedRow(), 2);
}

TEST_F(FrmStartup, ApplyTouchesOnlyChangedEntriesAndKeepsNoValueThatIsNotText) {
    // Rewriting a value without its terminating NUL, or of REG_EXPAND_SZ, would change its bytes.
    const wchar_t bare[] = L"C:\\bare.exe";
    SetRaw(HKEY_CURRENT_USER, userRun(), "Bare", REG_SZ, bare, static_cast<DWORD>(wcslen(bare) * sizeof(wchar_t)));
    SetText(HKEY_CURRENT_USER, userRun(), "Expand", "%TEMP%\\x.exe", REG_EXPAND_SZ);
    for (const char* name : {"ToDisable", "Text"}) SetText(HKEY_CURRENT_USER, userRun(), name, "C:\\d.exe");
    const DWORD number = 1;
    SetRaw(HKEY_CURRENT_USER, userRun(), "Flag", REG_DWORD, &number, 4);
    const std::string link = where_.userStartupFolder + "\\Made Elsewhere.lnk";
    MakeShortcut(link, "C:\\elsewhere.exe", "--quiet --tray");
    const auto state = [&] {
        const RawValue b = GetRaw(HKEY_CURRENT_USER, userRun(), "Bare"),
                       e = GetRaw(HKEY_CURRENT_USER, userRun(), "Expand");
        return std::make_tuple(b.type, b.data, e.type, e.data, testing_support::ReadFileBytes(link));
    };
    const auto before = state();
    Open(View::CurrentUser);
    EXPECT_FALSE(page_.SetRowChecked(RowOf(page_, "Flag"), false));
    EXPECT_NE(Message(0).find("not text"), std::string::npos);
    Mark("ToDisable", false);
    // Changed behind the page's back after the load: still refused at Apply.
    Mark("Text", false);
    SetRaw(HKEY_CURRENT_USER, userRun(), "Text", REG_BINARY, "ab", 2);
    page_.ApplyChanges();
    EXPECT_EQ(prompts_.messages.size(), 2u);
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, userRun(), "ToDisable").exists);
    EXPECT_EQ(GetRaw(HKEY_CURRENT_USER, userRun(), "Text").type, static_cast<DWORD>(REG_BINARY));
    EXPECT_FALSE(InKeepingFile(View::CurrentUser, "Text"));
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
    EXPECT_EQ(ShortcutArguments(keeping + "With Args.lnk"), "/first");
    EXPECT_EQ(ShortcutArguments(keeping + "With Args (2).lnk"), "/second");

    // Enabled again, each under its own name and with its own content.
    page_.Mnu_Pop_Refresh_Click();
    const int second = page_.Rows()[2].entry.keptFile.empty() ? 3 : 2;
    EXPECT_EQ(page_.Rows()[second].entry.keptFile, "With Args (2).lnk");
    ASSERT_TRUE(page_.SetRowChecked(second, true));
    for (const auto& [name, content] : files) Mark(name, true);
    page_.ApplyChanges();
    EXPECT_EQ(ShortcutArguments(link), "/second");
    for (const auto& [name, content] : files)
        EXPECT_EQ(testing_support::ReadFileBytes(where_.commonStartupFolder + "\\" + name), content);
    const auto kept = Kept(View::AllUsers);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(KeptFileName(kept[0]), "With Args.lnk");
}

TEST_F(FrmStartup, KeptEntriesGoBackToTheirOwnPlaceAndNeverOverAnother) {
    for (const char* name : {"Foo", "Bar"}) SetText(HKEY_CURRENT_USER, machineRun(), name, "C:\\x.exe");
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
                                  {"updater", "C:\\old\\updater.exe", origin(machineRun(), "updater"), kRegSz}}));
    Open(View::AllUsers);
    EXPECT_EQ(Listed(),
              (Names{"Bar", "Bar(off)", "Foo", "Foo(off)", "Upd(off)", "Upd(off)", "Updater", "updater(off)"}));
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
    EXPECT_EQ(platform::ReadShortcutTarget(where_.commonStartupFolder + "\\Bar.lnk"), "C:\\scripts\\bar.bat");
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun(), "Updater"), "C:\\new\\updater.exe");
    // The first Upd went back; the second is refused rather than written over it.
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun(), "Upd"), "C:\\v1\\upd.exe");
    EXPECT_NE(prompts_.messages.back().text.find("\"Upd\" has the same name"), std::string::npos);
    std::vector<std::string> kept;
    for (const StartupEntry& entry : Kept(View::AllUsers)) kept.push_back(entry.command);
    EXPECT_EQ(kept, (Names{"C:\\v2\\upd.exe", "C:\\old\\updater.exe"}));
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
    const std::string startup = where_.userStartupFolder + "\\", keeping = where_.currentUserKeepingFolder + "\\";
    const auto arrange = [&] {  // RegA and LinkA are active, RegB and LinkB are kept
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
        for (int i = 0; i < 4; ++i) ASSERT_TRUE(page.SetRowChecked(i, !page.Rows()[i].checked));
        int step = 0;
        page.applyStepHook = [&](const std::string&) {
            if (++step == stopAt) throw Stop{};
        };
        try {
            page.ApplyChanges();
            steps = step;
        } catch (const Stop&) {
        }
        for (const std::string name : {"RegA", "RegB", "LinkA", "LinkB"}) {
            const bool link = name[0] == 'L';
            const bool inSystem =
                link ? Exists(startup + name + ".lnk") : GetRaw(HKEY_CURRENT_USER, userRun(), name).exists;
            const bool kept = InKeepingFile(View::CurrentUser, name) && (!link || Exists(keeping + name + ".lnk"));
            EXPECT_TRUE(inSystem || kept) << name << " lost when stopped after step " << stopAt;
        }
    }
    EXPECT_EQ(steps, 6);  // written, two taken out, two put back, written again
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
    EXPECT_TRUE(Exists(link) && InKeepingFile(View::CurrentUser, "Blocked"));
    EXPECT_TRUE(page_.applyEnabled && page_.selectorEnabled && page_.toolsEnabled);
}

TEST_F(FrmStartup, SwitchingViewsAsksAboutUnappliedMarks) {
    SetText(HKEY_CURRENT_USER, userRun(), "User", "C:\\u.exe");
    SetText(HKEY_CURRENT_USER, machineRun(), "Machine", "C:\\m.exe");
    Open(View::CurrentUser);
    // Switching asks once; No drops the marks and loads the other view. The
    // selection of the old list is never a row of the new one.
    Mark("User", false);
    page_.SelectRow(0);
    int staleSelections = 0;
    page_.onChanged = [&] {
        if (page_.SelectedRow() >= static_cast<int>(page_.Rows().size())) ++staleSelections;
    };
    prompts_.messageAnswers = {PromptAnswer::No};
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

    // A switch while a load waits for the system makes that load read
    // again, in the view chosen by then.
    bool switched = false;
    page_.runWaiting = [&](const std::function<void()>& read) {
        read();
        if (!std::exchange(switched, true)) page_.Cmb_View_Click(0);
    };
    page_.Mnu_Pop_Refresh_Click();
    EXPECT_EQ(page_.ShownView(), 0);
    EXPECT_EQ(Listed(), (Names{"User(off)"}));
}

TEST_F(FrmStartup, DeleteRemovesAnEntryForGood) {
    SetText(HKEY_CURRENT_USER, userRun(), "Active", "C:\\a.exe");
    SetText(HKEY_CURRENT_USER, userRun(), "Pending", "C:\\p.exe");
    ASSERT_TRUE(
        WriteKeepingFile(where_.currentUserKeepingFile, {{"Kept", "C:\\k.exe", origin(userRun(), "Kept"), kRegSz}}));
    Open(View::CurrentUser);
    Mark("Pending", false);  // a pending mark is not applied by a deletion
    page_.SelectRow(RowOf(page_, "Active"));
    prompts_.messageAnswers = {PromptAnswer::No};
    page_.Mnu_Pop_Delete_Click();  // asked, and No keeps it
    EXPECT_TRUE(GetRaw(HKEY_CURRENT_USER, userRun(), "Active").exists);
    page_.Mnu_Pop_Delete_Click();
    page_.SelectRow(RowOf(page_, "Kept"));
    page_.Mnu_Pop_Delete_Click();
    EXPECT_EQ(Listed(), (Names{"Pending(off)"}));
    EXPECT_FALSE(InKeepingFile(View::CurrentUser, "Kept"));
    EXPECT_TRUE(GetRaw(HKEY_CURRENT_USER, userRun(), "Pending").exists &&
                !GetRaw(HKEY_CURRENT_USER, userRun(), "Active").exists);
}

TEST_F(FrmStartup, WindowsOwnOffStateAndPolicyRowsAreShownButNeverChanged) {
    for (const char* name : {"On", "Off"}) SetText(HKEY_CURRENT_USER, userRun(), name, "C:\\x.exe");
    testing_support::WriteFile(where_.userStartupFolder + "\\Script.bat", "@echo off\r\n");
    for (const auto& [key, name, first] :
         {std::tuple{approvedRun(), "On", 6}, {approvedRun(), "Off", 3}, {approvedFolder(), "Script.bat", 7}}) {
        const unsigned char bytes[12] = {static_cast<unsigned char>(first)};
        SetRaw(HKEY_CURRENT_USER, key, name, REG_BINARY, bytes, sizeof bytes);
    }
    SetText(HKEY_CURRENT_USER, userPolicy(), "1", "C:\\policy.exe");
    Open(View::CurrentUser);
    Names statuses;
    for (const StartupRow& row : page_.Rows()) statuses.push_back(row.entry.name + ":" + StatusText(row.entry));
    EXPECT_EQ(statuses, (Names{"1:Policy", "Off:Disabled by Windows", "On:", "Script.bat:Disabled by Windows"}));

    // A policy row refuses every change; the menu offers none.
    EXPECT_FALSE(page_.SetRowChecked(0, false));
    page_.SelectRow(0);
    EXPECT_FALSE(page_.PreparePopup().toggleEnabled || page_.PreparePopup().deleteEnabled);
    page_.Mnu_Pop_Delete_Click();
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userPolicy(), "1"), "C:\\policy.exe");

    // Disabling and enabling leaves Windows' own value alone.
    const RawValue before = GetRaw(HKEY_CURRENT_USER, approvedRun(), "Off");
    for (const bool checked : {false, true}) {
        Mark("Off", checked);
        page_.ApplyChanges();
    }
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
    page_.SelectRow(RowOf(page_, "Missing"));
    page_.Mnu_Pop_Run_Click();
    page_.Mnu_Pop_Folder_Click();
    page_.Mnu_Pop_Properties_Click();
    EXPECT_EQ(prompts_.messages.size(), 3u);  // each refused

    page_.SelectRow(RowOf(page_, "Bare"));
    page_.Mnu_Pop_Toggle_Click();
    EXPECT_EQ(page_.PreparePopup().toggleCaption, "Enable");
}

TEST_F(FrmStartup, AddNewProgramNeedsANameAndAPathAndAsksAboutAMissingProgramOrATakenName) {
    Open(View::CurrentUser);
    Frm_AddNewProg dialog(prompts_, page_);
    const std::string exe = temp_ / "My Tools\\tool.exe";
    testing_support::MakeFolder(temp_ / "My Tools");
    testing_support::WriteFile(exe, "MZ");
    EXPECT_EQ(dialog.targetIndex, 0);  // follows the page's view
    dialog.Txt_Name_Change("   ");
    dialog.Txt_Path_Change("C:\\missing.exe");
    EXPECT_FALSE(dialog.okEnabled || dialog.Cmd_OK_Click());
    prompts_.openFileAnswers = {exe};
    EXPECT_EQ(dialog.Cmd_Browse_Click(), Frm_AddNewProg::Focus::NameBox);
    dialog.Txt_Name_Change("Taken");
    EXPECT_TRUE(dialog.okEnabled && dialog.Cmd_OK_Click());
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Taken"), "\"" + exe + "\"");
    EXPECT_EQ(page_.Rows().size(), 1u);

    // Yes to the missing program, No to replacing the value: nothing changes.
    dialog.Txt_Path_Change("C:\\Missing Folder\\second.exe");
    prompts_.messageAnswers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_FALSE(dialog.Cmd_OK_Click());
    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(prompts_.messages[0].text, "The specified program does not exists, Are you sure you want to continue ?");
    EXPECT_NE(prompts_.messages[1].text.find(exe), std::string::npos);
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Taken"), "\"" + exe + "\"");
    EXPECT_TRUE(dialog.Cmd_OK_Click());
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, userRun(), "Taken"), "C:\\Missing Folder\\second.exe");  // as typed

    dialog.targetIndex = 1;  // All Users
    EXPECT_TRUE(dialog.Cmd_OK_Click());
    EXPECT_EQ(GetText(HKEY_CURRENT_USER, machineRun(), "Taken"), "C:\\Missing Folder\\second.exe");
}

TEST_F(FrmStartup, TheReportListsEveryGroupWithEntries) {
    SetText(HKEY_CURRENT_USER, machineRun(), "M1", "C:\\m1.exe");
    MakeShortcut(where_.userStartupFolder + "\\ .lnk", "C:\\blank.exe");  // counted, not listed
    SetText(HKEY_CURRENT_USER, machineRun32(), "M32", "C:\\m32.exe");
    SetText(HKEY_CURRENT_USER, userRunOnce(), "U1", "C:\\u1.exe");
    MakeShortcut(where_.commonStartupFolder + "\\Common.lnk", "C:\\c.exe");
    Frm_AllProp window(prompts_, where_);
    window.Tm_Load_Timer();

    prompts_.saveFileAnswers = {temp_ / "report"};
    window.WriteReport();
    // Which entries are counted and listed; the lines' form is the model's.
    const std::string text = testing_support::ReadFileBytes(temp_ / "report.txt");
    EXPECT_EQ(text.rfind("\xEF\xBB\xBFStartup Programs Report\r\n", 0), 0u);
    EXPECT_NE(text.find(platform::ComputerName() + "\r\nUser Name : " + platform::UserName() +
                        "\r\nStartup Programs Number : 5\r\n\r\nRegistry\\All Users\\Run\r\n  M1\r\n  M32\r\n"
                        "Registry\\Current User\\RunOnce\r\n  U1\r\nAll Users\\Startup Folder\r\n  Common\r\nReport"),
              std::string::npos);

    // The file the name turns into already exists: asked, and No keeps it.
    testing_support::WriteFile(temp_ / "old.txt", "keep me");
    prompts_.saveFileAnswers = {temp_ / "old"};
    prompts_.messageAnswers = {PromptAnswer::No};
    window.WriteReport();
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(testing_support::ReadFileBytes(temp_ / "old.txt"), "keep me");
}

// The real Run keys and startup folders of the prefix, with this run's own values.
TEST_F(SystemSources, EachViewListsItsKeysAndFolderAndPutsEntriesBackWhereTheyWere) {
    StartupLocations where = StartupLocations::System();
    where.allUsersKeepingFile = where_.allUsersKeepingFile;
    where.currentUserKeepingFile = where_.currentUserKeepingFile;
    where.allUsersKeepingFolder = where_.allUsersKeepingFolder;
    where.currentUserKeepingFolder = where_.currentUserKeepingFolder;
    const struct {
        View view;
        HKEY root;
        const char* key;
        DWORD type;
    } sources[] = {// Both registry views of the machine's Run key, each value kept in its own.
                   {View::AllUsers, HKEY_LOCAL_MACHINE, kMachineRunKey, REG_SZ},
                   {View::AllUsers, HKEY_LOCAL_MACHINE, kMachineRun32Key, REG_EXPAND_SZ},
                   {View::AllUsers, HKEY_LOCAL_MACHINE, kMachineRunOnceKey, REG_SZ},
                   {View::CurrentUser, HKEY_CURRENT_USER, kUserRunKey, REG_EXPAND_SZ},
                   {View::CurrentUser, HKEY_CURRENT_USER, kUserRunOnceKey, REG_SZ}};
    const std::string unique = "ClarimoTest \xD0\x96 " + std::to_string(::GetCurrentProcessId());
    const std::string command = "%SystemRoot%\\system32\\cmd.exe /c rem";  // harmless
    std::deque<Undo> undo;
    Names names;
    for (const auto& source : sources) {
        names.push_back(unique + " " + std::to_string(names.size()));
        undo.push_back({[&source, name = names.back()] { DeleteValue(source.root, source.key, name); }});
        SetText(source.root, source.key, names.back(), command, source.type);
    }
    for (const View view : {View::AllUsers, View::CurrentUser}) {
        SCOPED_TRACE(ViewText(view));
        const std::string folder = view == View::AllUsers ? where.commonStartupFolder : where.userStartupFolder;
        const std::string link = folder + "\\" + unique + ".lnk";
        undo.push_back({[link] { ::DeleteFileW(platform::ToWide(link).c_str()); }});
        testing_support::MakeFolder(folder);
        MakeShortcut(link, "C:\\user.exe", "--user");
        Frm_Startup page(prompts_, where);
        page.Cmb_View_Click(static_cast<int>(view));
        Names shown = {unique};
        for (size_t i = 0; i < names.size(); ++i)
            if (sources[i].view == view) shown.push_back(names[i]);
        for (const bool checked : {false, true}) {
            page.Mnu_Pop_Refresh_Click();
            for (const std::string& name : shown) ASSERT_TRUE(page.SetRowChecked(RowOf(page, name), checked)) << name;
            page.ApplyChanges();
            EXPECT_EQ(page.balloonText, "");
            EXPECT_EQ(Exists(link), checked);
            EXPECT_EQ(Kept(view).size(), checked ? 0u : shown.size());
            for (size_t i = 0; i < names.size(); ++i)
                EXPECT_EQ(GetRaw(sources[i].root, sources[i].key, names[i]).exists, checked || sources[i].view != view);
        }
        EXPECT_EQ(ShortcutArguments(link), "--user");
    }
    // Each value back in its own key (and only there), with its type.
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(GetRaw(sources[i].root, sources[i].key, names[i]).type, sources[i].type) << names[i];
        EXPECT_EQ(GetText(sources[i].root, sources[i].key, names[i]), command);
    }
}
