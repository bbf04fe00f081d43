#include "support/registry_values.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/handles.h"
#include "platform/utf.h"

namespace testing_support {

using platform::ToUtf8;
using platform::ToWide;

void SetRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size) {
    platform::UniqueRegKey k;
    ASSERT_EQ(::RegCreateKeyExW(root, ToWide(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                                k.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(k.get(), ToWide(name).c_str(), 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
}

void SetText(HKEY root, const std::string& key, const std::string& name, const std::string& text, DWORD type) {
    const std::wstring w = ToWide(text);
    SetRaw(root, key, name, type, w.c_str(), static_cast<DWORD>((w.size() + 1) * sizeof(wchar_t)));
}

RawValue GetRaw(HKEY root, const std::string& key, const std::string& name) {
    RawValue value;
    platform::UniqueRegKey k;
    DWORD size = 0;
    if (::RegOpenKeyExW(root, ToWide(key).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, k.put()) != ERROR_SUCCESS ||
        ::RegQueryValueExW(k.get(), ToWide(name).c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.data.resize(size);
    value.exists =
        ::RegQueryValueExW(k.get(), ToWide(name).c_str(), nullptr, &value.type, value.data.data(), &size) == 0;
    value.data.resize(value.exists ? size : 0);
    return value;
}

std::string GetText(HKEY root, const std::string& key, const std::string& name) {
    const RawValue raw = GetRaw(root, key, name);
    const std::wstring text(reinterpret_cast<const wchar_t*>(raw.data.data()), raw.data.size() / 2);
    return ToUtf8(text.c_str());  // up to the first NUL
}

void DeleteValue(HKEY root, const std::string& key, const std::string& name) {
    platform::UniqueRegKey k;
    if (::RegOpenKeyExW(root, ToWide(key).c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, k.put()) == ERROR_SUCCESS)
        ::RegDeleteValueW(k.get(), ToWide(name).c_str());
}

TestRegistryKey::TestRegistryKey() {
    static std::atomic<int> counter{0};
    path_ = "Software\\ClarimoTests\\" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++);
    platform::UniqueRegKey key;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, platform::ToWide(path_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.put(), nullptr);
}

TestRegistryKey::~TestRegistryKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, platform::ToWide(path_).c_str()); }

}  // namespace testing_support
