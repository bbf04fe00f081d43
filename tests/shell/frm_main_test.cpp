#include "shell/frm_main.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/results_tally.h"
#include "core/settings.h"
#include "platform/mutex.h"
#include "support/temp_folder.h"

namespace {

class FrmMainTest : public testing::Test {
protected:
    void SetUp() override { core::SetSettingsPaths(folder_.path()); }
    void TearDown() override { ::SetErrorMode(errorMode_); }

    void WriteSettings(const std::string& text) { testing_support::WriteFile(folder_ / "Qxs.ini", text); }
    std::string Setting(const std::string& key) { return core::ReadIni(core::MainIniPath, "Main", key, "<missing>"); }

    const UINT errorMode_ = ::GetErrorMode();
    testing_support::TempFolder folder_;
    int ended_ = 0;
};

TEST_F(FrmMainTest, LoadRestoresPageAndViewAndMarksTheRun) {
    const struct {
        const char* settings;
        int page;
        bool compact;
    } cases[] = {
        {"", 0, false},
        {"[Main]\r\nCb= 3\r\nVmode=1\r\n", 3, true},
        {"[Main]\r\nCb=5\r\nVmode=0\r\n", 5, false},
        {"[Main]\r\nCb=6\r\nVmode=2\r\n", 0, false},
        {"[Main]\r\nCb=-1\r\nVmode=x\r\n", 0, false},
        {"[Main]\r\nCb=abc\r\n", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        WriteSettings(c.settings);
        shell::FrmMain form([this] { ++ended_; });
        form.Form_Load();
        EXPECT_EQ(form.CurrentPage, c.page);
        EXPECT_EQ(form.CompactView, c.compact);
        EXPECT_EQ(Setting("Trm"), "0");
    }
}

TEST_F(FrmMainTest, CloseRunsTheShutDownOnceAndShowsItsProgressInTheCaption) {
    shell::FrmMain form([this] { ++ended_; });
    EXPECT_EQ(form.Caption(), "Clarimo 2.1");
    std::vector<std::string> captions;
    form.OnCaptionChanged([&](const std::string& caption) { captions.push_back(caption); });
    int unloads = 0;
    form.OtherWindows.Register("Frm_Options", [&] {
        ++unloads;
        form.Cmd_Close_Click();  // a close that arrives during the shut-down
    });
    form.Form_Load();
    form.CurrentPage = 2;
    form.CompactView = true;

    form.Cmd_Close_Click();
    form.Form_Unload();

    EXPECT_EQ(ended_, 1);
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(captions, (std::vector<std::string>{"Clarimo 2.1 -.", "Clarimo 2.1 -..", "Clarimo 2.1 -..."}));
    EXPECT_EQ(Setting("Cb"), " 2");
    EXPECT_EQ(Setting("Vmode"), "1");
}

// The orderly end at a session end is checked on the real program; here,
// the end that another program cancels.
TEST_F(FrmMainTest, SessionEndIsAnOrderlyEndUnlessItIsCancelled) {
    shell::FrmMain form([this] { ++ended_; });
    int saves = 0;
    form.OtherWindows.Register(
        "Frm_Startup", [] {}, [&] { ++saves; });
    form.Form_Load();
    EXPECT_TRUE(form.Form_QueryEndSession());
    EXPECT_EQ(Setting("Trm"), "1");
    EXPECT_EQ(saves, 1);
    form.Form_EndSession(false);  // another program refused: the run goes on
    EXPECT_EQ(Setting("Trm"), "0");
    EXPECT_EQ(ended_, 0);
}

}  // namespace

namespace {

// A page that writes down what the logic asked of it.
struct RecordingPage : controls::ToolPage {
    RecordingPage(std::vector<std::string>& log, int index) : log_(log), name_(std::to_string(index)) {}
    void Shown() override { log_.push_back("shown " + name_); }
    void Hidden() override { log_.push_back("hidden " + name_); }
    void Refresh() override { log_.push_back("refresh " + name_); }
    void Focus() override { log_.push_back("focus " + name_); }
    void ResultShown() override { log_.push_back("result " + name_); }
    std::vector<std::string>& log_;
    std::string name_;
};

// Records what the logic asked of the window and of the pages.
struct Recorder {
    std::vector<std::string> log;
    std::vector<std::unique_ptr<RecordingPage>> pages;
    bool resultShown = false;
    bool resultTimer = false;
    std::string resultText;
    int area = -1;

    void Attach(shell::FrmMain& form) {
        form.View.showPageArea = [this](int page) { area = page; };
        form.View.showResultStrip = [this](bool shown) { resultShown = shown; };
        form.View.enableResultTimer = [this](bool on) { resultTimer = on; };
        form.View.resultText = [this](const std::string& text) { resultText = text; };
        form.View.showPrivacyTip = [this](bool shown) { log.push_back(shown ? "tip+" : "tip-"); };
        for (int page = 0; page < shell::FrmMain::kPageCount; ++page) {
            pages.push_back(std::make_unique<RecordingPage>(log, page));
            form.Pages[static_cast<size_t>(page)] = pages.back().get();
        }
    }
    bool Logged(const std::string& entry) const { return std::count(log.begin(), log.end(), entry) > 0; }
};

}  // namespace

TEST_F(FrmMainTest, PagesSwitchWithTheirTipsAndAreasAndHearTheirKeysAndTallies) {
    WriteSettings("[Main]\r\nCb=3\r\n");
    shell::FrmMain form([this] { ++ended_; });
    Recorder r;
    r.Attach(form);
    form.Form_Load();
    EXPECT_EQ(form.CurrentPage, 3);
    EXPECT_EQ(r.area, 3);
    EXPECT_TRUE(r.Logged("shown 3"));
    EXPECT_EQ(form.TipText(), "Display running processes list and control it.");

    r.log.clear();
    form.TabButtonClick(1);
    EXPECT_TRUE(r.Logged("hidden 3"));
    EXPECT_EQ(r.log.back(), "focus 1");  // a tab click takes the keyboard into the page
    EXPECT_EQ(r.area, 1);
    EXPECT_EQ(form.TipText(), "Clean temp folder, History,Temporary internet files and Programs recent.");
    // Choosing the privacy page again shows the restart note again.
    r.log.clear();
    form.TabButtonClick(1);
    EXPECT_EQ(r.log, (std::vector<std::string>{"tip-", "tip+", "focus 1"}));
    // A round button for the current page does nothing.
    r.log.clear();
    form.RoundButtonClick(1);
    EXPECT_TRUE(r.log.empty());
    form.RoundButtonClick(5);
    EXPECT_EQ(form.CurrentPage, 5);
    EXPECT_EQ(form.TipText(), "About Clarimo.");

    // F5 goes to the page shown; every page hears of a tally.
    r.log.clear();
    form.ShowPage(2);
    form.KeyDown(shell::FrmMain::kF5);
    form.KeyDown(115);
    EXPECT_EQ(std::count_if(r.log.begin(), r.log.end(), [](const std::string& e) { return e.starts_with("refresh"); }),
              1);
    EXPECT_TRUE(r.Logged("refresh 2"));
    form.ShowResult();
    for (int page = 0; page < 6; ++page) EXPECT_TRUE(r.Logged("result " + std::to_string(page))) << page;
}

TEST_F(FrmMainTest, ResultStripShowsTheTallyUntilItsTimerOrAPageSwitch) {
    shell::FrmMain form([this] { ++ended_; });
    Recorder r;
    r.Attach(form);
    form.Form_Load();
    core::CleanedCount = 3;
    core::CleanedSize = 1536;
    for (bool timer : {true, false}) {
        form.ShowResult();
        EXPECT_EQ(r.resultText, "  Cleaned Space : 1.5 KB, Files : 3");
        EXPECT_TRUE(r.resultShown && r.resultTimer);
        timer ? form.TmResult_Timer() : form.ShowPage(1);
        EXPECT_FALSE(r.resultShown || r.resultTimer);
    }
    core::CleanedCount = 0;
    core::CleanedSize = 0;
}

TEST_F(FrmMainTest, TipIsTypedCharacterByCharacterThenFadedIn) {
    shell::FrmMain form([this] { ++ended_; });
    form.DrowTipText("Größe");
    std::vector<std::string> steps{form.TipShown()};
    while (form.TipMove_Timer()) steps.push_back(form.TipShown());
    ASSERT_GE(steps.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(steps.begin(), steps.begin() + 4),
              (std::vector<std::string>{"", "G", "Gr", "Grö"}));  // whole characters
    EXPECT_EQ(form.TipShown(), "Größe");
    while (form.TipDrow_Timer()) {
    }
    EXPECT_EQ(form.TipBlend(), 1);
    form.DrowTipText("At once", 0, 0, true);
    EXPECT_EQ(form.TipShown(), "At once");
    EXPECT_EQ(form.TipBlend(), 255);
}

TEST_F(FrmMainTest, RestartOnlyOnCtrlClickOnThePrivacyPage) {
    WriteSettings("[Main]\r\nCb=1\r\n");
    shell::FrmMain form([this] { ++ended_; });
    form.Form_Load();
    int restarts = 0;
    form.PrivacyTipClick(false, [&] { ++restarts; });
    EXPECT_EQ(restarts, 0);
    form.PrivacyTipClick(true, [&] { ++restarts; });
    EXPECT_EQ(restarts, 1);
    form.ShowPage(2);
    form.PrivacyTipClick(true, [&] { ++restarts; });
    EXPECT_EQ(restarts, 1);
}

// "clarimoproject", Enter, F5.
constexpr unsigned kInfoKeys[] = {'C', 'L', 'A', 'R', 'I', 'M', 'O', 'P', 'R', 'O', 'J', 'E', 'C', 'T', 13, 116};

TEST_F(FrmMainTest, TheInfoSequenceShowsThreeTextsUnlessAPageSwitchEndsIt) {
    shell::FrmMain form([this] { ++ended_; });
    form.Form_Load();
    std::vector<std::string> shown;
    form.pause = [&](double) { shown.push_back(form.TipShown()); };
    for (int i = 0; i < 100; ++i) form.KeyDown(65);
    EXPECT_EQ(form.KeyHistory.size(), 34u);  // the oldest keys make room
    for (unsigned key : kInfoKeys) form.KeyDown(key);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].rfind("Clarimo 2.1", 0), 0u);
    EXPECT_EQ(shown[1], "Clarimo Project Info ...");
    EXPECT_EQ(form.TipShown(), " Code Lines : 11780, API declarations : 274, Functions : 262, Controls : 6");
    EXPECT_EQ(form.TipBlend(), 255);  // printed at once, then faded in

    // A page switch during a wait ends the sequence.
    shown.clear();
    form.pause = [&](double) {
        shown.push_back(form.TipShown());
        form.ShowPage(2);
    };
    for (unsigned key : kInfoKeys) form.KeyDown(key);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(form.TipText(), shell::FrmMain::PageTip(2));
}
