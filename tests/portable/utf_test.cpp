#include "platform/utf.h"

#include <gtest/gtest.h>

#include "platform/long_path.h"

using platform::ToUtf16;
using platform::ToUtf8;

TEST(Utf, RoundTripsEveryPlane) {
    const std::string text = "a\xC3\xA9\xD0\x96\xE4\xB8\xAD\xF0\x9F\x98\x80";  // a é Ж 中 😀
    const std::u16string wide = ToUtf16(text);
    ASSERT_EQ(wide.size(), 6u);  // the emoji takes a surrogate pair
    EXPECT_EQ(wide[4], 0xD83D);
    EXPECT_EQ(wide[5], 0xDE00);
    EXPECT_EQ(ToUtf8(wide), text);
}

TEST(Utf, BrokenInputBecomesReplacementCharacters) {
    EXPECT_EQ(ToUtf16("\x80"), u"\uFFFD");
    EXPECT_EQ(ToUtf16("\xC0\xAF"), u"\uFFFD");                               // overlong "/"
    EXPECT_EQ(ToUtf16("\xE4\xB8x"), u"\uFFFDx");                             // resynchronises on the next byte
    EXPECT_EQ(ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");  // lone surrogate
}

TEST(LongPath, LongAbsolutePathsAndNamesEndingInADotOrBlankGetThePrefix) {
    EXPECT_EQ(ToUtf8(platform::ToSystemPath("C:\\short")), "C:\\short");
    EXPECT_EQ(ToUtf8(platform::ToSystemPath("C:\\a \\b.tmp.")), "\\\\?\\C:\\a \\b.tmp.");
    EXPECT_EQ(ToUtf8(platform::ToSystemPath("C:\\a\\..\\b.")), "C:\\a\\..\\b.");  // needs normalising
    const std::string deep = "C:\\" + std::string(300, 'a');
    EXPECT_EQ(ToUtf8(platform::ToSystemPath(deep)), "\\\\?\\" + deep);
    const std::string unc = "\\\\server\\share\\" + std::string(300, 'b');
    EXPECT_EQ(ToUtf8(platform::ToSystemPath(unc)), "\\\\?\\UNC\\server\\share\\" + std::string(300, 'b'));
    EXPECT_EQ(platform::FromSystemPath(platform::ToSystemPath(deep)), deep);
    EXPECT_EQ(platform::FromSystemPath(platform::ToSystemPath(unc)), unc);
    // A prefix written with "/" is still a prefix, not a share named "?".
    EXPECT_EQ(ToUtf8(platform::ToSystemPath("/\\?\\C:\\" + std::string(300, 'z'))),
              "\\\\?\\C:\\" + std::string(300, 'z'));
}
