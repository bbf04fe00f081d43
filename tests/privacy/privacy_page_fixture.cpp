#include "privacy/privacy_page_fixture.h"

#include <windows.h>
#include <wininet.h>

#include "platform/handles.h"
#include "platform/utf.h"
#include "privacy/privacy_catalogue.h"

namespace privacy_testing {

ProgramTraces::ProgramTraces() { RemoveAll(); }

ProgramTraces::~ProgramTraces() { RemoveAll(); }

void ProgramTraces::RemoveAll() {
    for (const privacy::CatalogueItem& item : privacy::Catalogue())
        for (const char* key : item.keys)
            if (key) ::RegDeleteTreeW(HKEY_CURRENT_USER, platform::ToWide(key).c_str());
}

void ProgramTraces::AddKey(const std::string& path) {
    platform::UniqueRegKey key;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, platform::ToWide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.put(), nullptr);
}

void ProgramTraces::SetValue(const std::string& path, const std::string& name, const std::string& data) {
    platform::UniqueRegKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, platform::ToWide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring text = platform::ToWide(data);
    // Empty data is written with size 0, as a program that clears the value does.
    const DWORD size = data.empty() ? 0 : static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    ::RegSetValueExW(key.get(), platform::ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     size);
}

void ProgramTraces::AddProgram(int index) {
    const privacy::CatalogueItem& item = privacy::Catalogue()[index];
    const char* key = item.keys[1] ? item.keys[1] : item.keys[0];
    if (item.value)
        SetValue(key, item.value, "C:\\Pictures");
    else
        AddKey(key);
}

bool ProgramTraces::KeyExists(const std::string& path) {
    platform::UniqueRegKey key;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, platform::ToWide(path).c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

EnvironmentOverride::EnvironmentOverride(const std::string& name, const std::string& value) : name_(name) {
    const std::wstring wideName = platform::ToWide(name);
    const DWORD size = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size > 0) {
        std::wstring old(size, L'\0');
        const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), old.data(), size);
        old.resize(length);
        old_ = platform::ToUtf8(old);
        had_ = true;
    }
    ::SetEnvironmentVariableW(wideName.c_str(), platform::ToWide(value).c_str());
}

EnvironmentOverride::~EnvironmentOverride() {
    ::SetEnvironmentVariableW(platform::ToWide(name_).c_str(), had_ ? platform::ToWide(old_).c_str() : nullptr);
}

CacheEntries::~CacheEntries() {
    for (const std::string& url : urls_) ::DeleteUrlCacheEntryW(platform::ToWide(url).c_str());
}

bool CacheEntries::Add(const std::string& url) {
    const std::wstring wideUrl = platform::ToWide(url);
    wchar_t file[MAX_PATH] = {};
    if (!::CreateUrlCacheEntryW(wideUrl.c_str(), 0, L"txt", file, 0)) return false;
    {
        platform::UniqueHandle handle(
            ::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        ::WriteFile(handle.get(), "data", 4, &written, nullptr);
    }
    FILETIME zero = {};
    if (!::CommitUrlCacheEntryW(wideUrl.c_str(), file, zero, zero, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr))
        return false;
    urls_.push_back(url);
    return true;
}

}  // namespace privacy_testing
