#include "core/cls_file_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <string>

#include "platform/clipboard.h"
#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/shell.h"
#include "support/dialog_presser.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

using core::ClsFileFolder;
using testing_support::Attributes;
using testing_support::Exists;
using testing_support::MakeFolder;
using testing_support::ReadFileBytes;
using testing_support::SetAttributes;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

const std::string kCyrillic = "\xD0\x96\xD1\x83\xD1\x80\xD0\xBD\xD0\xB0\xD0\xBB";  // Журнал

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

// A file held open without FILE_SHARE_DELETE, as a program using it would.
platform::UniqueHandle HoldOpen(const std::string& path) {
    return platform::UniqueHandle(::CreateFileW(platform::ToSystemPath(path).c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                nullptr));
}

// A folder nested deep enough that its files' paths pass 260 characters.
std::string DeepFolder(const std::string& root) {
    std::string path = root;
    for (int i = 0; i < 12; ++i) path += "\\folder-with-a-long-name-" + std::to_string(i);
    MakeFolder(path);
    return path;
}

}  // namespace

TEST(ClsFileFolder, SystemFoldersAndNames) {
    const ClsFileFolder files;
    const std::string temp = files.GetTempPathStr();
    ASSERT_FALSE(temp.empty());
    EXPECT_NE(temp.back(), '\\');
    EXPECT_TRUE(platform::FolderExists(temp));
    EXPECT_EQ(temp + "\\", platform::TempFolderWithSlash());

    EXPECT_TRUE(platform::FolderExists(files.GetWindowsPath()));
    EXPECT_NE(files.GetWindowsPath().back(), '\\');
    for (int csidl : {7, 8, 24, 32, 33}) EXPECT_FALSE(files.GetSpecialFolder(csidl).empty()) << "CSIDL " << csidl;
    EXPECT_EQ(files.GetSpecialFolder(0x7ABC), "");

    const std::string version = files.GetWinVersion(0);  // " 6.1" for the prefix's Windows 7
    ASSERT_GE(version.size(), 4u);
    EXPECT_EQ(version[0], ' ');
    EXPECT_NE(version.find('.'), std::string::npos);
    EXPECT_EQ(files.GetWinVersion(1)[0], ' ');
    EXPECT_EQ(files.GetWinVersion(2), "");
}

TEST(ClsFileFolder, SizesOfFilesFoldersAndDrives) {
    const ClsFileFolder files;
    TempFolder folder;
    WriteFile(folder / "a.bin", std::string(1536, 'x'));
    MakeFolder(folder / ("sub\\" + kCyrillic));
    WriteFile(folder / ("sub\\" + kCyrillic + "\\b.bin"), std::string(512, 'y'));
    const std::string deep = DeepFolder(folder / "deep");
    WriteFile(deep + "\\c.bin", std::string(2048, 'z'));

    EXPECT_EQ(files.GetLngFileSize(folder / "a.bin"), 1536u);
    EXPECT_EQ(files.GetLngFileSize(deep + "\\c.bin"), 2048u);
    EXPECT_EQ(files.GetLngFileSize(folder / "missing.bin"), std::nullopt);
    EXPECT_EQ(files.GetFileSize(folder / "a.bin"), files.CalcSize(1536));
    EXPECT_EQ(files.GetFileSize(folder / "missing.bin"), "");
    EXPECT_EQ(files.GetFolderSize(folder.path()), files.CalcSize(1536 + 512 + 2048));
    EXPECT_EQ(files.GetFolderSize(folder / "missing"), "");

    for (int info : {0, 1, 2}) EXPECT_FALSE(files.GetDiskSpace("C:\\", info).empty()) << info;
    EXPECT_EQ(files.GetDiskSpace("C:\\", 3), "");
    EXPECT_EQ(files.GetDiskSpace("Q:\\", 0), "");  // no such drive in the test prefix
}

TEST(ClsFileFolder, FileNameAndDate) {
    const ClsFileFolder files;
    TempFolder folder;
    const std::string file = folder / (kCyrillic + " Notes.TXT");
    WriteFile(file, "x");
    EXPECT_EQ(files.GetFileName(Upper(folder.path()) + "\\" + kCyrillic + " notes.txt"), kCyrillic + " Notes.TXT");
    EXPECT_EQ(files.GetFileName(folder / "missing.txt"), "");
    EXPECT_EQ(files.GetFileName(folder.path()), "");  // a folder is no file

    // 3 February 2001 (mid-day UTC, so the local date is the same day).
    SYSTEMTIME when{2001, 2, 0, 3, 12, 0, 0, 0};
    FILETIME time;
    ASSERT_TRUE(::SystemTimeToFileTime(&when, &time));
    {
        platform::UniqueHandle handle(::CreateFileW(platform::ToSystemPath(file).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                                    nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(handle);
        ASSERT_TRUE(::SetFileTime(handle.get(), nullptr, nullptr, &time));
    }
    const std::string date = files.GetFileDate(file);
    EXPECT_NE(date.find("2001"), std::string::npos) << date;
    EXPECT_EQ(files.GetFileDate(folder / "missing.txt"), "");
}

TEST(ClsFileFolder, LongFilenameExpandsShortNames) {
    const ClsFileFolder files;
    TempFolder folder;
    const std::string longFolder = folder / "Long Folder Name";
    const std::string longFile = longFolder + "\\read me file.txt";
    MakeFolder(longFolder);
    WriteFile(longFile, "x");
    // Wine makes hashed 8.3 names such as "LONG~ZAT\READ~BNR.TXT".
    const std::string shortPath = platform::ShortPath(longFile);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(files.GetLongFilename(shortPath), longFile);
    // Any case in, the stored names out (the drive stays as given).
    std::string lower = folder.path() + "\\long folder name\\READ ME FILE.TXT";
    lower[0] = 'c';
    std::string expected = longFile;
    expected[0] = 'c';
    EXPECT_EQ(files.GetLongFilename(lower), expected);
    // A missing component leaves the input as it was.
    EXPECT_EQ(files.GetLongFilename("C:\\no-such-folder-here\\file.txt"), "C:\\no-such-folder-here\\file.txt");
    EXPECT_EQ(files.GetLongFilename(shortPath + "\\missing"), shortPath + "\\missing");
    EXPECT_EQ(files.GetLongFilename("C:\\"), "C:\\");
    EXPECT_EQ(files.GetLongFilename(folder / "*"), folder / "*");
}

TEST(ClsFileFolder, ListFilesAppendsFilesHiddenOnesIncluded) {
    const ClsFileFolder files;
    TempFolder folder;
    WriteFile(folder / "plain.txt", "x");
    WriteFile(folder / "hidden.txt", "x");
    ASSERT_TRUE(SetAttributes(folder / "hidden.txt", FILE_ATTRIBUTE_HIDDEN));
    WriteFile(folder / (kCyrillic + ".txt"), "x");
    MakeFolder(folder / "sub");
    std::vector<std::string> list{"kept"};
    files.ListFiles(folder.path() + "\\", list);
    std::sort(list.begin() + 1, list.end());
    EXPECT_EQ(list, (std::vector<std::string>{"kept", "hidden.txt", "plain.txt", kCyrillic + ".txt"}));
    files.ListFiles(folder / "missing\\", list);
    EXPECT_EQ(list.size(), 4u);
}

TEST(ClsFileFolder, ShortcutsAreWrittenAndReadBack) {
    const ClsFileFolder files;
    TempFolder folder;
    const std::string target = folder / (kCyrillic + " target.exe");
    WriteFile(target, "MZ");
    std::string shortcut = folder / kCyrillic;
    files.CreateShortcut(target, shortcut);
    EXPECT_EQ(shortcut, folder / kCyrillic);
    ASSERT_TRUE(Exists(shortcut + ".lnk"));
    std::string lnk = shortcut + ".lnk";
    EXPECT_EQ(files.GetShortCutPath(lnk), target);
    EXPECT_EQ(lnk, shortcut + ".lnk");

    // A blank target creates nothing and keeps the name.
    std::string blank = folder / "blank";
    files.CreateShortcut("   ", blank);
    EXPECT_FALSE(Exists(blank + ".lnk"));
    EXPECT_EQ(blank, folder / "blank");

    // Failures give "" and clear the argument.
    std::string missing = folder / "missing.lnk";
    EXPECT_EQ(files.GetShortCutPath(missing), "");
    EXPECT_EQ(missing, "");
    std::string nowhere = folder / "no-such-folder\\shortcut";
    files.CreateShortcut(target, nowhere);
    EXPECT_EQ(nowhere, "");
}

TEST(ClsFileFolder, ClipboardIsEmptied) {
    const ClsFileFolder files;
    ASSERT_TRUE(platform::SetClipboardText(nullptr, kCyrillic));
    ASSERT_EQ(platform::ClipboardText(), kCyrillic);
    files.EmptyWinClipBoard(nullptr);
    EXPECT_EQ(platform::ClipboardFormatCount(), 0);
    EXPECT_EQ(platform::ClipboardText(), std::nullopt);
}

TEST(ClsFileFolder, DelToRecycBinAnswersWhetherTheFileIsGone) {
    const ClsFileFolder files;
    TempFolder folder;
    const auto before = platform::QueryRecycleBin();
    ASSERT_TRUE(before);
    const std::string file = folder / (kCyrillic + ".tmp");
    WriteFile(file, "junk");
    EXPECT_TRUE(files.DelToRecycBin(file));
    EXPECT_FALSE(Exists(file));
    const auto after = platform::QueryRecycleBin();
    ASSERT_TRUE(after);
    EXPECT_EQ(after->items, before->items + 1);  // in the recycle bin, not destroyed

    EXPECT_FALSE(files.DelToRecycBin(folder / "missing.tmp"));
    const std::string locked = folder / "locked.tmp";
    WriteFile(locked, "in use");
    const auto handle = HoldOpen(locked);
    ASSERT_TRUE(handle);
    testing_support::DialogPresser noQuestion(IDNO);  // Wine would offer to destroy it
    EXPECT_FALSE(files.DelToRecycBin(locked));
    EXPECT_FALSE(noQuestion.Finish());
    EXPECT_EQ(ReadFileBytes(locked), "in use");

    // Emptying without the shell's question (the member itself asks).
    ASSERT_TRUE(platform::EmptyRecycleBin(nullptr, /*confirm=*/false));
    EXPECT_EQ(platform::QueryRecycleBin()->items, 0u);
}

TEST(ClsFileFolder, DeleteFileAnswersWhetherTheFileIsGone) {
    const ClsFileFolder files;
    TempFolder folder;
    const std::string deep = DeepFolder(folder.path());
    const std::string plain = deep + "\\" + kCyrillic + ".tmp";
    WriteFile(plain, "x");
    EXPECT_TRUE(files.DeleteFile(plain, false));
    EXPECT_FALSE(Exists(plain));

    const std::string readOnly = folder / "read-only.tmp";
    WriteFile(readOnly, "x");
    ASSERT_TRUE(SetAttributes(readOnly, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.DeleteFile(readOnly, false));
    EXPECT_TRUE(Exists(readOnly));
    EXPECT_TRUE(Attributes(readOnly) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(files.DeleteFile(readOnly, true));
    EXPECT_FALSE(Exists(readOnly));

    const std::string locked = folder / "locked.tmp";
    WriteFile(locked, "in use");
    ASSERT_TRUE(SetAttributes(locked, FILE_ATTRIBUTE_READONLY));
    {
        const auto handle = HoldOpen(locked);
        ASSERT_TRUE(handle);
        EXPECT_FALSE(files.DeleteFile(locked, true));
        EXPECT_EQ(ReadFileBytes(locked), "in use");
        EXPECT_TRUE(Attributes(locked) & FILE_ATTRIBUTE_READONLY);  // put back after the failed attempt
    }
    EXPECT_FALSE(files.DeleteFile(folder / "missing.tmp", true));
    // Windows would drop the dot and reach the twin.
    WriteFile(folder / "twin.tmp", "keep");
    WriteFile(folder / "twin.tmp.", "junk");
    EXPECT_TRUE(files.DeleteFile(folder / "twin.tmp.", false));
    EXPECT_EQ(ReadFileBytes(folder / "twin.tmp"), "keep");
    MakeFolder(folder / "sub");
    EXPECT_FALSE(files.DeleteFile(folder / "sub", true));
    EXPECT_TRUE(Exists(folder / "sub"));
}

TEST(ClsFileFolder, MoveFileNeverOverwrites) {
    const ClsFileFolder files;
    TempFolder folder;
    WriteFile(folder / "a.txt", "first");
    WriteFile(folder / "b.txt", "second");
    EXPECT_FALSE(files.MoveFile(folder / "a.txt", folder / "b.txt"));
    EXPECT_EQ(ReadFileBytes(folder / "a.txt"), "first");
    EXPECT_EQ(ReadFileBytes(folder / "b.txt"), "second");

    const std::string deep = DeepFolder(folder / "moved");
    const std::string destination = deep + "\\" + kCyrillic + ".txt";
    EXPECT_TRUE(files.MoveFile(folder / "a.txt", destination));
    EXPECT_FALSE(Exists(folder / "a.txt"));
    EXPECT_EQ(ReadFileBytes(destination), "first");

    // A destination ending in "\" is the folder to move into.
    EXPECT_TRUE(files.MoveFile(folder / "b.txt", deep + "\\"));
    EXPECT_EQ(ReadFileBytes(deep + "\\b.txt"), "second");
    WriteFile(folder / "b.txt", "third");
    EXPECT_FALSE(files.MoveFile(folder / "b.txt", deep + "\\"));
    EXPECT_EQ(ReadFileBytes(deep + "\\b.txt"), "second");

    EXPECT_FALSE(files.MoveFile(folder / "missing.txt", folder / "c.txt"));
    EXPECT_FALSE(files.MoveFile(folder / "b.txt", ""));
    EXPECT_FALSE(Exists(folder / "c.txt"));

    // Across volumes a move is a copy and a removal: a source that stays (in
    // use, read-only) takes its copy back, so retries leave nothing behind.
    const std::string copy = folder / "copy.txt";
    {
        const auto handle = HoldOpen(folder / "b.txt");
        ASSERT_TRUE(handle);
        EXPECT_FALSE(platform::MoveByCopy(folder / "b.txt", copy));
    }
    ASSERT_TRUE(SetAttributes(folder / "b.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(platform::MoveByCopy(folder / "b.txt", copy));
    EXPECT_FALSE(Exists(copy));
    EXPECT_EQ(ReadFileBytes(folder / "b.txt"), "third");
    ASSERT_TRUE(SetAttributes(folder / "b.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(platform::MoveByCopy(folder / "b.txt", copy));
    EXPECT_FALSE(Exists(folder / "b.txt"));
    EXPECT_EQ(ReadFileBytes(copy), "third");
}

namespace {

// Records the flags the folder picker is asked with.
class FlagRecordingPrompts : public testing_support::ScriptedPrompts {
public:
    std::vector<unsigned> flags;
    std::string BrowseForFolder(const std::string& prompt, unsigned given) override {
        flags.push_back(given);
        return ScriptedPrompts::BrowseForFolder(prompt, given);
    }
};

}  // namespace

TEST(ClsFileFolder, BrowseForFolderFlagsAndUnavailableDevice) {
    const ClsFileFolder files;
    TempFolder folder;
    FlagRecordingPrompts prompts;
    prompts.folderAnswers = {folder.path(), "", "", "", "Q:\\"};
    EXPECT_EQ(files.BrowseForFolder(prompts, "Pick"), folder.path());
    EXPECT_EQ(files.BrowseForFolder(prompts, "Pick", true), "");
    EXPECT_EQ(files.BrowseForFolder(prompts, "Pick", false, true), "");
    EXPECT_EQ(files.BrowseForFolder(prompts, "Pick", true, true, true), "");
    EXPECT_EQ(prompts.flags, (std::vector<unsigned>{0, 19, 16387, 67}));
    EXPECT_EQ(prompts.folderPrompts[0], "Pick");
    EXPECT_TRUE(prompts.messages.empty());

    // A choice on a drive that is not there (Q: is not mapped in the prefix).
    EXPECT_EQ(files.BrowseForFolder(prompts, "Pick"), "");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Device Not Ready ...");
    EXPECT_EQ(prompts.messages[0].title, "Error");
    EXPECT_EQ(prompts.messages[0].icon, core::PromptIcon::Critical);
}

TEST(ClsFileFolder, CompactPathFitsTheWidth) {
    const ClsFileFolder files;
    const std::string path = "C:\\Some Folder\\Another Folder\\Yet Another Folder\\" + kCyrillic + "\\file.txt";
    const std::string shortened = files.CompactPath(path, 150, nullptr);
    EXPECT_LT(shortened.size(), path.size());
    EXPECT_NE(shortened.find("..."), std::string::npos);
    EXPECT_EQ(files.CompactPath(path, 5000, nullptr), path);

    std::string deep = "C:";
    for (int i = 0; i < 40; ++i) deep += "\\folder" + std::to_string(i);
    const std::string deepShortened = files.CompactPath(deep, 300, nullptr);
    EXPECT_NE(deepShortened.find("..."), std::string::npos);
    EXPECT_LT(deepShortened.size(), 260u);
}
