#include "privacy/frm_privacy.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/file_system.h"
#include "privacy/frm_privacy_prog.h"
#include "privacy/privacy_page_fixture.h"
#include "support/temp_folder.h"

namespace {

using privacy::Frm_Privacy;
using privacy::kFirefoxItem;
using namespace privacy_testing;
using testing_support::WriteFile;

constexpr int kWinRar = 15, kAcdSee = 18, kAdobe = 19;
constexpr char kAcdSeeKey[] = "Software\\ACD Systems\\ACDSee";

TEST(FrmPrivacy, ProgramItemsFollowTheirKeysAndSelectEntriesCheckOnlyEnabledItemsAndScroll) {
    ProgramTraces traces;
    BrowserProfiles browsers;
    Frm_Privacy page;
    page.Form_Load();
    for (int i = 0; i <= 19; ++i) EXPECT_EQ(page.Chk()[i].enabled, i <= 11) << i;

    for (int i = 12; i <= 17; ++i) traces.AddProgram(i);
    traces.SetValue(kAcdSeeKey, "LastFolder", "");  // neither the key nor an empty value is a trace
    page.ChkItems();
    for (int i = 12; i <= 17; ++i) EXPECT_TRUE(page.Chk()[i].enabled) << i;
    EXPECT_FALSE(page.Chk()[kAcdSee].enabled);
    EXPECT_EQ(page.Chk()[kAcdSee].caption, "ACDSee (No Recent)");
    traces.SetValue(kAcdSeeKey, "LastFolder", "C:\\Pictures");
    traces.SetValue("Software\\Adobe\\Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles");  // only the 6.0 key
    page.ChkItems();
    EXPECT_TRUE(page.Chk()[kAcdSee].enabled && page.Chk()[kAdobe].enabled);
    EXPECT_EQ(page.Chk()[kAcdSee].caption, "ACDSee");

    EXPECT_FALSE(page.CmdCleanEnabled());
    page.SetChecked(kWinRar, true);
    page.SetChecked(kWinRar, true);  // the value it has: no click
    EXPECT_TRUE(page.CheckedCount() == 1 && page.CmdCleanEnabled());
    // The key goes: detection unchecks and disables the item; Clean follows.
    traces.RemoveAll();
    page.Mnu_Pop_Refresh_Click();
    EXPECT_FALSE(page.Chk()[kWinRar].checked || page.Chk()[kWinRar].enabled);
    EXPECT_FALSE(page.CheckedCount() != 0 || page.CmdCleanEnabled());

    for (int program : {13, 16}) traces.AddProgram(program);
    page.ChkItems();
    page.Mnu_Pop_Programs_Click();
    EXPECT_EQ(page.CheckedCount(), 2);
    EXPECT_EQ(page.ScrollTwips(), Frm_Privacy::kProgramsScrollTwips);

    page.Mnu_Pop_Windows_Click();  // 0 to 8, back to the top
    EXPECT_EQ(page.ScrollTwips(), 0);
    page.Mnu_Pop_Ie_Click();  // 9 to 11
    EXPECT_EQ(page.CheckedCount(), 14);
    EXPECT_TRUE(page.PrepareMenu().selectAllEnabled && page.PrepareMenu().deselectAllEnabled);

    // Select All checks only the items present (not Chrome nor Firefox); then it is no longer offered.
    for (int i = 12; i <= 19; ++i) traces.AddProgram(i);
    PutFile(BrowserProfiles::Folder(privacy::kEdgeItem) + "\\Profile 3\\Preferences");
    page.ChkItems();
    page.Mnu_Pop_SelectAll_Click();
    EXPECT_TRUE(page.CheckedCount() == 21 && page.Chk()[privacy::kEdgeItem].checked);
    EXPECT_TRUE(!page.PrepareMenu().selectAllEnabled && page.PrepareMenu().deselectAllEnabled);
    page.Mnu_Pop_DeselectAll_Click();
    EXPECT_EQ(page.CheckedCount(), 0);
}

class FrmPrivacyDetection : public UrlCacheTest {};

TEST_F(FrmPrivacyDetection, ToolTipsAndTheManageCookiesLinkShowWhatIsThere) {
    BrowserProfiles browsers;
    PutFile(BrowserProfiles::Folder(kFirefoxItem) + "\\ab12.default\\cache2\\entries\\3A2B");
    const core::ClsFileFolder files;
    const std::string recent = files.GetSpecialFolder(8);
    testing_support::MakeFolder(recent);
    files.DeleteFolder(recent, false);

    Frm_Privacy page;
    page.Form_Load();
    EXPECT_FALSE(page.Lnk1.Enabled());
    EXPECT_EQ(page.Chk()[2].toolTip, "Recent Documents Folder is Empty");
    EXPECT_TRUE(page.Chk()[kFirefoxItem].enabled);
    EXPECT_EQ(page.Chk()[kFirefoxItem].toolTip, "Profiles Folder : " + BrowserProfiles::Folder(kFirefoxItem));
    // A hidden file is not counted, but the size is the whole folder's.
    WriteFile(recent + "\\one.lnk", std::string(1000, 'x'));
    WriteFile(recent + "\\two.lnk", std::string(536, 'y'));
    WriteFile(recent + "\\hidden.lnk", std::string(100, 'z'));
    platform::SetAttributes(recent + "\\hidden.lnk", platform::attributes::kHidden);
    FillCache();
    Add("http://shop.example/cookie.txt");
    page.ChkItems();
    EXPECT_EQ(page.Chk()[2].toolTip, "Recent Files : 2, Size : 1.6 KB");
    EXPECT_TRUE(page.Lnk1.Enabled());
    // Case-sensitive; "Cookie" elsewhere is counted by neither kind.
    EXPECT_EQ(page.GetChach(1), 2);
    EXPECT_EQ(page.GetChach(0), 2);
}

TEST(FrmPrivacy, CleanRunsOnceFromTheProgressWindowThenDetectsAgain) {
    ProgramTraces traces;
    traces.AddProgram(kWinRar);
    Frm_Privacy page;
    page.Form_Load();
    page.SetChecked(kWinRar, true);
    // A click that arrives while the clean waits on the system starts nothing.
    int reentries = 0;
    page.runWaiting = [&](const std::function<void()>& step) {
        if (reentries++ == 0) page.Cmd_Clean_Click();
        step();
    };
    int shown = 0;
    page.onShowProgress = [&](const std::function<void()>& clean) {
        EXPECT_FALSE(page.CmdCleanEnabled());
        EXPECT_TRUE(++shown > 1 || KeyExists("Software\\WinRAR\\ArcHistory"));  // not before the timer
        privacy::FrmPrivacyProg(clean).Tim_Timer();
    };
    page.Cmd_Clean_Click();
    EXPECT_FALSE(KeyExists("Software\\WinRAR\\ArcHistory") || page.Chk()[kWinRar].enabled || page.CheckedCount());
    EXPECT_TRUE(page.CmdCleanEnabled() && shown == 1);
    page.Cmd_Clean_Click();  // nothing checked: the window still opens
    EXPECT_EQ(shown, 2);

    // A clean that fails still closes the window, and runs only once.
    int cleans = 0, unloads = 0;
    privacy::FrmPrivacyProg failing([&] { throw std::runtime_error("clean " + std::to_string(++cleans)); });
    failing.onUnload = [&] { ++unloads; };
    EXPECT_THROW(failing.Tim_Timer(), std::runtime_error);
    failing.Tim_Timer();
    EXPECT_TRUE(cleans == 1 && unloads == 1);
}

// A temporary folder at a drive root or the Windows folder is left alone and named in the balloon with a
// browser's files in use, and the clean goes on; the next clean, which leaves nothing, hides the balloon.
TEST(FrmPrivacy, BalloonNamesWhatACleanLeftUntilTheNextClean) {
    BrowserProfiles browsers;
    const std::string entry = BrowserProfiles::Folder(kFirefoxItem) + "\\ab12.default\\cache2\\entry";
    const std::string windows = core::ClsFileFolder().GetWindowsPath();
    const std::string sentinels[] = {"C:\\clarimo-sentinel.txt", windows + "\\clarimo-sentinel.txt"};
    for (const std::string& sentinel : sentinels) WriteFile(sentinel, "keep");
    Frm_Privacy page;
    page.Form_Load();
    page.SetChecked(kFirefoxItem, true);
    for (const std::string& folder : {std::string("C:"), windows}) {
        PutFile(entry);
        const TempVariable temp(folder + "\\");
        page.SetChecked(0, true);
        const platform::UniqueHandle inUse = HoldOpen(entry);
        page.Cmd_Clean_Click();
        page.SetChecked(0, false);
        for (const std::string& sentinel : sentinels) EXPECT_TRUE(testing_support::Exists(sentinel)) << folder;
        ASSERT_TRUE(page.Balloon.Shown());
        EXPECT_EQ(page.Balloon.Icon(), controls::MessageIcon::Error);
        const std::string message = page.Balloon.Message();
        EXPECT_NE(message.find("\n" + folder), std::string::npos) << message;
        EXPECT_NE(message.find("\nMozilla Firefox Cache: 1 file in use was skipped."), std::string::npos) << message;
    }
    for (const std::string& sentinel : sentinels) platform::RemoveFile(sentinel);

    page.Cmd_Clean_Click();
    EXPECT_FALSE(testing_support::Exists(entry));
    EXPECT_FALSE(page.Balloon.Shown());
}

}  // namespace
