#include "platform/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/test_registry_key.h"

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
        const auto read = platform::ReadRegValue(root, key.path(), value.name);
        ASSERT_TRUE(read) << value.name;
        EXPECT_EQ(read->type, value.type) << value.name;
        EXPECT_EQ(read->text, value.text) << value.name;
        EXPECT_EQ(read->data.size(), value.bytes) << value.name;
    }
    EXPECT_FALSE(platform::WriteRegValue(root, key.path(), "Number", platform::kRegDword, "1"));
    EXPECT_FALSE(platform::ReadRegValue(root, key.path() + "\\Missing", "Plain"));
}

// HKLM\SOFTWARE has two views on 64-bit Windows; the 32-bit programs' one is
// the WOW6432Node key. The flag must reach the same key from either build.
TEST(Registry, TheViewFlagPicksTheKeyOfThatView) {
    const auto root = RegistryRoot::LocalMachine;
    const std::string name = "ClarimoViewTest" + std::to_string(::GetCurrentProcessId());
    const std::string key = "SOFTWARE\\" + name, twin = "SOFTWARE\\WOW6432Node\\" + name;
    struct Cleanup {
        std::wstring key;
        ~Cleanup() {
            ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), KEY_WOW64_32KEY, 0);
            ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), KEY_WOW64_64KEY, 0);
        }
    } cleanup{L"SOFTWARE\\" + std::wstring(name.begin(), name.end())};
    using platform::RegistryView;
    ASSERT_TRUE(platform::WriteRegValue(root, key, "v", platform::kRegSz, "32", RegistryView::Bits32));
    ASSERT_TRUE(platform::WriteRegValue(root, key, "v", platform::kRegSz, "64", RegistryView::Bits64));

    EXPECT_EQ(platform::ReadRegValue(root, key, "v", RegistryView::Bits32)->text, "32");
    EXPECT_EQ(platform::ReadRegValue(root, twin, "v", RegistryView::Bits64)->text, "32");
    EXPECT_EQ(platform::ReadRegValue(root, key, "v", RegistryView::Bits64)->text, "64");

    EXPECT_TRUE(platform::RemoveRegValue(root, key, "v", RegistryView::Bits32));
    EXPECT_TRUE(platform::RegValueMissing(root, key, "v", RegistryView::Bits32));
    EXPECT_FALSE(platform::RegValueMissing(root, key, "v", RegistryView::Bits64));
}
