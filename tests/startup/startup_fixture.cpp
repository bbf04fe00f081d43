#include "startup_fixture.h"

#include <objbase.h>
#include <shlobj.h>

#include "platform/handles.h"
#include "platform/utf.h"

namespace startup_test {

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
    if (::RegOpenKeyExW(root, ToWide(key).c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, k.put()) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (::RegQueryValueExW(k.get(), ToWide(name).c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return value;
    value.data.resize(size);
    if (::RegQueryValueExW(k.get(), ToWide(name).c_str(), nullptr, &value.type, value.data.data(), &size) ==
        ERROR_SUCCESS) {
        value.exists = true;
        value.data.resize(size);
    }
    return value;
}

std::string GetText(HKEY root, const std::string& key, const std::string& name) {
    const RawValue raw = GetRaw(root, key, name);
    std::wstring text(reinterpret_cast<const wchar_t*>(raw.data.data()), raw.data.size() / 2);
    if (const size_t nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
    return ToUtf8(text);
}

void DeleteValue(HKEY root, const std::string& key, const std::string& name) {
    platform::UniqueRegKey k;
    if (::RegOpenKeyExW(root, ToWide(key).c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, k.put()) == ERROR_SUCCESS)
        ::RegDeleteValueW(k.get(), ToWide(name).c_str());
}

void MakeShortcut(const std::string& path, const std::string& target, const std::string& arguments,
                  const std::string& workingFolder) {
    const ShortcutInfo info{target, arguments, workingFolder};
    platform::ComApartment com;
    platform::ComPtr<IShellLinkW> link;
    platform::ComPtr<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(link.create(CLSID_ShellLink, IID_IShellLinkW)));
    ASSERT_TRUE(SUCCEEDED(link.queryInterface(IID_IPersistFile, file)));
    link->SetPath(ToWide(info.target).c_str());
    link->SetArguments(ToWide(info.arguments).c_str());
    link->SetWorkingDirectory(ToWide(info.workingFolder).c_str());
    ASSERT_TRUE(SUCCEEDED(file->Save(ToWide(path).c_str(), TRUE))) << path;
}

ShortcutInfo ReadShortcut(const std::string& path) {
    ShortcutInfo info;
    platform::ComApartment com;
    platform::ComPtr<IShellLinkW> link;
    platform::ComPtr<IPersistFile> file;
    if (FAILED(link.create(CLSID_ShellLink, IID_IShellLinkW)) || FAILED(link.queryInterface(IID_IPersistFile, file)) ||
        FAILED(file->Load(ToWide(path).c_str(), STGM_READ)))
        return info;
    wchar_t buffer[1024] = {};
    if (SUCCEEDED(link->GetPath(buffer, 1024, nullptr, SLGP_RAWPATH))) info.target = ToUtf8(buffer);
    buffer[0] = 0;
    if (SUCCEEDED(link->GetArguments(buffer, 1024))) info.arguments = ToUtf8(buffer);
    buffer[0] = 0;
    if (SUCCEEDED(link->GetWorkingDirectory(buffer, 1024))) info.workingFolder = ToUtf8(buffer);
    return info;
}

StartupPlaces::StartupPlaces() {
    using startup::Hive;
    where_.registry[0] = {{Hive::CurrentUser, machineRun()}, {Hive::CurrentUser, machineRun32()}};
    where_.registry[1] = {{Hive::CurrentUser, machineRunOnce()}};
    where_.registry[2] = {{Hive::CurrentUser, userRun()}};
    where_.registry[3] = {{Hive::CurrentUser, userRunOnce()}};
    where_.commonStartupFolder = temp_ / "Common Startup";
    where_.userStartupFolder = temp_ / "User Startup";
    testing_support::MakeFolder(where_.commonStartupFolder);
    testing_support::MakeFolder(where_.userStartupFolder);
    where_.allUsersKeepingFile = temp_ / "Ass.ini";
    where_.currentUserKeepingFile = temp_ / "Css.ini";
    where_.allUsersKeepingFolder = temp_ / "Startup Disabled\\All Users";
    where_.currentUserKeepingFolder = temp_ / "Startup Disabled\\Current User";
}

}  // namespace startup_test
