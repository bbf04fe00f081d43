// Registry values with exactly their bytes, as another program stores them (64-bit view).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

struct RawValue {
    bool exists = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

void SetRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size);
void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& text, DWORD type = REG_SZ);
RawValue GetRaw(HKEY root, const std::string& key, const std::string& name);
std::string GetText(HKEY root, const std::string& key, const std::string& name);
void DeleteValue(HKEY root, const std::string& key, const std::string& name);

// A key of the test's own under HKCU\Software\ClarimoTests, deleted with its subkeys at the end.
class TestRegistryKey {
public:
    TestRegistryKey();
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;
    ~TestRegistryKey();

    HKEY root() const { return HKEY_CURRENT_USER; }
    // Path below HKEY_CURRENT_USER, without a trailing backslash.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace testing_support
