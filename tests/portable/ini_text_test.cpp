#include "core/ini_text.h"

#include <gtest/gtest.h>

#include "platform/ini_bytes.h"
#include "platform/utf.h"

using core::IniFileBytes;

// Which values take quotes is checked where it matters: the settings tests
// read every kind back through the system's profile functions.
TEST(IniFileBytes, WritesSectionsInOrderAsUtf16) {
    const auto bytes = IniFileBytes({
        {"Main", {{"Count", "2"}}},
        {"Programs", {{"\xD0\x96", "\"C:\\x.exe\""}, {"Run", " padded"}}},
        {"Empty", {}},
    });
    ASSERT_TRUE(bytes && bytes->starts_with("\xFF\xFE"));
    EXPECT_EQ(
        platform::ToUtf8(platform::DecodeUnicodeIniBytes(*bytes)),
        "[Main]\r\nCount=2\r\n\r\n[Programs]\r\n\xD0\x96=\"\"C:\\x.exe\"\"\r\nRun=\" padded\"\r\n\r\n[Empty]\r\n");
    EXPECT_EQ(IniFileBytes({}), std::string("\xFF\xFE"));
}

// Keys and values the reader would cut or merge are the settings fuzz
// target's check; these are the names its reader cannot tell apart.
TEST(IniFileBytes, RefusesWhatCouldNotBeReadBack) {
    const std::vector<std::vector<core::IniSection>> refused = {
        {{"A]B", {}}}, {{" Main", {}}}, {{"Main", {{";c", "v"}}}}, {{"Main", {}}, {"MAIN", {}}}};
    for (size_t i = 0; i < refused.size(); ++i) EXPECT_FALSE(IniFileBytes(refused[i])) << i;
    EXPECT_TRUE(IniFileBytes({{"Main", {{"Key", "1"}}}, {"Other", {{"Key", "2"}}}}));
}
