// A registry key of the test's own under HKCU\Software\ClarimoTests, removed
// with all its subkeys when the test ends, even after a failed assertion.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

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
