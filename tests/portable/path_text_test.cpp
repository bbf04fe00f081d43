#include "core/path_text.h"

#include <gtest/gtest.h>

using namespace core;

TEST(PathText, TrailingSlashIsAddedOnlyWhenMissing) {
    EXPECT_EQ(WithTrailingSlash("C:\\"), "C:\\");
    EXPECT_EQ(WithTrailingSlash("C:\\Temp"), "C:\\Temp\\");
    EXPECT_EQ(WithTrailingSlash(""), "\\");
}

TEST(PathText, ParentFolderIsTextOnly) {
    EXPECT_EQ(ParentFolderText("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(ParentFolderText("C:\\a"), "C:\\");
    EXPECT_EQ(ParentFolderText("C:\\"), "");
    EXPECT_EQ(ParentFolderText("a.txt"), "");
    EXPECT_EQ(ParentFolderText("dir\\a.txt"), "dir");
    EXPECT_EQ(ParentFolderText("C:/a/b.txt"), "C:/a");
    EXPECT_EQ(ParentFolderText("\\\\server\\share\\a"), "\\\\server\\share");
    EXPECT_EQ(ParentFolderText("\\\\server\\share"), "");
}

TEST(PathText, CountsTheNineForbiddenCharacters) {
    EXPECT_EQ(CountForbiddenNameCharacters("a*b?.txt"), 2);
    EXPECT_EQ(CountForbiddenNameCharacters("\"|><?*:/\\"), 9);
    EXPECT_EQ(CountForbiddenNameCharacters("\xD0\x96\xE4\xB8\xAD:.txt"), 1);  // non-ASCII bytes are never counted
}

TEST(PathText, DriveDisplayName) {
    EXPECT_EQ(DriveDisplayName("c: [SYSTEM]"), "SYSTEM (C:) ");
    EXPECT_EQ(DriveDisplayName("d: [\\\\server\\share]"), "\\\\server\\share (D:) ");
    EXPECT_EQ(DriveDisplayName("e: [\xD0\x94\xD0\xB8\xD1\x81\xD0\xBA]"), "\xD0\x94\xD0\xB8\xD1\x81\xD0\xBA (E:) ");
    EXPECT_EQ(DriveDisplayName("a:"), "A:\\");
}
