#include "privacy/privacy_page_fixture.h"

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include "core/cls_file_folder.h"
#include "platform/utf.h"
#include "privacy/browser_caches.h"
#include "privacy/privacy_catalogue.h"
#include "support/registry_values.h"
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
    // Empty data is of size 0, which detection treats as no value.
    if (data.empty()) return testing_support::SetRaw(HKEY_CURRENT_USER, path, name, REG_SZ, L"", 0);
    testing_support::SetText(HKEY_CURRENT_USER, path, name, data);
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

TempVariable::TempVariable(const std::string& folder) {
    std::wstring old(32767, L'\0');
    old.resize(::GetEnvironmentVariableW(L"TMP", old.data(), 32767));
    if (!old.empty()) old_ = old;
    ::SetEnvironmentVariableW(L"TMP", platform::ToWide(folder).c_str());
}

TempVariable::~TempVariable() { ::SetEnvironmentVariableW(L"TMP", old_ ? old_->c_str() : nullptr); }

}  // namespace privacy_testing
