#include "junk/frm_junk.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/results_tally.h"
#include "core/settings.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/shell.h"
#include "platform/throttled_pump.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"

using testing_support::Attributes;
using testing_support::Exists;
using testing_support::MakeFolder;
using testing_support::SetAttributes;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

// A page over a tree of its own, with the settings files of the test.
struct Page {
    TempFolder settingsFolder;
    TempFolder tree;
    testing_support::ScriptedPrompts prompts;
    junk::Frm_Junk page{prompts};

    Page() {
        core::SetSettingsPaths(settingsFolder.path());
        core::CleanedCount = 0;
        core::CleanedSize = 0;
        page.LvDrives = {junk::DriveRow{tree.path() + "\\", "tree", "", "", true}};
        page.Tm_Timer();
    }
    void Options(const std::string& key, const std::string& value) const {
        core::WriteIni(core::MainIniPath, "Options", key, value);
    }
    void Jnk(const std::string& key, const std::string& value) const {
        core::WriteIni(core::MainIniPath, "Jnk", key, value);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& row : page.LvResult) names.push_back(row.Text);
        std::sort(names.begin(), names.end());
        return names;
    }
    void Scan() {
        if (page.State == 2) page.Cmd_Scan_Click();
        page.Cmd_Scan_Click();
    }
    void Tick(const std::vector<std::string>& names) {
        for (auto& row : page.LvResult) row.Checked = std::find(names.begin(), names.end(), row.Text) != names.end();
    }
};

uint64_t RecycleBinItems() { return platform::QueryRecycleBin().value_or(platform::RecycleBinContents{}).items; }

std::string Shortcut(const std::string& at, const std::string& target) {
    std::string path = at;
    core::ClsFileFolder().CreateShortcut(target, path);
    return path + ".lnk";
}

}  // namespace

TEST(FrmJunk, ScanListsMatchesAndWalksThroughTheStates) {
    Page t;
    WriteFile(t.tree / "a.tmp", "12345");
    WriteFile(t.tree / "keep.txt", "x");
    MakeFolder(t.tree / "sub");
    WriteFile(t.tree / "sub\\b.BAK", "1234567890");
    EXPECT_TRUE(t.page.Cmd_Scan_Enabled);
    ASSERT_FALSE(Exists(core::FtsIniPath));
    t.page.Cmd_Scan_Click();
    EXPECT_TRUE(Exists(core::FtsIniPath));  // the defaults were written first
    EXPECT_EQ(t.Names(), (std::vector<std::string>{"a.tmp", "b.BAK"}));
    EXPECT_EQ(t.page.State, 2);
    EXPECT_EQ(t.page.Cmd_Scan_Caption, "< Back");
    EXPECT_EQ(t.page.L1, "Complete...");
    EXPECT_EQ(t.page.L2, "Found Files : 2");
    EXPECT_EQ(t.page.L3, "All Files Size : 15 Byte");
    EXPECT_EQ(t.page.Scan_Tip, "Scan For Junk Files");
    EXPECT_TRUE(t.page.Cmd_Del_Enabled);
    EXPECT_FALSE(t.page.TimeEnabled);
    EXPECT_FALSE(t.page.LvDrivesVisible);

    // Details of a row, then the summary back.
    t.page.ShowResultDetails(0);
    EXPECT_EQ(t.page.L3.rfind("File Size : ", 0), 0u);
    t.page.RestoreSummary();
    EXPECT_EQ(t.page.L2, "Found Files : 2");

    core::CleanedCount = 3;
    t.page.Cmd_Scan_Click();  // "< Back"
    EXPECT_EQ(t.page.State, 0);
    EXPECT_EQ(t.page.Cmd_Scan_Caption, "Scan");
    EXPECT_EQ(t.page.Scan_Tip, "Drives To Scan");
    EXPECT_TRUE(t.page.LvResult.empty());
    EXPECT_EQ(core::CleanedCount, 0u);
}

TEST(FrmJunk, NoCheckedTypeRefusesToScan) {
    Page t;
    junk::SaveTypeList({{"*.tmp", "", false}});
    t.page.Cmd_Scan_Click();
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0].text, "Please check the files types you want to search for.");
    EXPECT_EQ(t.prompts.messages[0].title, "Clarimo");
    EXPECT_EQ(t.page.State, 0);
}

TEST(FrmJunk, StopDuringTheFirstDriveLeavesTheSecondUnsearched) {
    Page t;
    TempFolder second;
    for (const char* name : {"a.tmp", "b.tmp", "c.tmp"}) WriteFile(t.tree / name, "x");
    WriteFile(second / "d.tmp", "x");
    t.page.LvDrives.push_back(junk::DriveRow{second.path() + "\\", "second", "", "", true});
    // Stop arrives while a result is being handled, as through the message loop.
    auto handler = t.page.Find.FindResultChanged;
    t.page.Find.FindResultChanged = [&] {
        handler();
        if (t.page.State == 1) t.page.Cmd_Scan_Click();
    };
    t.page.Cmd_Scan_Click();
    EXPECT_EQ(t.page.LvResult.size(), 1u);
    EXPECT_EQ(t.page.L1, "Canceled...");
    EXPECT_EQ(t.page.Cmd_Scan_Caption, "< Back");
    EXPECT_FALSE(t.page.TimeEnabled);
    EXPECT_FALSE(t.page.Searching);
    EXPECT_EQ(t.page.State, 2);
}

TEST(FrmJunk, ShortcutsAreJunkOnlyWhenTheirTargetIsCertainlyGone) {
    platform::ComApartment com;
    Page t;
    WriteFile(t.tree / "target.exe", "x");
    WriteFile(t.tree / "noextension", "x");
    MakeFolder(t.tree / "Folder.v2");
    Shortcut(t.tree / "good", t.tree / "target.exe");
    Shortcut(t.tree / "noext", t.tree / "noextension");  // a file without extension that exists
    Shortcut(t.tree / "dotted", t.tree / "Folder.v2");   // a folder with a dot that exists
    Shortcut(t.tree / "bad", t.tree / "gone\\x.exe");
    Shortcut(t.tree / "usb", "Y:\\tools\\x.exe");          // a drive that is not there
    Shortcut(t.tree / "net", "\\\\server\\share\\x.exe");  // a network path
    t.Scan();                                              // ish absent: shortcuts are scanned
    EXPECT_EQ(t.Names(), std::vector<std::string>{"bad.lnk"});
    t.Jnk("ish", "0");
    t.Scan();
    EXPECT_TRUE(t.page.LvResult.empty());
}

TEST(FrmJunk, ReadOnlyAndSystemFilesAreSkippedWhateverTheOtherBits) {
    Page t;
    WriteFile(t.tree / "plain.tmp", "x");
    WriteFile(t.tree / "ro.tmp", "x");
    WriteFile(t.tree / "rohidden.tmp", "x");
    WriteFile(t.tree / "hidden.tmp", "x");
    SetAttributes(t.tree / "ro.tmp", FILE_ATTRIBUTE_READONLY);
    SetAttributes(t.tree / "rohidden.tmp", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);  // 0x23: not 33
    SetAttributes(t.tree / "hidden.tmp", FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(Attributes(t.tree / "rohidden.tmp") & 0x23, 0x23u);
    t.Scan();
    EXPECT_EQ(t.Names(), (std::vector<std::string>{"hidden.tmp", "plain.tmp"}));
    t.Jnk("Hr", "0");
    t.Scan();
    EXPECT_EQ(t.Names().size(), 4u);
    for (const char* name : {"ro.tmp", "rohidden.tmp"}) SetAttributes(t.tree / name, FILE_ATTRIBUTE_NORMAL);
}

TEST(FrmJunk, ElapsedTimeClock) {
    Page t;
    t.page.TimeEnabled = true;
    for (int i = 0; i < 59; ++i) t.page.Time_Timer();
    EXPECT_EQ(t.page.L4, "Elapsed Time : 59 Seconds");
    t.page.Time_Timer();
    EXPECT_EQ(t.page.L4, "Elapsed Time : 1 Minute");
}

TEST(FrmJunk, CleanWithNothingTicked) {
    Page t;
    WriteFile(t.tree / "a.tmp", "x");
    t.Scan();
    t.page.Cmd_Del_Click();
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0].text, "No items selected, Please select some items to delete");
    EXPECT_TRUE(t.page.Info.Visible);
    EXPECT_EQ(t.page.Info.Text, "Right click on the files list then click on select all to select all files.");

    // 200 rows or more: only the removal's own count asks.
    for (int i = 0; i < 250; ++i) t.page.LvResult.push_back({"C:\\x" + std::to_string(i), "x", 0, 0, false});
    t.prompts.messages.clear();
    t.page.Cmd_Del_Click();
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_EQ(t.prompts.messages[0].text, "No items selected, Please select items to delete");
}

TEST(FrmJunk, RecycleTickedRowsKeepsTheOthersInOrder) {
    Page t;
    for (const char* name : {"1.tmp", "2.tmp", "3.tmp", "4.tmp", "5.tmp"}) WriteFile(t.tree / name, "abc");
    t.Scan();
    ASSERT_EQ(t.page.LvResult.size(), 5u);
    std::vector<std::string> order;
    for (const auto& row : t.page.LvResult) order.push_back(row.Text);
    t.page.LvResult[1].Checked = t.page.LvResult[2].Checked = true;
    const std::string second = t.page.LvResult[1].Key, third = t.page.LvResult[2].Key;

    t.prompts.messageAnswers = {core::PromptAnswer::No};  // the confirmation (ConDlg defaults to on)
    t.page.Cmd_Del_Click();
    EXPECT_EQ(t.page.LvResult.size(), 5u);
    EXPECT_TRUE(Exists(second));
    EXPECT_EQ(t.prompts.messages.back().text, "Are you sure you want to delete selected items ?");

    const uint64_t before = RecycleBinItems();
    t.page.Cmd_Del_Click();  // Yes
    EXPECT_FALSE(Exists(second));
    EXPECT_FALSE(Exists(third));
    ASSERT_EQ(t.page.LvResult.size(), 3u);
    EXPECT_EQ(t.page.LvResult[0].Text, order[0]);
    EXPECT_EQ(t.page.LvResult[1].Text, order[3]);
    EXPECT_EQ(t.page.LvResult[2].Text, order[4]);
    EXPECT_EQ(core::CleanedCount, 2u);
    EXPECT_EQ(core::CleanedSize, 6u);
    const uint64_t after = RecycleBinItems();
    EXPECT_EQ(after, before + 2);  // in the bin, not destroyed
}

TEST(FrmJunk, DeleteAndMoveNeverOverwriting) {
    Page t;
    TempFolder moveTo;
    WriteFile(t.tree / "a.tmp", "new");
    WriteFile(t.tree / "b.tmp", "bb");
    WriteFile(moveTo / "a.tmp", "old");
    WriteFile(moveTo / "a (2).tmp", "older");
    t.Options("ConDlg", "0");
    t.Options("DType", "3");
    t.Options("TMove", moveTo.path());
    t.Scan();
    t.Tick({"a.tmp"});
    t.page.Cmd_Del_Click();
    EXPECT_FALSE(Exists(t.tree / "a.tmp"));
    EXPECT_EQ(testing_support::ReadFileBytes(moveTo / "a.tmp"), "old");
    EXPECT_EQ(testing_support::ReadFileBytes(moveTo / "a (2).tmp"), "older");
    EXPECT_EQ(testing_support::ReadFileBytes(moveTo / "a (3).tmp"), "new");
    EXPECT_EQ(core::CleanedCount, 1u);
    // A name that cannot be probed is not taken for a taken one.
    platform::ThrottledPump pump;
    EXPECT_EQ(junk::FreeMoveTarget(moveTo.path() + "\\", "a|b.tmp", pump), std::nullopt);
    // Moved files are not offered again while moves go there.
    MakeFolder(t.tree / "moved");
    WriteFile(t.tree / "moved\\c.tmp", "c");
    t.Options("TMove", t.tree / "moved");
    t.Scan();
    EXPECT_EQ(t.Names(), std::vector<std::string>{"b.tmp"});

    t.Options("DType", "2");
    t.Tick({"b.tmp"});
    t.page.Cmd_Del_Click();
    EXPECT_FALSE(Exists(t.tree / "b.tmp"));
    EXPECT_TRUE(t.page.LvResult.empty());
    EXPECT_EQ(core::CleanedCount, 1u);  // counted from "< Back"
    EXPECT_EQ(core::CleanedSize, 2u);
}

TEST(FrmJunk, MissingMoveFolderStopsTheCleanBeforeAnything) {
    Page t;
    TempFolder moveTo;
    WriteFile(t.tree / "a.tmp", "x");
    t.Options("ConDlg", "0");
    t.Options("DType", "3");
    t.Options("TMove", moveTo / "unplugged");
    t.Scan();
    t.page.SetAllResults(true);
    t.page.Cmd_Del_Click();
    EXPECT_TRUE(Exists(t.tree / "a.tmp"));
    EXPECT_EQ(t.page.LvResult.size(), 1u);
    ASSERT_EQ(t.prompts.messages.size(), 1u);
    EXPECT_NE(t.prompts.messages[0].text.find(moveTo / "unplugged"), std::string::npos);
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Options", "DType", ""), "3");  // the choice is kept
    EXPECT_EQ(core::CleanedCount, 0u);
}

TEST(FrmJunk, OnlyFilesAsPreviewedAreRemoved) {
    Page t;
    WriteFile(t.tree / "grown.tmp", "a");
    WriteFile(t.tree / "touched.tmp", "b");
    t.Options("ConDlg", "0");
    t.Options("DType", "2");
    t.Scan();
    WriteFile(t.tree / "grown.tmp", "autosaved");
    {
        platform::UniqueHandle file(::CreateFileW(platform::ToSystemPath(t.tree / "touched.tmp").c_str(),
                                                  FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        FILETIME later{0x10000000, 0x01E00000};
        ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &later));
    }
    t.page.SetAllResults(true);
    t.page.Cmd_Del_Click();
    EXPECT_TRUE(Exists(t.tree / "grown.tmp"));
    EXPECT_TRUE(Exists(t.tree / "touched.tmp"));
    EXPECT_EQ(t.page.LvResult.size(), 2u);
    EXPECT_EQ(core::CleanedCount, 0u);
    EXPECT_EQ(t.page.Info.Text, "2 files could not be removed.");
}

TEST(FrmJunk, FailedRemovalsStayListedWithTheirAttributesAndAreReported) {
    Page t;
    WriteFile(t.tree / "busy.tmp", "busy");
    WriteFile(t.tree / "free.tmp", "free!");
    WriteFile(t.tree / "vanished.tmp", "xx");
    t.Options("ConDlg", "0");
    t.Options("DType", "2");
    t.Jnk("Hr", "0");
    t.Scan();
    SetAttributes(t.tree / "busy.tmp", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const uint32_t busyAttributes = Attributes(t.tree / "busy.tmp");
    ::DeleteFileW(platform::ToSystemPath(t.tree / "vanished.tmp").c_str());  // size no longer readable
    // Show the hint first: a later report must not be hidden behind it.
    t.page.Cmd_Del_Click();
    ASSERT_TRUE(t.page.Info.Visible);
    t.page.SetAllResults(true);
    {
        platform::UniqueHandle open(::CreateFileW(platform::ToSystemPath(t.tree / "busy.tmp").c_str(), GENERIC_READ, 0,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(open.valid());
        t.page.Cmd_Del_Click();
    }
    EXPECT_TRUE(Exists(t.tree / "busy.tmp"));
    EXPECT_EQ(Attributes(t.tree / "busy.tmp"), busyAttributes);  // restored
    ASSERT_EQ(t.page.LvResult.size(), 1u);
    EXPECT_EQ(t.page.LvResult[0].Text, "busy.tmp");
    EXPECT_EQ(core::CleanedCount, 1u);  // the vanished file leaves its row but was not removed here
    EXPECT_EQ(core::CleanedSize, 5u);
    EXPECT_EQ(t.page.LastFailures, 1u);
    EXPECT_TRUE(t.page.Info.Visible);
    EXPECT_EQ(t.page.Info.Text, "1 file could not be removed.");
    SetAttributes(t.tree / "busy.tmp", FILE_ATTRIBUTE_NORMAL);
}

TEST(FrmJunk, LongPathsAndNamesOutsideTheAnsiCodePage) {
    Page t;
    std::string deep = t.tree.path();
    while (deep.size() < 300) deep += "\\\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0-folder";  // Папка
    MakeFolder(deep);
    const std::string longFile = deep + "\\\xE6\x96\x87\xE4\xBB\xB6.tmp";  // 文件.tmp
    WriteFile(longFile, "long");
    const std::string recycled = t.tree / "\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB.tmp";  // Файл.tmp
    WriteFile(recycled, "abc");
    t.Options("ConDlg", "0");
    t.Scan();
    ASSERT_EQ(t.page.LvResult.size(), 2u);

    // The recycle bin: either really in the bin, or left in place as a failure.
    const uint64_t before = RecycleBinItems();
    t.page.SetAllResults(true);
    t.page.Cmd_Del_Click();
    const uint64_t after = RecycleBinItems();
    const int64_t gone = int64_t(core::CleanedCount);
    EXPECT_EQ(after - before, gone);
    EXPECT_FALSE(Exists(recycled));
    EXPECT_EQ(Exists(longFile), gone == 1);
    EXPECT_EQ(t.page.LvResult.size(), 2u - static_cast<size_t>(gone));

    if (Exists(longFile)) {
        t.Options("DType", "2");
        t.page.SetAllResults(true);
        t.page.Cmd_Del_Click();
        EXPECT_FALSE(Exists(longFile));
        EXPECT_TRUE(t.page.LvResult.empty());
    }
}
