#include "shell/frm_main.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

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
    EXPECT_TRUE(form.Unloading());
    EXPECT_EQ(captions, (std::vector<std::string>{"Clarimo 2.1 -.", "Clarimo 2.1 -..", "Clarimo 2.1 -..."}));
    EXPECT_EQ(Setting("Cb"), " 2");
    EXPECT_EQ(Setting("Vmode"), "1");
    EXPECT_EQ(Setting("Trm"), "1");
}

TEST_F(FrmMainTest, SessionEndIsAnOrderlyEndUnlessItIsCancelled) {
    shell::FrmMain form([this] { ++ended_; });
    int saves = 0;
    form.OtherWindows.Register(
        "Frm_Startup", [] {}, [&] { ++saves; });
    form.Form_Load();
    form.CurrentPage = 4;

    EXPECT_TRUE(form.Form_QueryEndSession());
    EXPECT_EQ(Setting("Trm"), "1");
    EXPECT_EQ(Setting("Cb"), " 4");
    EXPECT_EQ(Setting("Vmode"), "0");
    EXPECT_EQ(saves, 1);

    form.Form_EndSession(false);  // another program refused: the run goes on
    EXPECT_EQ(Setting("Trm"), "0");

    form.CurrentPage = 1;
    EXPECT_TRUE(form.Form_QueryEndSession());
    form.Form_EndSession(true);
    EXPECT_EQ(Setting("Trm"), "1");
    EXPECT_EQ(Setting("Cb"), " 1");
    EXPECT_EQ(saves, 3);
    EXPECT_EQ(ended_, 0);  // Windows ends the process itself
}

}  // namespace
