#include "platform/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>

#include "support/registry_values.h"

using platform::RegistryRoot;

TEST(Registry, ValuesKeepTheirStringTypeAndSizeInBytes) {
    testing_support::TestRegistryKey key;
    const auto root = RegistryRoot::CurrentUser;
    const struct {
        const char* name;
        uint32_t type;
        std::string text;
        size_t bytes;  // characters with their NULs, two bytes each; empty text is no bytes
    } values[] = {{"Plain", platform::kRegSz, "C:\\a.exe", 9 * 2},
                  {"Expand", platform::kRegExpandSz, "%TEMP%\\x.exe", 13 * 2},
                  {"Multi", platform::kRegMultiSz, std::string("a\0bc", 4), 6 * 2},
                  {"EmptyExpand", platform::kRegExpandSz, "", 0}};
    for (const auto& value : values) {
        ASSERT_TRUE(platform::WriteRegValue(root, key.path(), value.name, value.type, value.text));
        const auto read = platform::ReadRegValue(root, key.path(), value.name).value_or(platform::RegValue{});
        EXPECT_EQ(std::tuple(read.type, read.text, read.data.size()), std::tuple(value.type, value.text, value.bytes))
            << value.name;
    }
    EXPECT_FALSE(platform::WriteRegValue(root, key.path(), "Number", platform::kRegDword, "1"));
    EXPECT_FALSE(platform::ReadRegValue(root, key.path() + "\\Missing", "Plain"));
}

// HKLM\SOFTWARE has two views on 64-bit Windows; the 32-bit programs' one is
// the WOW6432Node key. The flag must reach the same key from either build.
TEST(Registry, TheViewFlagPicksTheKeyOfThatView) {
    using platform::RegistryView;
    const auto root = RegistryRoot::LocalMachine;
    const std::string name = "ClarimoViewTest" + std::to_string(::GetCurrentProcessId());
    const std::string key = "SOFTWARE\\" + name;
    EXPECT_TRUE(platform::WriteRegValue(root, key, "v", platform::kRegSz, "32", RegistryView::Bits32));
    EXPECT_TRUE(platform::WriteRegValue(root, key, "v", platform::kRegSz, "64", RegistryView::Bits64));
    const auto text = [&](const std::string& path, RegistryView view) {
        return platform::ReadRegValue(root, path, "v", view).value_or(platform::RegValue{}).text;
    };
    EXPECT_EQ(text(key, RegistryView::Bits32), "32");
    EXPECT_EQ(text("SOFTWARE\\WOW6432Node\\" + name, RegistryView::Bits64), "32");
    EXPECT_EQ(text(key, RegistryView::Bits64), "64");
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY})
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, std::wstring(key.begin(), key.end()).c_str(), view, 0);
}
