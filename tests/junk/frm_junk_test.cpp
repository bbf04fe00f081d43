#include "junk/frm_junk.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/results_tally.h"
#include "core/settings.h"
#include "junk/undo_log.h"
#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/shell.h"
#include "platform/throttled_pump.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

using namespace testing_support;
using Names = std::vector<std::string>;

namespace {

constexpr uint64_t kHour = 36000000000ull;  // FILETIME units

// A page over a tree of its own, with the settings files of the test.
struct Page {
    TempFolder settingsFolder, tree;
    ScriptedPrompts prompts;
    junk::Frm_Junk page{prompts};

    Page() {
        core::SetSettingsPaths(settingsFolder.path());
        core::CleanedCount = core::CleanedSize = 0;
        page.LvDrives = {junk::DriveRow{tree.path() + "\\", "tree", "", "", true}};
        page.Tm_Timer();
    }
    void Options(const std::string& key, const std::string& value) const { Set("Options", key, value); }
    void Jnk(const std::string& key, const std::string& value) const { Set("Jnk", key, value); }
    static void Set(const char* section, const std::string& key, const std::string& value) {
        core::WriteIni(core::MainIniPath, section, key, value);
    }
    Names Listed() const {
        Names names;
        for (const auto& row : page.LvResult) names.push_back(row.Text);
        std::sort(names.begin(), names.end());
        return names;
    }
    void Scan() {
        if (page.State == 2) page.Cmd_Scan_Click();
        page.Cmd_Scan_Click();
    }
    void MoveCleans(const std::string& folder) const {
        Options("ConDlg", "0");
        Options("DType", "3");
        Options("TMove", folder);
    }
};

std::string Shortcut(const std::string& at, const std::string& target) {
    std::string path = at;
    core::ClsFileFolder().CreateShortcut(target, path);
    return path + ".lnk";
}

void SetModified(const std::string& path, uint64_t fileTime) {
    platform::UniqueHandle file(::CreateFileW(platform::ToSystemPath(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
    const FILETIME time{static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &time));
}

}  // namespace

// A stop that arrives while a result is handled (as through the message
// loop) leaves the second drive unsearched; the program's end stops a
// removal, each removed file counted once and the rest left in place.
TEST(FrmJunk, StopsAScanBetweenDrivesAndTheProgramsEndStopsARemoval) {
    Page t;
    TempFolder second;
    for (int i = 0; i < 300; ++i) WriteFile(t.tree / (std::to_string(i) + ".tmp"), "12");
    WriteFile(second / "d.tmp", "x");
    t.page.LvDrives.push_back(junk::DriveRow{second.path() + "\\", "second", "", "", true});
    auto handler = t.page.Find.FindResultChanged;
    t.page.Find.FindResultChanged = [&] {
        handler();
        if (t.page.State == 1) t.page.Cmd_Scan_Click();
    };
    t.page.Cmd_Scan_Click();
    EXPECT_EQ(t.page.LvResult.size(), 1u);
    EXPECT_TRUE(t.page.State == 2 && !t.page.Searching);

    t.page.Find.FindResultChanged = handler;
    t.page.LvDrives.pop_back();
    t.Options("ConDlg", "0");  // to the recycle bin, without asking
    t.Scan();
    ASSERT_EQ(t.page.LvResult.size(), 300u);
    t.page.SetAllResults(true);
    ::PostQuitMessage(3);  // the program ends while the worker removes
    t.page.Cmd_Del_Click();
    MSG quit;
    EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // left for the main loop
    EXPECT_GT(t.page.LvResult.size(), 0u) << "the removal stopped";
    EXPECT_EQ(core::CleanedCount + t.page.LvResult.size(), 300u);
    EXPECT_EQ(core::CleanedSize, 2 * core::CleanedCount);
    for (const junk::ResultRow& row : t.page.LvResult) EXPECT_TRUE(Exists(row.Key)) << row.Key;
    EXPECT_EQ(t.page.LastFailures, 0u);
}

// Shortcuts are junk only when their target is certainly gone; read-only
// and system files are skipped whatever their other bits; files changed in
// the last 24 hours only when the age filter is on.
TEST(FrmJunk, ScanSwitchesForShortcutsProtectedAndRecentFiles) {
    platform::ComApartment com;
    Page t;
    WriteFile(t.tree / "target.exe", "x");
    WriteFile(t.tree / "noextension", "x");
    MakeFolder(t.tree / "Folder.v2");
    Shortcut(t.tree / "good", t.tree / "target.exe");
    Shortcut(t.tree / "noext", t.tree / "noextension");  // a file without extension that exists
    Shortcut(t.tree / "dotted", t.tree / "Folder.v2");   // a folder with a dot that exists
    const std::string bad = Shortcut(t.tree / "bad", t.tree / "gone\\x.exe");
    Shortcut(t.tree / "usb", "Y:\\tools\\x.exe");          // a drive that is not there
    Shortcut(t.tree / "net", "\\\\server\\share\\x.exe");  // a network path
    for (const char* name : {"plain.tmp", "rohidden.tmp", "hidden.tmp", "hour.tmp"}) WriteFile(t.tree / name, "x");
    SetAttributes(t.tree / "rohidden.tmp", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);  // 0x23: not 33
    SetAttributes(t.tree / "hidden.tmp", FILE_ATTRIBUTE_HIDDEN);
    const uint64_t now = platform::CurrentFileTime();
    for (const std::string& old : {bad, t.tree / "plain.tmp", t.tree / "rohidden.tmp"})
        SetModified(old, now - 48 * kHour);
    SetModified(t.tree / "hour.tmp", now - kHour);
    t.Scan();  // ish absent: shortcuts are scanned
    EXPECT_EQ(t.Listed(), (Names{"bad.lnk", "hidden.tmp", "hour.tmp", "plain.tmp"}));
    t.Jnk("ish", "0");
    t.Jnk("Age", "1");
    t.Jnk("Hr", "0");
    t.Scan();
    EXPECT_EQ(t.Listed(), (Names{"plain.tmp", "rohidden.tmp"}));
    SetAttributes(t.tree / "rohidden.tmp", FILE_ATTRIBUTE_NORMAL);
}

TEST(FrmJunk, RecycleTickedRowsKeepsTheOthersInOrder) {
    Page t;
    for (const char* name : {"1.tmp", "2.tmp", "3.tmp", "4.tmp"}) WriteFile(t.tree / name, "abc");
    t.Scan();
    t.page.Cmd_Del_Click();  // nothing ticked
    EXPECT_EQ(t.prompts.messages.at(0).text, "No items selected, Please select some items to delete");
    const auto rows = t.page.LvResult;
    t.page.LvResult[1].Checked = t.page.LvResult[2].Checked = true;
    t.prompts.messageAnswers = {core::PromptAnswer::No};  // the confirmation (ConDlg defaults to on)
    t.page.Cmd_Del_Click();
    EXPECT_TRUE(Exists(rows[1].Key));
    EXPECT_EQ(t.prompts.messages.back().text, "Are you sure you want to delete selected items ?");

    t.page.Cmd_Del_Click();  // Yes
    EXPECT_FALSE(Exists(rows[1].Key));
    ASSERT_EQ(t.page.LvResult.size(), 2u);
    EXPECT_EQ(t.page.LvResult[0].Key + t.page.LvResult[1].Key, rows[0].Key + rows[3].Key);
    EXPECT_TRUE(t.page.Undo_Visible);
    t.page.Undo_Click();
    EXPECT_NE(t.prompts.messages.back().text.find("Recycle Bin"), std::string::npos);
}

TEST(FrmJunk, DeleteAndMoveNeverOverwriting) {
    Page t;
    TempFolder moveTo;
    WriteFile(t.tree / "a.tmp", "new");
    WriteFile(moveTo / "a.tmp", "old");
    WriteFile(moveTo / "a (2).tmp", "older");
    t.MoveCleans(moveTo.path());
    t.Scan();
    t.page.SetAllResults(true);
    t.page.Cmd_Del_Click();
    EXPECT_FALSE(Exists(t.tree / "a.tmp"));
    EXPECT_EQ(
        ReadFileBytes(moveTo / "a.tmp") + ReadFileBytes(moveTo / "a (2).tmp") + ReadFileBytes(moveTo / "a (3).tmp"),
        "oldoldernew");
    // A name that cannot be probed is not taken for a taken one.
    platform::ThrottledPump pump;
    EXPECT_EQ(junk::FreeMoveTarget(moveTo.path() + "\\", "a|b.tmp", pump), std::nullopt);
    // Moved files are not offered again while moves go there.
    MakeFolder(t.tree / "moved");
    WriteFile(t.tree / "moved\\c.tmp", "c");
    WriteFile(t.tree / "b.tmp", "bb");
    t.Options("TMove", t.tree / "moved");
    t.Scan();
    EXPECT_EQ(t.Listed(), Names{"b.tmp"});

    t.Options("DType", "2");
    t.Options("ConDlg", "1");
    t.page.SetAllResults(true);
    t.page.Cmd_Del_Click();
    EXPECT_NE(t.prompts.messages.back().text.find("there is no undo."), std::string::npos);
    EXPECT_FALSE(Exists(t.tree / "b.tmp"));
    EXPECT_EQ(core::CleanedCount, 1u);  // counted from "< Back"
}

// A file in use, one written or touched since the scan (an autosave), one
// gone meanwhile, and one whose size and date cannot be read any more (its
// folder held without sharing): none is counted, and what stays keeps its
// attributes.
TEST(FrmJunk, OnlyFilesAsPreviewedAreRemovedAndFailuresStayListed) {
    Page t;
    MakeFolder(t.tree / "held");
    for (const char* name : {"busy.tmp", "free.tmp", "vanished.tmp", "grown.tmp", "touched.tmp", "held\\held.tmp"})
        WriteFile(t.tree / name, name);
    t.Options("ConDlg", "0");
    t.Options("DType", "2");
    t.Jnk("Hr", "0");
    t.Scan();
    WriteFile(t.tree / "grown.tmp", "autosaved");
    SetModified(t.tree / "touched.tmp", 0x01E0000010000000ull);
    SetAttributes(t.tree / "busy.tmp", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const uint32_t busyAttributes = Attributes(t.tree / "busy.tmp");
    ::DeleteFileW(platform::ToSystemPath(t.tree / "vanished.tmp").c_str());
    // Show the hint first: a later report must not be hidden behind it.
    t.page.Cmd_Del_Click();
    ASSERT_TRUE(t.page.Info.Visible);
    t.page.SetAllResults(true);
    {
        const auto hold = [](const std::string& path, DWORD flags) {
            return platform::UniqueHandle(::CreateFileW(platform::ToSystemPath(path).c_str(), GENERIC_READ, 0, nullptr,
                                                        OPEN_EXISTING, flags, nullptr));
        };
        const platform::UniqueHandle open = hold(t.tree / "busy.tmp", 0);
        const platform::UniqueHandle held = hold(t.tree / "held", FILE_FLAG_BACKUP_SEMANTICS);
        ASSERT_TRUE(open.valid() && held.valid());
        t.page.Cmd_Del_Click();
    }
    EXPECT_EQ(Attributes(t.tree / "busy.tmp"), busyAttributes);  // restored
    EXPECT_TRUE(Exists(t.tree / "held\\held.tmp"));
    EXPECT_EQ(t.Listed(), (Names{"busy.tmp", "grown.tmp", "held.tmp", "touched.tmp"}));
    EXPECT_EQ(core::CleanedCount, 1u);  // the vanished file leaves its row but was not removed here
    EXPECT_EQ(core::CleanedSize, 8u);
    EXPECT_EQ(t.page.Info.Text, "4 files could not be removed.");
    SetAttributes(t.tree / "busy.tmp", FILE_ATTRIBUTE_NORMAL);
}

TEST(FrmJunk, LongPathsAndNamesOutsideTheAnsiCodePageAreListedExportedAndRemoved) {
    Page t;
    std::string deep = t.tree.path();
    while (deep.size() < 300) deep += "\\\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0-folder";  // Папка
    MakeFolder(deep);
    const std::string longFile = deep + "\\\xE6\x96\x87\xE4\xBB\xB6.tmp";  // 文件.tmp
    WriteFile(longFile, "long");
    const std::string recycled = t.tree / "\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB.tmp";  // Файл.tmp
    WriteFile(recycled, "abc");
    SetModified(recycled, 132224078450000000ull);  // 2020-01-02 03:04:05 UTC
    SetModified(longFile, 132224078450000000ull + kHour);
    t.Options("ConDlg", "0");
    t.Scan();
    t.prompts.saveFileAnswers = {deep + "\\list.txt"};
    t.page.ExportList();
    const auto& rows = t.page.LvResult;  // the tree's root upper-cased, as a drive's
    EXPECT_EQ(ReadFileBytes(deep + "\\list.txt"),
              rows[0].Key + "\t3\t2020-01-02T03:04:05Z\r\n" + rows[1].Key + "\t4\t2020-01-02T04:04:05Z\r\n");

    // Into the recycle bin (the bin may refuse the long one: it stays listed).
    t.page.SetAllResults(true);
    t.page.Cmd_Del_Click();
    EXPECT_FALSE(Exists(recycled));
    t.Options("DType", "2");
    t.page.SetAllResults(true);
    t.page.Cmd_Del_Click();
    EXPECT_FALSE(Exists(longFile));
}

TEST(FrmJunk, SkipThisFolderIsStoredOnceHonouredAndOpenShowsTheFile) {
    Page t;
    MakeFolder(t.tree / "sub\\deeper");
    WriteFile(t.tree / "a.tmp", "1");
    WriteFile(t.tree / "sub\\b.tmp", "22");
    WriteFile(t.tree / "sub\\deeper\\c.tmp", "333");
    t.Scan();
    const int row = 1;  // a folder's files come before its subfolders'
    ASSERT_EQ(t.page.LvResult.at(row).Text, "b.tmp");
    std::string launched;
    t.page.Launch = [&](const std::string& program, const std::string& how) { launched = program + " " + how; };
    t.page.OpenContainingFolder(row);
    const std::string file = t.page.LvResult[row].Key;
    EXPECT_EQ(launched, "explorer.exe /select,\"" + file + "\"");
    const std::string sub = file.substr(0, file.size() - 6);

    // Already there in another spelling (stored by the options meanwhile).
    const std::string spelled = t.tree / "SUB";
    junk::SaveSkipList({"C:\\Other", spelled});
    t.page.SkipFolderOf(row);
    EXPECT_EQ(junk::LoadSkipList(), (Names{"C:\\Other", spelled}));
    EXPECT_EQ(t.Listed(), Names{"a.tmp"});
    EXPECT_EQ(t.page.L2, "Found Files : 1");

    junk::SaveSkipList({});
    t.Scan();
    t.page.SkipFolderOf(row);
    EXPECT_EQ(junk::LoadSkipList(), Names{sub});
    WriteFile(t.tree / "sub\\new.tmp", "x");
    t.Scan();
    EXPECT_EQ(t.Listed(), Names{"a.tmp"});
}

TEST(FrmJunk, UndoMovesBackNameContentAndTimeNeverOverAFileAndSurvivesAKill) {
    Page t;
    TempFolder moveTo;
    WriteFile(t.tree / "a.tmp", "aaa");
    WriteFile(t.tree / "b.tmp", "bb");
    SetModified(t.tree / "a.tmp", 132224078450000000ull);
    t.MoveCleans(moveTo / "unplugged");
    t.Scan();
    t.page.SetAllResults(true);
    t.page.Cmd_Del_Click();  // a missing move folder stops the clean before anything
    EXPECT_NE(t.prompts.messages.at(0).text.find(moveTo / "unplugged"), std::string::npos);
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Options", "DType", ""), "3");  // the choice is kept
    t.Options("TMove", moveTo.path());
    MakeFolder(junk::UndoLogPath());  // no undo record can be written: nothing is moved either
    t.page.Cmd_Del_Click();
    EXPECT_NE(t.prompts.messages.at(1).text.find("Nothing was moved."), std::string::npos);
    EXPECT_EQ(core::CleanedCount, 0u);
    EXPECT_FALSE(t.page.Undo_Visible);
    platform::RemoveEmptyFolder(junk::UndoLogPath());
    t.page.Cmd_Del_Click();
    ASSERT_FALSE(Exists(t.tree / "a.tmp"));
    EXPECT_TRUE(t.page.Undo_Visible);
    WriteFile(t.tree / "b.tmp", "taken");
    t.page.Undo_Click();
    EXPECT_EQ(ReadFileBytes(t.tree / "a.tmp"), "aaa");
    EXPECT_EQ(platform::LastWriteTime(t.tree / "a.tmp"), 132224078450000000ull);
    EXPECT_EQ(ReadFileBytes(t.tree / "b.tmp") + ReadFileBytes(moveTo / "b.tmp"), "takenbb");
    EXPECT_EQ(t.prompts.messages.back().text,
              "1 file came back.\r\n1 file could not be moved back: the place is taken, or the move folder lost it.");
    EXPECT_TRUE(t.page.Undo_Visible);  // b waits in the move folder

    // The state a clean killed after its first move leaves: the second file
    // recorded but not moved, and an unfinished line.
    WriteFile(t.tree / "c.tmp", "c");
    junk::UndoLogWriter writer(junk::UndoLogPath());
    ASSERT_TRUE(writer.Begin(moveTo.path() + "\\"));
    ASSERT_TRUE(writer.Moving({t.tree / "a.tmp", "a.tmp", 3, 0}));
    ASSERT_TRUE(core::ClsFileFolder().MoveFile(t.tree / "a.tmp", moveTo / "a.tmp"));
    ASSERT_TRUE(writer.Moved());
    ASSERT_TRUE(writer.Moving({t.tree / "c.tmp", "c.tmp", 1, 0}));
    platform::AppendFileContent(junk::UndoLogPath(), "2Do");
    const junk::UndoOutcome outcome = junk::UndoLastClean(junk::UndoLogPath());
    EXPECT_EQ(outcome.Restored, 1u);
    EXPECT_EQ(outcome.NotRestored, 0u);
    EXPECT_EQ(ReadFileBytes(t.tree / "a.tmp") + ReadFileBytes(t.tree / "c.tmp"), "aaac");
    EXPECT_FALSE(Exists(junk::UndoLogPath()));
}
