#include "shell/frm_options.h"
#include "shell/frm_options_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include "controls/theme.h"
#include "core/settings.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "shell/themes.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace shell {
namespace {

using core::PromptIcon;
using testing_support::Exists;
using testing_support::MakeFolder;
using testing_support::ReadFileBytes;
using testing_support::TypeInto;
using testing_support::WriteFile;

class FrmOptionsTest : public ::testing::Test {
protected:
    FrmOptionsTest() : program_(), page_(prompts_) {
        core::SetSettingsPaths(program_.path());
        page_.unloadMainWindow = [this] { ++unloads_; };
    }
    ~FrmOptionsTest() override { ApplyTheme(0); }

    std::string Stored(const std::string& key) { return core::ReadIni(core::MainIniPath, "Options", key, "<missing>"); }
    void Store(const std::string& key, const std::string& value) {
        core::WriteIni(core::MainIniPath, "Options", key, value);
    }
    void Load() {
        page_.Form_Load();
        page_.Tm_Timer();
    }

    testing_support::TempFolder program_;
    testing_support::ScriptedPrompts prompts_;
    Frm_Options page_;
    int unloads_ = 0;
};

TEST_F(FrmOptionsTest, NothingIsSavedWhileLoadingThenDefaultsAndFallBacksAreWritten) {
    EXPECT_FALSE(Exists(core::MainIniPath));
    page_.Form_Load();
    EXPECT_TRUE(page_.Loading());
    page_.ChkCon_Click(false);
    page_.Opt2_Click();
    page_.TxtMove_Change("C:\\");
    EXPECT_FALSE(Exists(core::MainIniPath));
    page_.Tm_Timer();  // the stored (default) values win
    EXPECT_FALSE(page_.Loading());
    EXPECT_TRUE(page_.Opt1() && page_.ChkCon());
    EXPECT_EQ(Stored("Thm") + Stored("DType") + Stored("ConDlg"), "011");
    EXPECT_EQ(Stored("TMove"), "");
    EXPECT_TRUE(prompts_.messages.empty());

    Store("Thm", "9");
    Store("DType", "7");
    Store("ConDlg", "0");
    Load();
    EXPECT_EQ(page_.Cmb_Theme(), 0);
    EXPECT_TRUE(page_.Opt1());
    EXPECT_FALSE(page_.ChkCon());
    EXPECT_EQ(Stored("Thm") + Stored("DType"), "01");
}

TEST_F(FrmOptionsTest, StoredMoveTypeSurvivesAMissingFolderUntilTheUserChooses) {
    const std::string folder = program_ / "Moved \xC3\xBC";  // non-ASCII
    MakeFolder(folder);
    Store("DType", "3");
    Store("TMove", folder);
    Load();
    EXPECT_TRUE(page_.Opt3() && !page_.Er.Shown());
    EXPECT_EQ(page_.TxtMove(), folder);

    // An unplugged drive: the page shows the stored "move" and says why; it
    // stays, also through other changes, so that the junk clean refuses
    // rather than deletes, and a folder typed then is a visible choice.
    for (const std::string& typed : {std::string(), program_ / "gone too", folder}) {
        SCOPED_TRACE(typed);
        Store("DType", "3");
        Store("TMove", program_ / "gone");
        Load();
        EXPECT_TRUE(page_.Opt3());
        EXPECT_EQ(Stored("DType"), "3");
        EXPECT_EQ(Stored("TMove"), program_ / "gone");
        EXPECT_TRUE(page_.Er.Shown());
        EXPECT_EQ(page_.Er.Message(), "Selected folder Does not exists, Plaese select a valid folder.");
        page_.ChkCon_Click(false);
        page_.TxtMove_Change(typed);
        EXPECT_TRUE(page_.Opt3());
        EXPECT_EQ(Stored("DType"), "3");
        EXPECT_EQ(page_.Er.Shown(), typed != folder);
    }
    page_.Opt1_Click();
    EXPECT_EQ(Stored("DType"), "1");
}

TEST_F(FrmOptionsTest, EveryChangeIsWrittenAtOnceAndTheMoveNeedsAFolderThatExists) {
    Load();
    page_.Opt2_Click();
    page_.ChkCon_Click(false);
    EXPECT_EQ(Stored("ConDlg"), "0");
    page_.Opt3_Click();  // no folder: the picker, cancelled: the previous type stays
    EXPECT_EQ(prompts_.folderPrompts, std::vector<std::string>{"Select folder to move files to it."});
    EXPECT_TRUE(page_.Opt2());
    EXPECT_EQ(Stored("DType"), "2");
    EXPECT_FALSE(page_.Er.Shown());  // an empty box undoes the choice silently

    const std::string folder = program_ / "Target";
    MakeFolder(folder);
    prompts_.folderAnswers.push_back(folder);
    page_.Cmd_Browse_Click();  // the picked folder selects the move
    EXPECT_EQ(page_.TxtMove(), folder);
    EXPECT_TRUE(page_.Opt3());
    EXPECT_EQ(Stored("DType"), "3");
    EXPECT_EQ(Stored("TMove"), folder);

    page_.TxtMove_Change(folder + "x");
    EXPECT_TRUE(page_.Opt2());  // the last of recycle bin or delete
    EXPECT_EQ(Stored("DType"), "2");
    EXPECT_EQ(Stored("TMove"), folder + "x");  // kept whichever option is selected
    EXPECT_TRUE(page_.Er.Shown());
    EXPECT_EQ(page_.Er.ToolTipFontColor(), controls::ThemeTextColor);
    page_.TxtMove_Change(folder);  // an existing folder hides the balloon
    EXPECT_FALSE(page_.Er.Shown());
    page_.Opt3_Click();  // the folder exists: saved at once, no picker
    EXPECT_EQ(Stored("DType"), "3");
    EXPECT_EQ(prompts_.folderPrompts.size(), 2u);  // the cancelled one and Browse
    page_.TxtMove_Change("x:\\nowhere");
    page_.TxtMove_Change("  ");  // blank: hidden again
    EXPECT_FALSE(page_.Er.Shown());
    EXPECT_TRUE(page_.Opt2());
}

TEST_F(FrmOptionsTest, BackupCopiesBothFilesAndNeverReportsAFailureAsDone) {
    Load();
    prompts_.folderAnswers.push_back(program_ / "does not exist");
    page_.LnkCs_Click();
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, "Can't copy settings files to this folder.");
    EXPECT_EQ(prompts_.messages[0].icon, PromptIcon::Critical);

    WriteFile(core::FtsIniPath, "[TypeList]\r\n1=*.tmp\r\n");
    const std::string backup = program_ / "Sicherung \xE6\x97\xA5\xE6\x9C\xAC";
    MakeFolder(backup);
    WriteFile(backup + "\\Qxs.ini", "old");
    prompts_.folderAnswers.push_back(backup);
    page_.LnkCs_Click();
    EXPECT_EQ(ReadFileBytes(backup + "\\Qxs.ini"), ReadFileBytes(core::MainIniPath));
    EXPECT_EQ(ReadFileBytes(backup + "\\Fts.ini"), ReadFileBytes(core::FtsIniPath));
    ASSERT_EQ(prompts_.messages.size(), 2u);
    EXPECT_EQ(prompts_.messages[1].text, "Clarimo settings files was copied successfully.");
    EXPECT_EQ(prompts_.messages[1].icon, PromptIcon::Information);
}

// A restore takes what the chosen folder holds (a folder named "Qxs.ini" is
// no settings file) and ends the program only when something was restored.
TEST_F(FrmOptionsTest, RestoreSaysWhatWasRestoredAndEndsTheProgramOnlyThen) {
    const struct {
        const char* qxs;  // null: "Qxs.ini" is a folder
        const char* fts;  // null: missing
        const char* message;
        PromptIcon icon;
    } cases[] = {
        {"[Options]\r\nThm=4\r\n", "[SkipList]\r\n",
         "Clarimo settings files was restored successfully, Please restart Clarimo.", PromptIcon::Information},
        {nullptr, "[TypeList]\r\n", "Only 1 settings file restored\r\nPlease restart Clarimo.",
         PromptIcon::Information},
        {nullptr, nullptr, "Can't find settings files in selected folder.", PromptIcon::Exclamation},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Frm_Options page(prompts_);
        int unloads = 0;
        page.unloadMainWindow = [&] { ++unloads; };
        page.Form_Load();
        page.Tm_Timer();
        const std::string mainBefore = ReadFileBytes(core::MainIniPath);
        const std::string ftsBefore = ReadFileBytes(core::FtsIniPath);
        const std::string saved = program_ / ("saved" + std::to_string(++row));
        MakeFolder(saved);
        c.qxs ? WriteFile(saved + "\\Qxs.ini", c.qxs) : MakeFolder(saved + "\\Qxs.ini");
        if (c.fts) WriteFile(saved + "\\Fts.ini", c.fts);
        prompts_.messages.clear();
        prompts_.folderAnswers.push_back(saved);
        page.LnkRs_Click();
        ASSERT_EQ(prompts_.messages.size(), 1u);
        EXPECT_EQ(prompts_.messages[0].text, c.message);
        EXPECT_EQ(prompts_.messages[0].icon, c.icon);
        const bool restored = c.qxs || c.fts;
        EXPECT_EQ(unloads, restored ? 1 : 0);
        EXPECT_EQ(page.SettingsRestored(), restored);
        EXPECT_EQ(ReadFileBytes(core::MainIniPath), c.qxs ? c.qxs : mainBefore);
        EXPECT_EQ(ReadFileBytes(core::FtsIniPath), c.fts ? c.fts : ftsBefore);
    }
}

TEST_F(FrmOptionsTest, RestoreReplacesBothFilesOrNeither) {
    // The program's "Fts.ini" cannot be replaced: another program holds it.
    const std::string program = program_ / "program";
    MakeFolder(program);
    WriteFile(program + "\\Fts.ini", "[Main]\r\ntln=3\r\n");
    WriteFile(program + "\\Qxs.ini", "[Options]\r\nThm=1\r\n");
    core::SetSettingsPaths(program);
    platform::UniqueHandle held(::CreateFileW(platform::ToSystemPath(core::FtsIniPath).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held.valid());
    const std::string saved = program_ / "saved";
    MakeFolder(saved);
    WriteFile(saved + "\\Qxs.ini", "[Options]\r\nThm=4\r\n");
    WriteFile(saved + "\\Fts.ini", "[SkipList]\r\n");
    prompts_.folderAnswers.push_back(saved);
    page_.LnkRs_Click();
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].icon, PromptIcon::Critical);
    EXPECT_NE(prompts_.messages[0].text.find("Fts.ini: "), std::string::npos);
    EXPECT_NE(prompts_.messages[0].text.find("not restored"), std::string::npos);
    EXPECT_EQ(unloads_, 0);
    EXPECT_FALSE(page_.SettingsRestored());
    EXPECT_EQ(ReadFileBytes(program + "\\Qxs.ini"), "[Options]\r\nThm=1\r\n");
    EXPECT_EQ(ReadFileBytes(program + "\\Fts.ini"), "[Main]\r\ntln=3\r\n");
    const std::filesystem::path folder(platform::ToSystemPath(program));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2) << "a temporary is left";
}

TEST(ParseSettingNumber, AcceptsWholeSixteenBitNumbersOnly) {
    const std::pair<const char*, int> cases[] = {{"3", 3},  {"  -1 ", -1}, {"+2", 2},         {"", 7},
                                                 {"3a", 7}, {"32768", 7},  {"-32768", -32768}};
    for (const auto& [text, number] : cases) EXPECT_EQ(ParseSettingNumber(text, 7), number) << text;
}

TEST_F(FrmOptionsTest, TheWindowShowsTheSettingsAndHandsItsControlsChangesOn) {
    Store("Thm", "2");
    Store("DType", "2");
    Store("ConDlg", "0");
    int junkOptionsShown = 0;
    page_.showJunkOptions = [&] { ++junkOptionsShown; };
    testing_support::TestWindow host(640, 440);
    Frm_OptionsWindow window(page_);
    ASSERT_TRUE(window.Create(host.hwnd()));
    using W = Frm_OptionsWindow;
    const auto checked = [&](W::ControlId id) { return ::IsDlgButtonChecked(window.Panel(), id) == BST_CHECKED; };
    // The load timer fills the controls, then shows the panel.
    ASSERT_TRUE(testing_support::PumpUntil([&] { return !page_.Loading() && ::IsWindowVisible(window.Panel()); }));
    EXPECT_EQ(::SendMessageW(window.Control(W::kCmbTheme), CB_GETCURSEL, 0, 0), 2);
    EXPECT_TRUE(checked(W::kOpt2));
    EXPECT_FALSE(checked(W::kChkCon));

    // Clicks reach the page and are saved at once.
    ::SendMessageW(window.Control(W::kChkCon), BM_CLICK, 0, 0);
    EXPECT_EQ(Stored("ConDlg"), "1");
    // Choosing the move without a folder: the picker is cancelled, and the
    // option buttons show the previous choice again.
    ::SendMessageW(window.Control(W::kOpt3), BM_CLICK, 0, 0);
    EXPECT_EQ(prompts_.folderPrompts.size(), 1u);
    EXPECT_TRUE(checked(W::kOpt2));
    EXPECT_FALSE(checked(W::kOpt3));
    // A typed folder reaches the page; one that does not exist undoes the
    // move and shows the balloon.
    TypeInto(window.Control(W::kTxtMove), "C:\\");
    ::SendMessageW(window.Control(W::kOpt3), BM_CLICK, 0, 0);
    EXPECT_EQ(Stored("DType"), "3");
    TypeInto(window.Control(W::kTxtMove), "C:\\no such folder");
    EXPECT_TRUE(checked(W::kOpt2));
    EXPECT_TRUE(::IsWindowVisible(window.ErBalloon().hwnd()));

    // Another theme from the list is saved and applied; the theme in use does nothing.
    int recolours = 0;
    auto subscription = controls::SubscribeTheme(controls::ThemeStage::MainWindow, [&] { ++recolours; });
    const HWND combo = window.Control(W::kCmbTheme);
    for (const char* stored : {"3", "untouched"}) {
        ::SendMessageW(combo, CB_SETCURSEL, 3, 0);
        ::SendMessageW(window.Panel(), WM_COMMAND, MAKEWPARAM(W::kCmbTheme, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
        EXPECT_EQ(Stored("Thm"), stored);
        Store("Thm", "untouched");
    }
    EXPECT_EQ(controls::ThemeIndex, 3);
    EXPECT_EQ(recolours, 1);
    testing_support::ClickAt(window.JunkOptionsLink().hwnd(), 3, 3);
    EXPECT_EQ(junkOptionsShown, 1);
}

using ApplyThemeTest = FrmOptionsTest;  // it restores theme 0

TEST_F(ApplyThemeTest, RecoloursMainWindowThenPagesInOrderThenFinishesWithTheNewColours) {
    std::vector<std::string> calls;
    auto record = [&](const char* who) {
        return [&calls, who] {
            // Every subscriber already sees the new values.
            const bool current = controls::ThemeIndex == 2 && controls::ThemeColor == controls::ThemeTable()[2].color;
            calls.push_back(std::string(who) + (current ? "" : " (old colours)"));
        };
    };
    auto finish = controls::SubscribeTheme(controls::ThemeStage::Finish, record("finish"));
    auto other = controls::SubscribeTheme(controls::ThemeStage::OtherWindows, record("other windows"));
    auto about = controls::SubscribeTheme(controls::ThemeStage::AboutPage, record("about"));
    auto junk = controls::SubscribeTheme(controls::ThemeStage::JunkPage, record("junk"));
    auto main = controls::SubscribeTheme(controls::ThemeStage::MainWindow, record("main window"));
    ApplyTheme(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"main window", "junk", "about", "other windows", "finish"}));
}

}  // namespace
}  // namespace shell
