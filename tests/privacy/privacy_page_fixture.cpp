#include "privacy/privacy_page_fixture.h"

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include "core/cls_file_folder.h"
#include "platform/utf.h"
#include "privacy/browser_caches.h"
#include "privacy/privacy_catalogue.h"
#include "support/temp_folder.h"

namespace privacy_testing {

void ProgramTraces::RemoveAll() {
    for (const privacy::CatalogueItem& item : privacy::Catalogue())
        for (const char* key : item.keys)
            if (key) made_.push_back(key);
    for (const std::string& key : made_) ::RegDeleteTreeW(HKEY_CURRENT_USER, platform::ToWide(key).c_str());
    made_.clear();
}

void ProgramTraces::SetValue(const std::string& path, const std::string& name, const std::string& data) {
    made_.push_back(path);
    platform::UniqueRegKey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, platform::ToWide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS ||
        name.empty())
        return;
    const std::wstring text = platform::ToWide(data);
    const DWORD size = data.empty() ? 0 : static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    ::RegSetValueExW(key.get(), platform::ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     size);
}

void ProgramTraces::AddProgram(int index) {
    const privacy::CatalogueItem& item = privacy::Catalogue()[index];
    SetValue(item.keys[1] ? item.keys[1] : item.keys[0], item.value ? item.value : "", "C:\\Pictures");
}

std::string BrowserProfiles::Folder(int item) {
    return privacy::BrowserProfilesFolder(item, core::ClsFileFolder().GetSpecialFolder(CSIDL_LOCAL_APPDATA));
}

void PutFile(const std::string& file, const std::string& bytes) {
    testing_support::MakeFolder(file.substr(0, file.rfind('\\')));
    testing_support::WriteFile(file, bytes);
}

void BrowserProfiles::RemoveAll() {
    const core::ClsFileFolder files;
    const std::string local = files.GetSpecialFolder(CSIDL_LOCAL_APPDATA);
    for (const char* vendor : {"\\Google", "\\Microsoft\\Edge", "\\Mozilla"}) files.DeleteFolder(local + vendor, true);
}

platform::UniqueHandle HoldOpen(const std::string& path) {
    return platform::UniqueHandle(
        ::CreateFileW(platform::ToWide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

constexpr const wchar_t* kTempNames[] = {L"TMP", L"TEMP"};

TempVariables::TempVariables(const std::string& folder) {
    for (int i = 0; i < 2; ++i) {
        old_[i].resize(32767);
        const DWORD length = ::GetEnvironmentVariableW(kTempNames[i], old_[i].data(), 32767);
        had_[i] = length > 0;
        old_[i].resize(length);
        ::SetEnvironmentVariableW(kTempNames[i], platform::ToWide(folder).c_str());
    }
}

TempVariables::~TempVariables() {
    for (int i = 0; i < 2; ++i) ::SetEnvironmentVariableW(kTempNames[i], had_[i] ? old_[i].c_str() : nullptr);
}

}  // namespace privacy_testing
