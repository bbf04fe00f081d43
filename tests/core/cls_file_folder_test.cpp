#include "core/cls_file_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/shell.h"
#include "support/modal_steps.h"
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

TEST(ClsFileFolder, SystemFoldersSizesAndNames) {
    const ClsFileFolder files;
    EXPECT_EQ(files.GetTempPathStr() + "\\", platform::TempFolderWithSlash());
    EXPECT_EQ(files.GetSpecialFolder(0x7ABC), "") << "a folder Windows does not name";

    TempFolder folder;
    WriteFile(folder / (kCyrillic + " Notes.TXT"), std::string(1536, 'x'));
    const std::string deep = DeepFolder(folder / "deep");
    WriteFile(deep + "\\c.bin", std::string(2048, 'z'));
    EXPECT_EQ(files.GetLngFileSize(deep + "\\c.bin"), 2048u);
    EXPECT_EQ(files.GetLngFileSize(folder / "missing.bin"), std::nullopt);
    EXPECT_EQ(files.GetFolderSize(folder.path()), files.CalcSize(1536 + 2048));
    EXPECT_EQ(files.GetFolderSize(folder / "missing"), "");
    EXPECT_EQ(files.GetDiskSpace("Q:\\", 0), "");  // no such drive in the test prefix
    EXPECT_EQ(files.GetFileName(folder / (kCyrillic + " notes.txt")), kCyrillic + " Notes.TXT");
    EXPECT_EQ(files.GetFileName(folder.path()), "");  // a folder is no file

    // Wine makes hashed 8.3 names such as "LONG~ZAT\READ~BNR.TXT".
    const std::string longFile = folder / "Long Folder Name\\read me file.txt";
    MakeFolder(folder / "Long Folder Name");
    WriteFile(longFile, "x");
    const std::string shortPath = platform::ShortPath(longFile);
    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(files.GetLongFilename(shortPath), longFile);
    // A missing component leaves the input as it was.
    EXPECT_EQ(files.GetLongFilename(folder / "missing\\file.txt"), folder / "missing\\file.txt");
}

// Both removals answer whether the file is really gone; neither destroys a
// file outright nor leaves it changed when it stays.
TEST(ClsFileFolder, RemovalsAnswerWhetherTheFileIsGone) {
    const ClsFileFolder files;
    TempFolder folder;
    const auto binItems = [] { return platform::QueryRecycleBin().value_or(platform::RecycleBinContents{}).items; };
    const uint64_t before = binItems();
    const std::string file = folder / (kCyrillic + ".tmp");
    WriteFile(file, "junk");
    EXPECT_TRUE(files.DelToRecycBin(file));
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(binItems(), before + 1);  // in the recycle bin, not destroyed
    EXPECT_FALSE(files.DelToRecycBin(folder / "missing.tmp"));
    EXPECT_FALSE(files.DeleteFile(folder / "missing.tmp", true));

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
        testing_support::DialogPresser noQuestion(IDNO);  // Wine would offer to destroy it
        EXPECT_FALSE(files.DelToRecycBin(locked));
        EXPECT_FALSE(noQuestion.Finish());
        EXPECT_FALSE(files.DeleteFile(locked, true));
        EXPECT_EQ(ReadFileBytes(locked), "in use");
        EXPECT_TRUE(Attributes(locked) & FILE_ATTRIBUTE_READONLY);  // put back after the failed attempt
    }
    // Windows would drop the dot and reach the twin.
    WriteFile(folder / "twin.tmp", "keep");
    WriteFile(folder / "twin.tmp.", "junk");
    EXPECT_TRUE(files.DeleteFile(folder / "twin.tmp.", false));
    EXPECT_EQ(ReadFileBytes(folder / "twin.tmp"), "keep");
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

TEST(ClsFileFolder, AFolderPickedOnAMissingDriveIsRefused) {
    testing_support::ScriptedPrompts prompts;
    prompts.folderAnswers = {"Q:\\"};  // Q: is not mapped in the prefix
    EXPECT_EQ(ClsFileFolder().BrowseForFolder(prompts, "Pick"), "");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Device Not Ready ...");
}
