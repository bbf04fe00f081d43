#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "core/cls_file_folder.h"
#include "core/folder_deletion.h"
#include "platform/file_system.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/module_path.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"

using core::ClsFileFolder;
using core::DeleteFolderGuarded;
using core::FolderVerdict;
using core::ProtectedFolders;
using testing_support::Attributes;
using testing_support::Exists;
using testing_support::MakeFolder;
using testing_support::ReadFileBytes;
using testing_support::SetAttributes;
using testing_support::TempFolder;
using testing_support::WriteFile;

namespace {

const std::string kCyrillic = "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0";  // Папка
const std::string kChinese = "\xE6\x96\x87\xE4\xBB\xB6";                   // 文件

size_t EntriesIn(const std::string& path) {
    std::vector<platform::DirEntry> entries;
    platform::ListFolder(path, entries);
    return entries.size();
}

}  // namespace

TEST(DeleteFolder, EmptiesEverythingButFilesInUseAndKeepsOrRemovesTheFolder) {
    const ClsFileFolder files;
    TempFolder folder;
    const std::string root = folder / ("box " + kCyrillic);
    MakeFolder(root);
    // Read-only, hidden, nested, non-ASCII and deeper than 260 characters.
    WriteFile(root + "\\plain.txt", "x");
    WriteFile(root + "\\read-only.txt", "x");
    SetAttributes(root + "\\read-only.txt", FILE_ATTRIBUTE_READONLY);
    WriteFile(root + "\\hidden.txt", "x");
    SetAttributes(root + "\\hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    MakeFolder(root + "\\" + kCyrillic + "\\" + kChinese);
    WriteFile(root + "\\" + kCyrillic + "\\" + kChinese + "\\" + kChinese + ".txt", "x");
    SetAttributes(root + "\\" + kCyrillic + "\\" + kChinese + "\\" + kChinese + ".txt", FILE_ATTRIBUTE_READONLY);
    MakeFolder(root + "\\hidden folder");
    SetAttributes(root + "\\hidden folder", FILE_ATTRIBUTE_HIDDEN);
    std::string deep = root;
    for (int i = 0; i < 12; ++i) deep += "\\folder-with-a-long-name-" + std::to_string(i);
    MakeFolder(deep);
    WriteFile(deep + "\\deep.txt", "x");
    ASSERT_TRUE(Exists(deep + "\\deep.txt"));
    const std::string busy = root + "\\busy.txt";
    WriteFile(busy, "in use");
    SetAttributes(busy, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    {
        platform::UniqueHandle handle(::CreateFileW(platform::ToSystemPath(busy).c_str(), GENERIC_READ,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                    nullptr));
        ASSERT_TRUE(handle);
        EXPECT_FALSE(files.DeleteFolder(root + "\\", true).refused());
    }
    EXPECT_EQ(EntriesIn(root), 1u) << "everything but the file in use";
    EXPECT_EQ(ReadFileBytes(busy), "in use");
    EXPECT_EQ(Attributes(busy) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN});
    EXPECT_FALSE(files.DeleteFolder(root, false).refused());
    EXPECT_TRUE(Exists(root));
    EXPECT_EQ(EntriesIn(root), 0u);
    EXPECT_FALSE(files.DeleteFolder(root, true).refused());
    EXPECT_FALSE(Exists(root));
    EXPECT_TRUE(Exists(folder.path()));  // nothing above it
}

TEST(DeleteFolder, NeverFollowsALink) {
    const ClsFileFolder files;
    TempFolder folder;
    const std::string target = folder / ("target " + kChinese);
    MakeFolder(target + "\\inner");
    WriteFile(target + "\\keep.txt", "precious");
    WriteFile(target + "\\inner\\keep-too.txt", "precious");
    WriteFile(target + "\\read-only.txt", "precious");
    SetAttributes(target + "\\read-only.txt", FILE_ATTRIBUTE_READONLY);
    const std::string root = folder / "box";
    MakeFolder(root + "\\sub");
    WriteFile(root + "\\junk.txt", "x");
    if (!testing_support::MakeFolderLink(root + "\\sub\\link", target))
        GTEST_SKIP() << "this system cannot make a directory link here";
    ASSERT_EQ(ReadFileBytes(root + "\\sub\\link\\keep.txt"), "precious");  // the link works

    files.DeleteFolder(root, false);
    EXPECT_FALSE(Exists(root + "\\junk.txt"));
    EXPECT_EQ(ReadFileBytes(target + "\\keep.txt"), "precious");
    EXPECT_EQ(ReadFileBytes(target + "\\inner\\keep-too.txt"), "precious");
    EXPECT_TRUE(Attributes(target + "\\read-only.txt") & FILE_ATTRIBUTE_READONLY);  // not even touched
    // Windows removes the links themselves; Wine cannot address a link
    // apart from its target, so there they stay.

    // A link given as the folder itself is refused and left alone.
    if (Exists(root + "\\sub\\link")) {
        const auto result = files.DeleteFolder(root + "\\sub\\link", true);
        EXPECT_THAT(result.refusedFolders, testing::Contains(root + "\\sub\\link"));
        EXPECT_EQ(ReadFileBytes(target + "\\inner\\keep-too.txt"), "precious");
    }

    // A link on the way to a protected folder: judged where it leads.
    ProtectedFolders places;
    places.profileFolders = {platform::ComparablePath(target + "\\inner")};
    const auto result = DeleteFolderGuarded(root + "\\sub\\link\\inner", false, places);
    EXPECT_THAT(result.refusedFolders, testing::Contains(root + "\\sub\\link\\inner"));
    EXPECT_EQ(ReadFileBytes(target + "\\inner\\keep-too.txt"), "precious");
}

// The spellings the text alone shows are the portable guard's and its fuzz
// target's; these need the file system to resolve.
TEST(DeleteFolder, GuardResolvesShortNamesAndDotDotParts) {
    TempFolder folder;
    const std::string windows = folder / "Fake Windows Folder";
    MakeFolder(windows + "\\System");
    WriteFile(windows + "\\System\\kernel.dll", "x");
    ProtectedFolders places;
    places.windowsFolder = platform::ComparablePath(windows);
    for (const std::string& form : {platform::ShortPath(windows), windows + "\\System\\..", folder.path()}) {
        ASSERT_FALSE(form.empty());
        EXPECT_EQ(DeleteFolderGuarded(form, true, places).refusedFolders, std::vector<std::string>{form}) << form;
        ASSERT_TRUE(Exists(windows + "\\System\\kernel.dll")) << form;
    }
}

TEST(DeleteFolder, KeepsTheProgramFolderInsideTheFolderEmptied) {
    TempFolder folder;
    const std::string box = folder / "box";
    const std::string program = box + "\\portable\\Clarimo";
    MakeFolder(program + "\\data");
    WriteFile(program + "\\Clarimo.exe", "MZ");
    WriteFile(program + "\\data\\Qxs.ini", "[Main]");
    WriteFile(box + "\\portable\\readme.txt", "x");
    MakeFolder(box + "\\other");
    WriteFile(box + "\\other\\junk.tmp", "x");
    WriteFile(box + "\\junk.tmp", "x");
    ProtectedFolders places;
    places.programFolder = platform::ComparablePath(program);

    const auto result = DeleteFolderGuarded(box, true, places);
    EXPECT_EQ(ReadFileBytes(program + "\\Clarimo.exe"), "MZ");
    EXPECT_EQ(ReadFileBytes(program + "\\data\\Qxs.ini"), "[Main]");
    EXPECT_FALSE(Exists(box + "\\junk.tmp"));
    EXPECT_FALSE(Exists(box + "\\other"));
    EXPECT_FALSE(Exists(box + "\\portable\\readme.txt"));  // beside the path, not on it
    EXPECT_THAT(result.refusedFolders, testing::IsSupersetOf({box, box + "\\portable", program}));
}

// The real places of this prefix, and paths that are empty, relative or a
// root (the tests run in C:\clarimo). Each is judged before DeleteFolder is
// called on it, so a broken guard fails here instead of deleting the prefix.
TEST(DeleteFolder, RefusesThisSystemsDangerousFolders) {
    const ProtectedFolders places = core::SystemProtectedFolders();
    ASSERT_EQ(places.programFolder, platform::ComparablePath(platform::ExecutableFolder()));

    std::vector<std::string> dangerous = platform::ProgramFilesFolders();
    ASSERT_GE(dangerous.size(), 2u);  // the 64-bit prefix has both
    // 0x28: this user's profile; the executable's folder: where the tests run.
    dangerous.insert(dangerous.end(),
                     {platform::WindowsFolder(), platform::SystemFolder(), platform::ProfilesFolder()});
    dangerous.insert(dangerous.end(), {platform::SpecialFolder(0x28), platform::ExecutableFolder(), "C:\\", "C:"});
    dangerous.insert(dangerous.end(), {"C:\\clarimo\\..", "", "relative-folder", "..\\no-such-folder"});
    for (const std::string& path : dangerous) {
        const std::string resolved = platform::ComparablePath(path);
        ASSERT_TRUE(core::JudgeFolder(places, resolved) == FolderVerdict::Refused || platform::IsGone(resolved))
            << path;
    }
    // Where the cleaner does work.
    EXPECT_EQ(core::JudgeFolder(places, platform::ComparablePath(ClsFileFolder().GetTempPathStr())),
              FolderVerdict::Allowed);

    const ClsFileFolder files;
    for (const std::string& path : dangerous) {
        const auto result = files.DeleteFolder(path, true);
        EXPECT_EQ(result.refusedFolders, std::vector<std::string>{path}) << path;
    }
    EXPECT_TRUE(Exists(platform::ExecutablePath()));
    EXPECT_TRUE(Exists(platform::SystemFolder() + "\\kernel32.dll"));
}
