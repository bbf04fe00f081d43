#include <gtest/gtest.h>

#include "junk/junk_text.h"
#include "junk/pattern_match.h"

using junk::MatchPattern;
using junk::PatternList;

// Every other pattern is the pattern fuzz target's: it compares with a
// matcher of its own.
TEST(JunkPattern, WildcardsDigitsAndRanges) {
    EXPECT_FALSE(MatchPattern("*.*", "README"));
    EXPECT_TRUE(MatchPattern("file#.log", "file7.log"));
    EXPECT_TRUE(MatchPattern("[a-c]x.txt", "Bx.txt"));  // ranges ignore case too
    EXPECT_TRUE(MatchPattern("[!a-c]x.txt", "dx.txt"));
    EXPECT_TRUE(MatchPattern("a[b", "a[b"));  // an unclosed "[" stands for itself
}

TEST(JunkPattern, CaseIgnoredBeyondAscii) {
    EXPECT_TRUE(MatchPattern("\xD0\xB4\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B.*",
                             "\xD0\x94\xD0\x90\xD0\x9D\xD0\x9D\xD0\xAB.txt"));    // данны / ДАННЫ
    EXPECT_TRUE(MatchPattern("\xC3\xA9t\xC3\xA9.tmp", "\xC3\x89T\xC3\x89.TMP"));  // été / ÉTÉ
    EXPECT_TRUE(MatchPattern("?.tmp", "\xF0\x9F\x98\x80.tmp"));                   // one character, even outside the BMP
    std::u32string folded;
    junk::FoldUtf16(std::u16string_view(u"A\xC9\xD83D\xDE00"), folded);
    EXPECT_EQ(folded, U"a\xE9\x1F600");
}

// Where a list splits and which pattern answers is the fuzz target's check.
TEST(JunkPattern, ListSplitsOnSemicolonAndCommaWithoutTrimming) {
    EXPECT_EQ(junk::SplitPatterns("*.tmp; *.bak,"), (std::vector<std::string>{"*.tmp", " *.bak", ""}));
    EXPECT_EQ(junk::SplitPatterns(""), std::vector<std::string>{"*.*"});
    EXPECT_EQ(PatternList(";*.lnk").MatchName("x.lnk"), 1);
}

TEST(JunkText, ElapsedTimeAndExtensions) {
    EXPECT_EQ(junk::ElapsedTimeText(0, 2, 1), "2 Minutes, 1 Second");
    EXPECT_EQ(junk::ElapsedTimeText(1, 0, 7), "1 Hour");
    EXPECT_EQ(junk::LowerExtension("C:\\a.b\\Link.LNK"), "lnk");
    EXPECT_EQ(junk::LowerExtension("C:\\a.b\\noext"), "");
}
