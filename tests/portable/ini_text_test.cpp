#include "core/ini_text.h"

#include <gtest/gtest.h>

#include "platform/utf.h"

using core::IniFileBytes;
using core::QuoteIniValue;

namespace {

std::string Utf16LeToUtf8(const std::string& bytes) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text +=
            static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    return platform::ToUtf8(text);
}

}  // namespace

TEST(QuoteIniValue, WrapsOnlyWhatAReaderWouldChange) {
    EXPECT_EQ(QuoteIniValue(""), "");
    EXPECT_EQ(QuoteIniValue("C:\\a b\\x.exe"), "C:\\a b\\x.exe");
    EXPECT_EQ(QuoteIniValue("\"C:\\x.exe\" -q"), "\"C:\\x.exe\" -q");
    EXPECT_EQ(QuoteIniValue("\""), "\"");
    EXPECT_EQ(QuoteIniValue("'a\""), "'a\"");
    EXPECT_EQ(QuoteIniValue("\"C:\\x.exe\""), "\"\"C:\\x.exe\"\"");
    EXPECT_EQ(QuoteIniValue("'x'"), "\"'x'\"");
    EXPECT_EQ(QuoteIniValue("\"\""), "\"\"\"\"");
    EXPECT_EQ(QuoteIniValue(" 0"), "\" 0\"");
    EXPECT_EQ(QuoteIniValue("x\t"), "\"x\t\"");
}

TEST(IniFileBytes, WritesSectionsInOrderAsUtf16) {
    const auto bytes = IniFileBytes({
        {"Main", {{"Count", "2"}}},
        {"Programs", {{"\xD0\x96", "\"C:\\x.exe\""}, {"Run", " padded"}}},
        {"Empty", {}},
    });
    ASSERT_TRUE(bytes);
    ASSERT_GE(bytes->size(), 2u);
    EXPECT_EQ(bytes->substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(
        Utf16LeToUtf8(bytes->substr(2)),
        "[Main]\r\nCount=2\r\n\r\n[Programs]\r\n\xD0\x96=\"\"C:\\x.exe\"\"\r\nRun=\" padded\"\r\n\r\n[Empty]\r\n");
    EXPECT_EQ(IniFileBytes({}), std::string("\xFF\xFE"));
}

TEST(IniFileBytes, RefusesWhatCouldNotBeReadBack) {
    const auto refused = [](const std::vector<core::IniSection>& sections) { return !IniFileBytes(sections); };
    EXPECT_TRUE(refused({{"", {}}}));
    EXPECT_TRUE(refused({{"A]B", {}}}));
    EXPECT_TRUE(refused({{" Main", {}}}));
    EXPECT_TRUE(refused({{"Ma\nin", {}}}));
    EXPECT_TRUE(refused({{"Main", {{"", "v"}}}}));
    EXPECT_TRUE(refused({{"Main", {{"a=b", "v"}}}}));
    EXPECT_TRUE(refused({{"Main", {{";comment", "v"}}}}));
    EXPECT_TRUE(refused({{"Main", {{"[x", "v"}}}}));
    EXPECT_TRUE(refused({{"Main", {{"key ", "v"}}}}));
    EXPECT_TRUE(refused({{"Main", {{"k", "two\r\nlines"}}}}));
    EXPECT_TRUE(refused({{"Main", {{"k", std::string("nul\0", 4)}}}}));
    EXPECT_TRUE(refused({{"Main", {{"Key", "1"}, {"KEY", "2"}}}}));
    EXPECT_TRUE(refused({{"Main", {}}, {"MAIN", {}}}));
    EXPECT_FALSE(refused({{"Main", {{"Key", "1"}}}, {"Other", {{"Key", "2"}}}}));
}
