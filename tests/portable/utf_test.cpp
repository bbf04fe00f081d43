#include "platform/utf.h"

#include <gtest/gtest.h>

#include "platform/long_path.h"

using platform::ToUtf16;
using platform::ToUtf8;

// Round trips of any text are the UTF fuzz target's; these rows pin the
// surrogate pair and what broken input becomes.
TEST(Utf, SurrogatePairsAndReplacementCharacters) {
    EXPECT_EQ(ToUtf16("a\xF0\x9F\x98\x80"), u"a\xD83D\xDE00");
    EXPECT_EQ(ToUtf16("\x80"), u"\uFFFD");
    EXPECT_EQ(ToUtf16("\xC0\xAF"), u"\uFFFD");                               // overlong "/"
    EXPECT_EQ(ToUtf16("\xE4\xB8x"), u"\uFFFDx");                             // resynchronises on the next byte
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(LongPath, LongAbsolutePathsAndNamesEndingInADotOrBlankGetThePrefix) {
    EXPECT_EQ(ToUtf8(platform::ToSystemPath("C:\\short")), "C:\\short");
    EXPECT_EQ(ToUtf8(platform::ToSystemPath("C:\\a \\b.tmp.")), "\\\\?\\C:\\a \\b.tmp.");
    EXPECT_EQ(ToUtf8(platform::ToSystemPath("C:\\a\\..\\b.")), "C:\\a\\..\\b.");  // needs normalising
    const std::string deep = "C:\\" + std::string(300, 'a'), unc = "\\\\server\\share\\" + std::string(300, 'b');
    EXPECT_EQ(ToUtf8(platform::ToSystemPath(deep)), "\\\\?\\" + deep);
    EXPECT_EQ(ToUtf8(platform::ToSystemPath(unc)), "\\\\?\\UNC" + unc.substr(1));
    EXPECT_EQ(platform::FromSystemPath(platform::ToSystemPath(unc)), unc);
    // A prefix written with "/" is still a prefix, not a share named "?".
    EXPECT_EQ(ToUtf8(platform::ToSystemPath("/\\?\\" + deep)), "\\\\?\\" + deep);
}
