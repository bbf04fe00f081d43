#include "platform/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/test_registry_key.h"

using platform::RegistryRoot;

TEST(Registry, ValuesKeepTheirStringType) {
    testing_support::TestRegistryKey key;
    const auto root = RegistryRoot::CurrentUser;
    ASSERT_TRUE(platform::WriteRegValue(root, key.path(), "Plain", platform::kRegSz, "C:\\a.exe"));
    ASSERT_TRUE(platform::WriteRegValue(root, key.path(), "Expand", platform::kRegExpandSz, "%TEMP%\\x.exe"));
    ASSERT_TRUE(platform::WriteRegValue(root, key.path(), "Multi", platform::kRegMultiSz, std::string("a\0bc", 4)));
    ASSERT_TRUE(platform::WriteRegValue(root, key.path(), "EmptyExpand", platform::kRegExpandSz, ""));
    EXPECT_FALSE(platform::WriteRegValue(root, key.path(), "Number", platform::kRegDword, "1"));

    const auto plain = platform::ReadRegValue(root, key.path(), "Plain");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->type, platform::kRegSz);
    EXPECT_EQ(plain->text, "C:\\a.exe");

    const auto expand = platform::ReadRegValue(root, key.path(), "Expand");
    ASSERT_TRUE(expand);
    EXPECT_EQ(expand->type, platform::kRegExpandSz);
    EXPECT_EQ(expand->text, "%TEMP%\\x.exe");
    EXPECT_EQ(expand->data.size(), 13u * 2);

    const auto multi = platform::ReadRegValue(root, key.path(), "Multi");
    ASSERT_TRUE(multi);
    EXPECT_EQ(multi->type, platform::kRegMultiSz);
    EXPECT_EQ(multi->text, std::string("a\0bc", 4));
    EXPECT_EQ(multi->data.size(), 6u * 2) << "a NUL b c NUL NUL";

    const auto empty = platform::ReadRegValue(root, key.path(), "EmptyExpand");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->type, platform::kRegExpandSz);
    EXPECT_TRUE(empty->data.empty());

    EXPECT_FALSE(platform::ReadRegValue(root, key.path(), "Number"));
    EXPECT_FALSE(platform::ReadRegValue(root, key.path() + "\\Missing", "Plain"));
}

TEST(Registry, RemoveRegKeyKeepsAKeyWithSubkeys) {
    testing_support::TestRegistryKey key;
    const auto root = RegistryRoot::CurrentUser;
    ASSERT_TRUE(platform::WriteRegValue(root, key.path() + "\\Parent\\Child", "v", platform::kRegSz, "1"));
    EXPECT_FALSE(platform::RemoveRegKey(root, key.path() + "\\Parent"));
    EXPECT_TRUE(platform::RegKeyPresent(root, key.path() + "\\Parent\\Child"));
    EXPECT_TRUE(platform::RemoveRegKey(root, key.path() + "\\Parent\\Child"));
    EXPECT_TRUE(platform::RemoveRegKey(root, key.path() + "\\Parent"));
    EXPECT_FALSE(platform::RegKeyPresent(root, key.path() + "\\Parent"));
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
    EXPECT_TRUE(platform::RegKeyPresent(root, key, RegistryView::Bits32));
    EXPECT_TRUE(platform::RegValueMissing(root, key + "\\Missing", "v", RegistryView::Bits64));
}
