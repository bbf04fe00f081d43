// The privacy page's logic against the real registry, files and URL cache of
// the test prefix: detection, tool tips, the counter and the Clean button,
// the Select entries and the clean road.
#include "privacy/frm_privacy.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "core/cls_file_folder.h"
#include "platform/file_system.h"
#include "privacy/frm_privacy_prog.h"
#include "privacy/privacy_page_fixture.h"
#include "support/temp_folder.h"

namespace {

using privacy::Frm_Privacy;
using privacy_testing::ProgramTraces;
using testing_support::TempFolder;

constexpr int kWinRar = 15, kAcdSee = 18, kAdobe = 19;

TEST(FrmPrivacy, ProgramItemsFollowTheirKeys) {
    ProgramTraces traces;
    Frm_Privacy page;
    page.Form_Load();
    // All absent: disabled, with the "(No Recent)" captions as spelled.
    for (int i = 12; i <= 19; ++i) EXPECT_FALSE(page.Chk()[i].enabled) << i;
    EXPECT_EQ(page.Chk()[12].caption, "Ms WordPad (No Recent)");
    EXPECT_EQ(page.Chk()[kWinRar].caption, "Win Rar  (No Recent)");
    EXPECT_EQ(page.Chk()[kAdobe].caption, "Adobe Acrobat Reader 5.0 && 6.0 (No Recent)");
    // The Windows and browser items never depend on detection.
    for (int i = 0; i <= 11; ++i) EXPECT_TRUE(page.Chk()[i].enabled) << i;
    EXPECT_EQ(page.Chk()[4].caption, "Find Files && Text Search *");

    for (int i = 12; i <= 17; ++i) traces.AddProgram(i);
    // The ACDSee key alone, then with an empty value, is no trace.
    traces.AddKey("Software\\ACD Systems\\ACDSee");
    page.ChkItems();
    for (int i = 12; i <= 17; ++i) EXPECT_TRUE(page.Chk()[i].enabled) << i;
    EXPECT_EQ(page.Chk()[kWinRar].caption, "Win Rar");
    EXPECT_EQ(page.Chk()[12].caption, "Ms WordPad");
    EXPECT_FALSE(page.Chk()[kAcdSee].enabled);
    traces.SetValue("Software\\ACD Systems\\ACDSee", "LastFolder", "");
    page.ChkItems();
    EXPECT_FALSE(page.Chk()[kAcdSee].enabled);
    EXPECT_EQ(page.Chk()[kAcdSee].caption, "ACDSee (No Recent)");
    traces.SetValue("Software\\ACD Systems\\ACDSee", "LastFolder", "C:\\Pictures");
    page.ChkItems();
    EXPECT_TRUE(page.Chk()[kAcdSee].enabled);
    EXPECT_EQ(page.Chk()[kAcdSee].caption, "ACDSee");

    // Only the Adobe Reader 6.0 key: present, without the design caption's blank.
    EXPECT_FALSE(page.Chk()[kAdobe].enabled);
    traces.AddKey("Software\\Adobe\\Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles");
    page.ChkItems();
    EXPECT_TRUE(page.Chk()[kAdobe].enabled);
    EXPECT_EQ(page.Chk()[kAdobe].caption, "Adobe Acrobat Reader 5.0 && 6.0");
}

TEST(FrmPrivacy, CounterAndCleanButtonFollowEveryCheckChange) {
    ProgramTraces traces;
    traces.AddProgram(kWinRar);
    Frm_Privacy page;
    page.Form_Load();
    EXPECT_EQ(page.CheckedCount(), 0);
    EXPECT_FALSE(page.CmdCleanEnabled());
    page.SetChecked(kWinRar, true);
    EXPECT_EQ(page.CheckedCount(), 1);
    EXPECT_TRUE(page.CmdCleanEnabled());
    // Setting a value the box already has is no click.
    page.SetChecked(kWinRar, true);
    EXPECT_EQ(page.CheckedCount(), 1);

    // The key goes: the next detection unchecks and disables the item, and
    // the counter reaching 0 disables Clean.
    traces.RemoveAll();
    page.Mnu_Pop_Refresh_Click();
    EXPECT_FALSE(page.Chk()[kWinRar].checked);
    EXPECT_FALSE(page.Chk()[kWinRar].enabled);
    EXPECT_EQ(page.CheckedCount(), 0);
    EXPECT_FALSE(page.CmdCleanEnabled());
}

TEST(FrmPrivacy, SelectEntriesCheckOnlyTheirEnabledItemsAndScroll) {
    ProgramTraces traces;
    traces.AddProgram(13);
    traces.AddProgram(16);
    Frm_Privacy page;
    page.Form_Load();
    EXPECT_TRUE(page.PrepareMenu().selectAllEnabled);
    EXPECT_FALSE(page.PrepareMenu().deselectAllEnabled);

    page.Mnu_Pop_Programs_Click();
    EXPECT_EQ(page.CheckedCount(), 2);
    EXPECT_TRUE(page.Chk()[13].checked && page.Chk()[16].checked);
    EXPECT_EQ(page.ScrollTwips(), Frm_Privacy::kProgramsScrollTwips);
    EXPECT_TRUE(page.PrepareMenu().selectAllEnabled);
    EXPECT_TRUE(page.PrepareMenu().deselectAllEnabled);

    // Select Windows: items 0 to 8, back to the top, the rest as it was.
    page.Mnu_Pop_Windows_Click();
    EXPECT_EQ(page.ScrollTwips(), 0);
    for (int i = 0; i <= 8; ++i) EXPECT_TRUE(page.Chk()[i].checked) << i;
    EXPECT_FALSE(page.Chk()[9].checked);
    EXPECT_TRUE(page.Chk()[16].checked);
    page.Mnu_Pop_Ie_Click();
    EXPECT_EQ(page.CheckedCount(), 14);

    // A position already showing the Programs group is kept.
    page.Sb_Change(2400);
    page.Mnu_Pop_Programs_Click();
    EXPECT_EQ(page.ScrollTwips(), 2400);

    // Select All leaves absent programs unchecked.
    page.Mnu_Pop_SelectAll_Click();
    EXPECT_EQ(page.CheckedCount(), 14);
    EXPECT_FALSE(page.Chk()[kWinRar].checked);

    // With every program present, all twenty: Select All is no longer offered.
    for (int i = 12; i <= 19; ++i) traces.AddProgram(i);
    page.ChkItems();
    page.Mnu_Pop_SelectAll_Click();
    EXPECT_EQ(page.CheckedCount(), 20);
    EXPECT_FALSE(page.PrepareMenu().selectAllEnabled);
    EXPECT_TRUE(page.PrepareMenu().deselectAllEnabled);
    page.Mnu_Pop_DeselectAll_Click();
    EXPECT_EQ(page.CheckedCount(), 0);
    EXPECT_FALSE(page.CmdCleanEnabled());
}

TEST(FrmPrivacy, ToolTipsGiveTempSizeAndRecentFiles) {
    TempFolder area;
    testing_support::MakeFolder(area / "Temp");
    testing_support::WriteFile(area / "Temp\\a.tmp", std::string(2048, 'a'));
    testing_support::WriteFile(area / "Temp\\b.tmp", std::string(1024, 'b'));
    privacy_testing::EnvironmentOverride tmp("TMP", area / "Temp");
    privacy_testing::EnvironmentOverride temp("TEMP", area / "Temp");

    const std::string recent = core::ClsFileFolder().GetSpecialFolder(8);
    ASSERT_FALSE(recent.empty());
    testing_support::MakeFolder(recent);
    core::ClsFileFolder().DeleteFolder(recent, false);

    Frm_Privacy page;
    page.Form_Load();
    EXPECT_EQ(page.Chk()[0].toolTip, "Temp Folder Size : 3 KB");
    EXPECT_EQ(page.Chk()[2].toolTip, "Recent Documents Folder is Empty");

    // Hidden files are not counted, but the size is the folder's.
    testing_support::WriteFile(recent + "\\one.lnk", std::string(1000, 'x'));
    testing_support::WriteFile(recent + "\\two.lnk", std::string(536, 'y'));
    testing_support::WriteFile(recent + "\\hidden.lnk", std::string(100, 'z'));
    platform::SetAttributes(recent + "\\hidden.lnk", platform::attributes::kHidden);
    page.ChkItems();
    EXPECT_EQ(page.Chk()[2].toolTip, "Recent Files : 2, Size : 1.6 KB");
    core::ClsFileFolder().DeleteFolder(recent, false);
}

TEST(FrmPrivacy, CookieCountDecidesTheManageCookiesLink) {
    Frm_Privacy page;
    ASSERT_EQ(page.GetChach(1), 0) << "the prefix's cache already holds cookies";
    const int othersBefore = page.GetChach(0);
    page.Form_Load();
    EXPECT_FALSE(page.Lnk1.Enabled());

    privacy_testing::CacheEntries cache;
    ASSERT_TRUE(cache.Add("Cookie:user@example.com/"));
    ASSERT_TRUE(cache.Add("Cookie:user@example.org/shop"));
    ASSERT_TRUE(cache.Add("http://example.com/Cookie.gif"));
    ASSERT_TRUE(cache.Add("http://example.com/index.html"));
    // Case-sensitive; "Cookie" elsewhere is counted by neither kind.
    ASSERT_TRUE(cache.Add("http://example.com/cookie.txt"));
    EXPECT_EQ(page.GetChach(1), 2);
    EXPECT_EQ(page.GetChach(0), othersBefore + 2);
    page.ChkItems();
    EXPECT_TRUE(page.Lnk1.Enabled());
    EXPECT_EQ(page.Lnk1.Caption(), "Manage Cookies");
}

TEST(FrmPrivacy, CleanRoadRunsInsideTheProgressWindowThenDetectsAgain) {
    ProgramTraces traces;
    traces.AddProgram(kWinRar);
    traces.AddProgram(kAcdSee);
    Frm_Privacy page;
    page.Form_Load();
    page.SetChecked(kWinRar, true);
    page.SetChecked(kAcdSee, true);

    bool cleanEnabledDuringProgress = true;
    bool keyThereBeforeTimer = false;
    int progressShown = 0;
    page.onShowProgress = [&](const std::function<void()>& clean) {
        ++progressShown;
        cleanEnabledDuringProgress = page.CmdCleanEnabled();
        keyThereBeforeTimer = ProgramTraces::KeyExists("Software\\WinRAR\\ArcHistory");
        privacy::FrmPrivacyProg progress(clean);
        progress.Tim_Timer();
    };
    page.Cmd_Clean_Click();
    EXPECT_EQ(progressShown, 1);
    EXPECT_FALSE(cleanEnabledDuringProgress);
    EXPECT_TRUE(keyThereBeforeTimer);
    EXPECT_FALSE(ProgramTraces::KeyExists("Software\\WinRAR\\ArcHistory"));
    // ACDSee loses its value, keeps its key.
    EXPECT_TRUE(ProgramTraces::KeyExists("Software\\ACD Systems\\ACDSee"));
    // The new state: both items gone, unchecked; Clean enabled again.
    EXPECT_FALSE(page.Chk()[kWinRar].enabled);
    EXPECT_FALSE(page.Chk()[kAcdSee].enabled);
    EXPECT_EQ(page.CheckedCount(), 0);
    EXPECT_TRUE(page.CmdCleanEnabled());
    EXPECT_FALSE(page.Balloon.Shown());

    // Nothing checked: the progress window still opens and closes.
    page.Cmd_Clean_Click();
    EXPECT_EQ(progressShown, 2);
}

TEST(FrmPrivacy, RefusedTempFolderIsLeftAloneAndNamedInTheBalloon) {
    testing_support::WriteFile("C:\\privacy_marker.txt", "keep");
    privacy_testing::EnvironmentOverride tmp("TMP", "C:\\");
    privacy_testing::EnvironmentOverride temp("TEMP", "C:\\");
    Frm_Privacy page;
    page.Form_Load();
    page.SetChecked(0, true);
    page.Cmd_Clean_Click();
    EXPECT_TRUE(testing_support::Exists("C:\\privacy_marker.txt"));
    EXPECT_TRUE(testing_support::Exists("C:\\windows"));
    ASSERT_TRUE(page.Balloon.Shown());
    EXPECT_EQ(page.Balloon.Icon(), controls::MessageIcon::Error);
    EXPECT_NE(page.Balloon.Message().find("C:"), std::string::npos) << page.Balloon.Message();
    platform::RemoveFile("C:\\privacy_marker.txt");
}

TEST(FrmPrivacyProg, TimerRunsTheCleanOnceAndAlwaysCloses) {
    int cleans = 0, unloads = 0;
    privacy::FrmPrivacyProg progress([&] { ++cleans; });
    progress.onUnload = [&] { ++unloads; };
    EXPECT_TRUE(progress.TimEnabled());
    progress.Tim_Timer();
    progress.Tim_Timer();
    EXPECT_EQ(cleans, 1);
    EXPECT_EQ(unloads, 1);
    EXPECT_TRUE(progress.Unloaded());

    privacy::FrmPrivacyProg failing([] { throw std::runtime_error("clean failed"); });
    failing.onUnload = [&] { ++unloads; };
    EXPECT_THROW(failing.Tim_Timer(), std::runtime_error);
    EXPECT_EQ(unloads, 2);
}

}  // namespace
