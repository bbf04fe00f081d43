#include "support/test_registry_key.h"

#include <atomic>

#include "platform/handles.h"
#include "platform/utf.h"

namespace testing_support {

TestRegistryKey::TestRegistryKey() {
    static std::atomic<int> counter{0};
    path_ = "Software\\ClarimoTests\\" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++);
    platform::UniqueRegKey key;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, platform::ToWide(path_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.put(), nullptr);
}

TestRegistryKey::~TestRegistryKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, platform::ToWide(path_).c_str()); }

}  // namespace testing_support
