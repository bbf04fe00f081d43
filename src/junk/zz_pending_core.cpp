// TEMPORARY: stand-ins for the core services that are declared but not yet
// built on this branch, so that the junk cleaner links and its tests run.
// Removed as soon as the real ones are merged.
#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>

#undef DeleteFile
#undef MoveFile

#include "core/cls_file_folder.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace core {

std::string ClsFileFolder::GetLongFilename(const std::string& sShortName) const {
    wchar_t buffer[32768];
    const DWORD n = ::GetLongPathNameW(platform::ToSystemPath(sShortName).c_str(), buffer, 32768);
    return n == 0 || n >= 32768 ? sShortName : platform::FromSystemPath(buffer);
}

std::string ClsFileFolder::AddSlash(const std::string& path) const {
    return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

std::string ClsFileFolder::CalcSize(uint64_t LngSize) const {
    char text[64];
    if (LngSize < 1024) {
        std::snprintf(text, sizeof text, "%llu Byte", static_cast<unsigned long long>(LngSize));
        return text;
    }
    const char* units[] = {" KB", " MB", " GB", " TB"};
    double value = static_cast<double>(LngSize) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) value /= 1024, ++unit;
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s + units[unit];
}

std::optional<uint64_t> ClsFileFolder::GetLngFileSize(const std::string& Fname) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(platform::ToSystemPath(Fname).c_str(), GetFileExInfoStandard, &data)) return {};
    return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

std::string ClsFileFolder::GetShortCutPath(std::string& ShortCutPath) const {
    platform::ComPtr<IShellLinkW> link;
    if (FAILED(link.create(CLSID_ShellLink, IID_IShellLinkW))) return ShortCutPath.clear(), "";
    platform::ComPtr<IPersistFile> file;
    if (FAILED(link.queryInterface(IID_IPersistFile, file)) ||
        FAILED(file->Load(platform::ToWide(ShortCutPath).c_str(), STGM_READ)))
        return ShortCutPath.clear(), "";
    wchar_t target[MAX_PATH * 4] = {};
    link->GetPath(target, MAX_PATH * 4, nullptr, SLGP_RAWPATH);
    return platform::ToUtf8(target);
}

void ClsFileFolder::CreateShortcut(const std::string& FilePath, std::string& ShortCutPath) const {
    platform::ComPtr<IShellLinkW> link;
    if (FAILED(link.create(CLSID_ShellLink, IID_IShellLinkW))) return ShortCutPath.clear();
    link->SetPath(platform::ToWide(FilePath).c_str());
    platform::ComPtr<IPersistFile> file;
    if (FAILED(link.queryInterface(IID_IPersistFile, file)) ||
        FAILED(file->Save(platform::ToWide(ShortCutPath + ".lnk").c_str(), TRUE)))
        ShortCutPath.clear();
}

bool ClsFileFolder::DelToRecycBin(const std::string& path) const {
    std::wstring from = platform::ToWide(path);
    if (from.size() >= MAX_PATH) return false;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT;
    ::SHFileOperationW(&op);
    return ::GetFileAttributesW(platform::ToSystemPath(path).c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool ClsFileFolder::DeleteFile(const std::string& path, bool) const {
    ::DeleteFileW(platform::ToSystemPath(path).c_str());
    return ::GetFileAttributesW(platform::ToSystemPath(path).c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool ClsFileFolder::MoveFile(const std::string& path, const std::string& MoveTo) const {
    return ::MoveFileExW(platform::ToSystemPath(path).c_str(), platform::ToSystemPath(MoveTo).c_str(),
                         MOVEFILE_COPY_ALLOWED) != FALSE;
}

std::string ClsFileFolder::GetDrvName(const std::string& DriveLabel) const {
    std::string drive = DriveLabel.substr(0, 2);
    for (char& c : drive) c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    const size_t open = DriveLabel.find('[');
    const size_t close = DriveLabel.rfind(']');
    if (open == std::string::npos || close == std::string::npos || close <= open + 1) return drive + "\\";
    return DriveLabel.substr(open + 1, close - open - 1) + " (" + drive + ") ";
}

std::string ClsFileFolder::GetDiskSpace(const std::string& DriveStr, int Info) const {
    ULARGE_INTEGER freeToUser, total, freeTotal;
    if (!::GetDiskFreeSpaceExW(platform::ToWide(DriveStr).c_str(), &freeToUser, &total, &freeTotal)) return {};
    if (Info == 0) return CalcSize(total.QuadPart);
    if (Info == 1) return CalcSize(freeToUser.QuadPart);
    if (Info == 2) return CalcSize(total.QuadPart - freeToUser.QuadPart);
    return {};
}

std::string ClsFileFolder::BrowseForFolder(Prompts& prompts, const std::string& Text, bool, bool, bool) const {
    return prompts.BrowseForFolder(Text, 0);
}

void ClsFileFolder::OpenFileFolder(platform::WindowHandle Form, const std::string& pathOrUrl) const {
    ::ShellExecuteW(Form, L"open", platform::ToWide(pathOrUrl).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

intptr_t ClsFileFolder::ShowProperties(const std::string& Fname, platform::WindowHandle OwnerhWnd) const {
    std::wstring file = platform::ToWide(Fname);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = OwnerhWnd;
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    ::ShellExecuteExW(&info);
    platform::UniqueHandle process(info.hProcess);
    return reinterpret_cast<intptr_t>(info.hInstApp);
}

std::string ClsFileFolder::CompactPath(const std::string& PathName, int, void*) const { return PathName; }

}  // namespace core
