#include "core/registry_procs.h"

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/registry_values.h"

using core::RegRoot;
using testing_support::GetRaw;
using testing_support::RawValue;
using testing_support::SetRaw;
using testing_support::TestRegistryKey;

namespace {

constexpr RegRoot kUser = RegRoot::CurrentUser;

const std::string kCyrillic = "\xD0\x97\xD0\xBD\xD0\xB0\xD1\x87\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5";  // Значение
const std::string kCjk = "\xE6\xBC\xA2\xE5\xAD\x97";                                               // 漢字

}  // namespace

// Sizes in bytes and the NUL are the platform registry test's; here, what
// each stored type reads back as.
TEST(RegistryProcs, ReadRegStringReadsEveryStringTypeWithoutChangingIt) {
    TestRegistryKey key;
    const std::string nested = key.path() + "\\Created\\On the way";
    core::SetRegString(kUser, nested, kCyrillic, "C:\\" + kCjk + "\\run.exe");
    EXPECT_EQ(core::ReadRegString(kUser, nested, kCyrillic), "C:\\" + kCjk + "\\run.exe");
    core::SetRegString(kUser, key.path(), "Empty", "");
    EXPECT_FALSE(core::RegValueExists(kUser, key.path(), "Empty"));
    EXPECT_TRUE(core::RegValueExists(kUser, nested, kCyrillic));

    const std::wstring expand = L"%SystemRoot%\\system32\\tool.exe";
    const DWORD number = 0x41424344;
    const struct {
        const char* name;
        DWORD type;
        const void* data;
        DWORD bytes;
        std::string read;
    } values[] = {
        {"Expand", REG_EXPAND_SZ, expand.c_str(), DWORD(expand.size() + 1) * 2, "%SystemRoot%\\system32\\tool.exe"},
        {"Multi", REG_MULTI_SZ, L"first\0second\0", 28, "first"},
        {"Number", REG_DWORD, &number, sizeof number, ""},
        {"Binary", REG_BINARY, "ab\0cd", 5, "ab"},
        // Written by other programs: an empty string with its NUL, and a
        // string stored without any NUL.
        {"EmptyWithNul", REG_SZ, L"", 2, ""},
        {"NoNul", REG_SZ, L"abc", 6, "abc"},
    };
    for (const auto& value : values) {
        SetRaw(HKEY_CURRENT_USER, key.path(), value.name, value.type, value.data, value.bytes);
        EXPECT_EQ(core::ReadRegString(kUser, key.path(), value.name), value.read) << value.name;
    }
    const RawValue after = GetRaw(HKEY_CURRENT_USER, key.path(), "Expand");
    EXPECT_EQ(after.type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(after.data.size(), (expand.size() + 1) * 2);
}

// Long, non-ANSI and empty names; Wine lists in name order, Windows in the
// order of writing.
TEST(RegistryProcs, EnumerationListsLongAndNonAnsiNamesAndSkipsEmptyValues) {
    TestRegistryKey key;
    const std::string longName(300, 'n');
    for (const std::string& name : {std::string("First"), longName, kCjk})
        core::SetRegString(kUser, key.path(), name, "1");
    core::SetRegString(kUser, key.path(), "Skipped", "");
    const DWORD number = 0;
    SetRaw(HKEY_CURRENT_USER, key.path(), "Number", REG_DWORD, &number, sizeof number);
    std::vector<std::string> names = {"already there"};
    core::EnumRegValues(kUser, key.path(), names);
    EXPECT_THAT(names, testing::UnorderedElementsAre("already there", "First", longName, kCjk, "Number"));

    const std::string longest(255, 'k');
    for (const std::string& name : {longest, kCyrillic}) core::SetRegString(kUser, key.path() + "\\" + name, "v", "1");
    std::vector<std::string> subKeys;
    core::EnumRegSubKeys(kUser, key.path(), subKeys);
    EXPECT_THAT(subKeys, testing::UnorderedElementsAre(longest, kCyrillic));
}

TEST(RegistryProcs, DeleteSubKeysRemovesTheSubkeysOrTheKeyItself) {
    TestRegistryKey key;
    // With subkeys: each goes, the key and its values stay.
    const std::string withSubkeys = key.path() + "\\With";
    core::SetRegString(kUser, withSubkeys, "Kept", "yes");
    core::SetRegString(kUser, withSubkeys + "\\A", "v", "1");
    core::DeleteSubKeys(kUser, withSubkeys);
    EXPECT_EQ(core::SubKeyList, std::vector<std::string>{"A"});
    EXPECT_TRUE(core::RegKeyExists(kUser, withSubkeys));
    EXPECT_FALSE(core::RegKeyExists(kUser, withSubkeys + "\\A"));
    EXPECT_EQ(core::ReadRegString(kUser, withSubkeys, "Kept"), "yes");

    // Without subkeys: the key itself goes.
    core::DeleteSubKeys(kUser, withSubkeys);
    EXPECT_TRUE(core::SubKeyList.empty());
    EXPECT_FALSE(core::RegKeyExists(kUser, withSubkeys));

    // One level only: a subkey that has subkeys of its own is refused by
    // NT-based Windows and stays.
    const std::string deep = key.path() + "\\Deep";
    core::SetRegString(kUser, deep + "\\Child\\Grandchild", "v", "1");
    core::DeleteSubKeys(kUser, deep);
    EXPECT_TRUE(core::RegKeyExists(kUser, deep + "\\Child\\Grandchild"));

    // Never a whole root.
    core::DeleteSubKeys(kUser, "");
    EXPECT_TRUE(core::SubKeyList.empty());
    EXPECT_TRUE(core::RegKeyExists(kUser, key.path()));
    core::DeleteRegKey(kUser, "");
    EXPECT_TRUE(core::RegKeyExists(kUser, "Software"));
}
