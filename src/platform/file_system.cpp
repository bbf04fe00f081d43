#include "platform/file_system.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform {
namespace {

uint64_t Combine(DWORD high, DWORD low) { return (uint64_t{high} << 32) | low; }
uint64_t FromFileTime(const FILETIME& time) { return Combine(time.dwHighDateTime, time.dwLowDateTime); }

bool HasWildcard(std::string_view path) { return path.find_first_of("*?") != std::string_view::npos; }

// Calls fill(buffer, size) -> needed length, growing the buffer until the
// answer fits; "" when the call fails.
template <typename Fill>
std::wstring GrowingCall(Fill fill) {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD n = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.assign(n + 1, L'\0');
    }
    return {};
}

std::wstring StripLongPrefix(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
    if (path.starts_with(L"\\\\?\\")) return path.substr(4);
    return path;
}

bool IsRootPath(std::wstring_view path) {
    if (path.size() == 3 && path[1] == L':' && path[2] == L'\\') return true;
    if (path.starts_with(L"\\\\")) {  // \\server\share
        const size_t server = path.find(L'\\', 2);
        return server != std::wstring_view::npos && path.find(L'\\', server + 1) == std::wstring_view::npos;
    }
    return false;
}

std::wstring WithoutTrailingSlash(std::wstring path) {
    while (path.size() > 1 && path.back() == L'\\' && !IsRootPath(path)) path.pop_back();
    return path;
}

void AppendEntry(const WIN32_FIND_DATAW& data, std::vector<DirEntry>& entries) {
    DirEntry entry;
    entry.name = ToUtf8(data.cFileName);
    entry.attributes = data.dwFileAttributes;
    entry.size = Combine(data.nFileSizeHigh, data.nFileSizeLow);
    entry.lastWriteTime = FromFileTime(data.ftLastWriteTime);
    entries.push_back(std::move(entry));
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> AttributeData(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(ToSystemPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return data;
}

void AddUnique(std::vector<std::string>& list, std::string path) {
    if (path.empty()) return;
    const std::string key = UpperCaseForComparison(path);
    for (const std::string& known : list)
        if (UpperCaseForComparison(known) == key) return;
    list.push_back(std::move(path));
}

std::string Environment(const wchar_t* name) {
    return ToUtf8(GrowingCall([&](wchar_t* buffer, DWORD size) {
        const DWORD n = ::GetEnvironmentVariableW(name, buffer, size);
        return n;  // without the NUL when it fits, with it when it does not
    }));
}

}  // namespace

std::optional<uint32_t> GetAttributes(const std::string& path) {
    const DWORD value = ::GetFileAttributesW(ToSystemPath(path).c_str());
    if (value == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return value;
}

bool SetAttributes(const std::string& path, uint32_t value) {
    value &= attributes::kSettable;
    return ::SetFileAttributesW(ToSystemPath(path).c_str(), value == 0 ? FILE_ATTRIBUTE_NORMAL : value) != FALSE;
}

bool IsGone(const std::string& path) {
    if (::GetFileAttributesW(ToSystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool FileExists(const std::string& path) {
    const auto value = GetAttributes(path);
    return value && !(*value & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const auto value = GetAttributes(path);
    return value && (*value & FILE_ATTRIBUTE_DIRECTORY);
}

bool ListFolder(const std::string& folder, std::vector<DirEntry>& entries) {
    std::string pattern = folder;
    if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) pattern += '\\';
    pattern += '*';
    const std::wstring widePattern = ToSystemPath(pattern);
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(::FindFirstFileExW(widePattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                             nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find && ::GetLastError() == ERROR_INVALID_PARAMETER)  // before Windows 7: no basic, large fetch
        find.reset(::FindFirstFileW(widePattern.c_str(), &data));
    if (!find) return false;
    do {
        const std::wstring_view name = data.cFileName;
        if (name != L"." && name != L"..") AppendEntry(data, entries);
    } while (::FindNextFileW(find.get(), &data));
    return true;
}

std::optional<DirEntry> FindEntry(const std::string& path) {
    if (path.empty() || HasWildcard(path)) return std::nullopt;
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(::FindFirstFileW(ToSystemPath(path).c_str(), &data));
    if (!find) return std::nullopt;
    std::vector<DirEntry> one;
    AppendEntry(data, one);
    return one.front();
}

std::optional<uint64_t> FileSize(const std::string& path) {
    const auto data = AttributeData(path);
    if (!data || (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    return Combine(data->nFileSizeHigh, data->nFileSizeLow);
}

std::optional<uint64_t> FolderSize(const std::string& folder) {
    std::vector<DirEntry> entries;
    if (!ListFolder(folder, entries)) return std::nullopt;
    uint64_t total = 0;
    std::vector<std::pair<std::string, std::vector<DirEntry>>> pending;  // explicit stack: any depth
    pending.emplace_back(folder, std::move(entries));
    while (!pending.empty()) {
        auto [path, list] = std::move(pending.back());
        pending.pop_back();
        for (const DirEntry& entry : list) {
            if (!entry.isFolder()) {
                total += entry.size;
            } else if (!entry.isLink()) {
                std::vector<DirEntry> inner;
                if (ListFolder(path + "\\" + entry.name, inner))
                    pending.emplace_back(path + "\\" + entry.name, std::move(inner));
            }
        }
    }
    return total;
}

std::optional<uint64_t> LastWriteTime(const std::string& path) {
    const auto data = AttributeData(path);
    if (!data) return std::nullopt;
    return FromFileTime(data->ftLastWriteTime);
}

uint64_t CurrentFileTime() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

bool RemoveFile(const std::string& path) { return ::DeleteFileW(ToSystemPath(path).c_str()) != FALSE; }

bool RemoveEmptyFolder(const std::string& path) { return ::RemoveDirectoryW(ToSystemPath(path).c_str()) != FALSE; }

bool RemoveLinkItself(const std::string& path) {
    UniqueHandle link(::CreateFileW(ToSystemPath(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!link) return false;
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(link.get(), &information) ||
        !(information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;  // the handle reached the target, not the link
    // Deleting through the handle removes exactly the object checked.
    // Windows XP lacks the call; there the link goes by its path, which on
    // Windows removes the link itself.
    using SetInformation = BOOL(WINAPI*)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, void*, DWORD);
    const FARPROC address = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetFileInformationByHandle");
    if (address) {
        const auto setInformation = reinterpret_cast<SetInformation>(reinterpret_cast<void (*)()>(address));
        FILE_DISPOSITION_INFO disposition{};
        disposition.DeleteFile = TRUE;
        return setInformation(link.get(), FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
    }
    const bool isFolder = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    link.reset();
    return isFolder ? RemoveEmptyFolder(path) : RemoveFile(path);
}

struct HeldFolder::Handle {
    UniqueHandle owner;
};

std::optional<HeldFolder> HeldFolder::Open(const std::string& path) {
    // No delete sharing: while the handle is open the folder cannot be
    // removed or renamed, so no link can take its place.
    HeldFolder folder;
    folder.handle_ = std::make_shared<Handle>();
    folder.handle_->owner.reset(::CreateFileW(ToSystemPath(path).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    const HANDLE handle = folder.handle_->owner.get();
    BY_HANDLE_FILE_INFORMATION information{};
    if (!folder.handle_->owner || !::GetFileInformationByHandle(handle, &information) ||
        (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) !=
            FILE_ATTRIBUTE_DIRECTORY)
        return std::nullopt;
    return folder;
}

std::string HeldFolder::FinalPath() const {
    if (!handle_) return {};
    using GetFinalPath = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
    const FARPROC address = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetFinalPathNameByHandleW");
    if (!address) return {};  // before Windows Vista
    const auto getFinalPath = reinterpret_cast<GetFinalPath>(reinterpret_cast<void (*)()>(address));
    return FromSystemPath(GrowingCall([&](wchar_t* buffer, DWORD size) {
        return getFinalPath(handle_->owner.get(), buffer, size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }));
}

bool MoveWithoutReplacing(const std::string& from, const std::string& to) {
    if (::MoveFileExW(ToSystemPath(from).c_str(), ToSystemPath(to).c_str(), 0)) return true;
    // Windows' own copy-and-delete keeps the copy when the source cannot go.
    return ::GetLastError() == ERROR_NOT_SAME_DEVICE && MoveByCopy(from, to);
}

bool MoveByCopy(const std::string& from, const std::string& to) {
    const std::wstring source = ToSystemPath(from);
    const std::wstring copy = ToSystemPath(to);
    if (!::CopyFileW(source.c_str(), copy.c_str(), TRUE)) return false;
    if (::DeleteFileW(source.c_str())) return true;
    // The copy is this call's own (CopyFileW made it, replacing nothing);
    // it keeps the source's read-only bit, which would stop its removal.
    ::SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(copy.c_str());
    return false;
}

bool CopyFileTo(const std::string& from, const std::string& to, bool replaceExisting) {
    return ::CopyFileW(ToSystemPath(from).c_str(), ToSystemPath(to).c_str(), replaceExisting ? FALSE : TRUE) != FALSE;
}

std::optional<DiskSpace> GetDiskSpace(const std::string& root) {
    ULARGE_INTEGER freeToUser{}, total{}, totalFree{};
    if (!::GetDiskFreeSpaceExW(ToSystemPath(root).c_str(), &freeToUser, &total, &totalFree)) return std::nullopt;
    return DiskSpace{total.QuadPart, freeToUser.QuadPart, totalFree.QuadPart};
}

DriveType GetDriveKind(const std::string& root) {
    std::wstring path = ToWide(root);
    if (path.size() >= 2 && path[1] == L':') path = path.substr(0, 2) + L"\\";
    switch (::GetDriveTypeW(path.c_str())) {
        case DRIVE_NO_ROOT_DIR:
            return DriveType::NoRootFolder;
        case DRIVE_REMOVABLE:
            return DriveType::Removable;
        case DRIVE_FIXED:
            return DriveType::Fixed;
        case DRIVE_REMOTE:
            return DriveType::Remote;
        case DRIVE_CDROM:
            return DriveType::CdRom;
        case DRIVE_RAMDISK:
            return DriveType::RamDisk;
        default:
            return DriveType::Unknown;
    }
}

bool IsDeviceUnavailable(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':' && GetDriveKind(path) == DriveType::NoRootFolder) return true;
    if (::GetFileAttributesW(ToSystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = ::GetLastError();
    return error == ERROR_NOT_READY || error == ERROR_DEV_NOT_EXIST || error == ERROR_INVALID_DRIVE ||
           error == ERROR_UNRECOGNIZED_MEDIA;
}

std::string WindowsFolder() {
    return FromSystemPath(WithoutTrailingSlash(
        GrowingCall([](wchar_t* buffer, DWORD size) { return ::GetWindowsDirectoryW(buffer, size); })));
}

std::string SystemFolder() {
    return FromSystemPath(WithoutTrailingSlash(
        GrowingCall([](wchar_t* buffer, DWORD size) { return ::GetSystemDirectoryW(buffer, size); })));
}

std::string SystemWow64Folder() {
    return FromSystemPath(WithoutTrailingSlash(
        GrowingCall([](wchar_t* buffer, DWORD size) { return ::GetSystemWow64DirectoryW(buffer, size); })));
}

std::string TempFolderWithSlash() {
    return FromSystemPath(GrowingCall([](wchar_t* buffer, DWORD size) { return ::GetTempPathW(size, buffer); }));
}

std::string SpecialFolder(int csidl) {
    UniqueItemIdList list;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, list.put())) || !list) return {};
    wchar_t path[MAX_PATH + 1] = {};
    if (!::SHGetPathFromIDListW(list.get(), path)) return {};
    return ToUtf8(std::wstring_view(path));
}

std::string ProfilesFolder() {
    // The profiles folder is the parent of the current profile on every
    // Windows that has profiles; the registry names it too, but reading the
    // parent needs no extra library.
    const std::string profile = SpecialFolder(CSIDL_PROFILE);
    if (profile.empty()) return {};
    const std::string resolved = ResolvedPath(profile);
    const size_t slash = resolved.find_last_of('\\');
    if (slash == std::string::npos || slash < 3) return {};
    return resolved.substr(0, slash);
}

std::vector<std::string> ProgramFilesFolders() {
    std::vector<std::string> folders;
    AddUnique(folders, ResolvedPath(SpecialFolder(CSIDL_PROGRAM_FILES)));
    AddUnique(folders, ResolvedPath(SpecialFolder(CSIDL_PROGRAM_FILESX86)));
    // A 32-bit program on 64-bit Windows sees only the x86 folder through
    // the two above; the environment names the 64-bit one.
    for (const wchar_t* name : {L"ProgramW6432", L"ProgramFiles", L"ProgramFiles(x86)"})
        AddUnique(folders, ResolvedPath(Environment(name)));
    return folders;
}

std::string NativeSystemPath(const std::string& path) {
    // "<Windows>\SYSTEM32" upper-cased, or "" when nothing is redirected.
    static const std::string redirected = [] {
        BOOL wow64 = FALSE;
        using IsWow64 = BOOL(WINAPI*)(HANDLE, BOOL*);
        const FARPROC address = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "IsWow64Process");
        if (!address ||
            !reinterpret_cast<IsWow64>(reinterpret_cast<void (*)()>(address))(::GetCurrentProcess(), &wow64) || !wow64)
            return std::string();
        return UpperCaseForComparison(WindowsFolder() + "\\System32");
    }();
    if (redirected.empty() || path.size() < redirected.size()) return path;
    if (path.size() > redirected.size() && path[redirected.size()] != '\\') return path;
    if (UpperCaseForComparison(path.substr(0, redirected.size())) != redirected) return path;
    return path.substr(0, redirected.size() - 8) + "Sysnative" + path.substr(redirected.size());
}

std::string FullPath(const std::string& path) {
    if (path.empty()) return {};
    std::wstring wide = ToWide(path);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    wide = StripLongPrefix(std::move(wide));
    const std::wstring full = GrowingCall(
        [&](wchar_t* buffer, DWORD size) { return ::GetFullPathNameW(wide.c_str(), size, buffer, nullptr); });
    return ToUtf8(full.empty() ? wide : full);
}

std::string LongPath(const std::string& path) {
    if (path.empty()) return {};
    // The longest part that exists gets its long names; the rest is kept.
    std::wstring head = ToSystemPath(path);
    std::wstring tail;
    for (;;) {
        const std::wstring longHead =
            GrowingCall([&](wchar_t* buffer, DWORD size) { return ::GetLongPathNameW(head.c_str(), buffer, size); });
        if (!longHead.empty()) return FromSystemPath(longHead + tail);
        const size_t slash = head.find_last_of(L'\\');
        if (slash == std::wstring::npos || slash < 3) return path;
        tail = head.substr(slash) + tail;
        head.resize(slash);
    }
}

std::string ShortPath(const std::string& path) {
    const std::wstring wide = ToSystemPath(path);
    return FromSystemPath(
        GrowingCall([&](wchar_t* buffer, DWORD size) { return ::GetShortPathNameW(wide.c_str(), buffer, size); }));
}

std::string ResolvedPath(const std::string& path) {
    if (path.empty()) return {};
    return FromSystemPath(WithoutTrailingSlash(ToWide(LongPath(FullPath(path)))));
}

std::string UpperCaseForComparison(std::string_view text) {
    std::wstring wide = ToWide(text);
    if (wide.empty()) return {};
    std::wstring upper(wide.size(), L'\0');
    const int n = ::LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                                 upper.data(), static_cast<int>(upper.size()));
    if (n <= 0) return std::string(text);
    upper.resize(static_cast<size_t>(n));
    return ToUtf8(upper);
}

std::string ComparablePath(const std::string& path) {
    if (path.empty()) return {};
    return UpperCaseForComparison(ResolvedPath(path));
}

}  // namespace platform
