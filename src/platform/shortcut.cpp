#include "platform/shortcut.h"

#include <windows.h>

#include <shlobj.h>

#include "platform/handles.h"
#include "platform/utf.h"

namespace platform {
namespace {

// IShellLinkW keeps paths in MAX_PATH buffers; a longer one cannot be stored.
constexpr size_t kShellLinkPathLimit = MAX_PATH;

}  // namespace

std::optional<std::string> ReadShortcutTarget(const std::string& shortcutPath) {
    const ComApartment com;
    ComPtr<IShellLinkW> link;
    if (FAILED(link.create(CLSID_ShellLink, IID_IShellLinkW))) return std::nullopt;
    ComPtr<IPersistFile> file;
    if (FAILED(link.queryInterface(IID_IPersistFile, file))) return std::nullopt;
    const std::wstring path = ToWide(shortcutPath);
    if (FAILED(file->Load(path.c_str(), STGM_READ))) return std::nullopt;
    wchar_t target[kShellLinkPathLimit + 1] = {};
    // The item list keeps every name in UTF-16, while Wine keeps the path
    // that GetPath answers from in the ANSI code page ("?" for the rest).
    UniqueItemIdList items;
    if (SUCCEEDED(link->GetIDList(items.put())) && items && ::SHGetPathFromIDListW(items.get(), target) &&
        target[0] != L'\0')
        return ToUtf8(std::wstring_view(target));
    const HRESULT result = link->GetPath(target, static_cast<int>(kShellLinkPathLimit), nullptr, 0);
    if (FAILED(result)) return std::nullopt;
    return ToUtf8(std::wstring_view(target));  // S_FALSE: no file-system target, ""
}

bool WriteShortcut(const std::string& shortcutPath, const std::string& target) {
    const std::wstring wideTarget = ToWide(target);
    if (wideTarget.size() >= kShellLinkPathLimit) return false;
    const ComApartment com;
    ComPtr<IShellLinkW> link;
    if (FAILED(link.create(CLSID_ShellLink, IID_IShellLinkW))) return false;
    if (FAILED(link->SetPath(wideTarget.c_str()))) return false;
    ComPtr<IPersistFile> file;
    if (FAILED(link.queryInterface(IID_IPersistFile, file))) return false;
    const std::wstring path = ToWide(shortcutPath);
    return SUCCEEDED(file->Save(path.c_str(), TRUE));
}

}  // namespace platform
