// TEMPORARY: minimal bodies of the ClsFileFolder members the startup tests
// link against, until the branch that owns them is merged. Delete this file
// (and its include in tests/tools/startup_shots.cpp) when ClsFileFolder lands.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cctype>

#undef MoveFile
#undef DeleteFile

#include "core/cls_file_folder.h"
#include "core/general.h"
#include "core/settings.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace core {

std::string ClsFileFolder::AddSlash(const std::string& path) const {
    return (!path.empty() && path.back() == '\\') ? path : path + "\\";
}

std::string ClsFileFolder::GetFolderName(const std::string& path) const {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ClsFileFolder::GetSpecialFolder(int CSIDL) const {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL, nullptr, 0, path))) return {};
    return platform::ToUtf8(path);
}

std::string ClsFileFolder::GetShortCutPath(std::string& ShortCutPath) const {
    platform::ComApartment com;
    platform::ComPtr<IShellLinkW> link;
    platform::ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH] = {};
    if (FAILED(link.create(CLSID_ShellLink, IID_IShellLinkW)) || FAILED(link.queryInterface(IID_IPersistFile, file)) ||
        FAILED(file->Load(platform::ToWide(ShortCutPath).c_str(), STGM_READ)) ||
        FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) {
        ShortCutPath.clear();
        return {};
    }
    return platform::ToUtf8(target);
}

void ClsFileFolder::CreateShortcut(const std::string& FilePath, std::string& ShortCutPath) const {
    if (!HasText(FilePath)) return;
    platform::ComApartment com;
    platform::ComPtr<IShellLinkW> link;
    platform::ComPtr<IPersistFile> file;
    if (FAILED(link.create(CLSID_ShellLink, IID_IShellLinkW)) || FAILED(link.queryInterface(IID_IPersistFile, file)) ||
        FAILED(link->SetPath(platform::ToWide(FilePath).c_str())) ||
        FAILED(file->Save(platform::ToWide(ShortCutPath + ".lnk").c_str(), TRUE)))
        ShortCutPath.clear();
}

bool ClsFileFolder::DeleteFile(const std::string& path, bool Forced) const {
    const std::wstring p = platform::ToSystemPath(path);
    if (Forced) ::SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(p.c_str());
    return ::GetFileAttributesW(p.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool ClsFileFolder::MoveFile(const std::string& path, const std::string& MoveTo) const {
    return ::MoveFileExW(platform::ToSystemPath(path).c_str(), platform::ToSystemPath(MoveTo).c_str(),
                         MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void ClsFileFolder::OpenFileFolder(platform::WindowHandle, const std::string&) const {}

intptr_t ClsFileFolder::ShowProperties(const std::string&, platform::WindowHandle) const { return 0; }

}  // namespace core
