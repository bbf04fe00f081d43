#include "core/path_text.h"

#include <gtest/gtest.h>

using namespace core;

// That each parent is a shorter head of the path is the folder guard fuzz
// target's check; these rows pin where it cuts.
TEST(PathText, SlashesParentsForbiddenCharactersAndDriveNamesAreTextOnly) {
    EXPECT_EQ(WithTrailingSlash("C:\\"), "C:\\");
    EXPECT_EQ(WithTrailingSlash("C:\\Temp"), "C:\\Temp\\");
    for (const auto& [path, parent] : {std::pair{"C:\\a\\b.txt", "C:\\a"},
                                       {"C:\\a", "C:\\"},
                                       {"C:\\", ""},
                                       {"a.txt", ""},
                                       {"C:/a/b.txt", "C:/a"},
                                       {"\\\\server\\share\\a", "\\\\server\\share"},
                                       {"\\\\server\\share", ""}})
        EXPECT_EQ(ParentFolderText(path), parent) << path;
    // The nine forbidden name characters; non-ASCII bytes are never counted.
    EXPECT_EQ(CountForbiddenNameCharacters("\"|><?*:/\\"), 9);
    EXPECT_EQ(CountForbiddenNameCharacters("\xD0\x96\xE4\xB8\xAD:.txt"), 1);
    EXPECT_EQ(DriveDisplayName("c: [SYSTEM]"), "SYSTEM (C:) ");
    EXPECT_EQ(DriveDisplayName("d: [\\\\server\\share]"), "\\\\server\\share (D:) ");
    EXPECT_EQ(DriveDisplayName("a:"), "A:\\");
}
