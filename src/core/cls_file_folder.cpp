#include "core/cls_file_folder.h"

#include "core/path_text.h"
#include "core/size_text.h"
#include "platform/clipboard.h"
#include "platform/file_system.h"
#include "platform/locale_format.h"
#include "platform/module_path.h"
#include "platform/shell.h"
#include "platform/shortcut.h"
#include "platform/system_info.h"

namespace core {
namespace {

// The shell's BIF_ flags the folder picker is given.
constexpr unsigned kBifReturnOnlyFsDirs = 0x1;
constexpr unsigned kBifDontGoBelowDomain = 0x2;
constexpr unsigned kBifEditBox = 0x10;
constexpr unsigned kBifNewDialogStyle = 0x40;
constexpr unsigned kBifBrowseIncludeFiles = 0x4000;

std::string SizeTextOr(const std::optional<uint64_t>& bytes, const ClsFileFolder& service) {
    return bytes ? service.CalcSize(*bytes) : std::string();
}

}  // namespace

std::string ClsFileFolder::GetDrvName(const std::string& DriveLabel) const { return DriveDisplayName(DriveLabel); }

std::string ClsFileFolder::GetDiskSpace(const std::string& DriveStr, int Info) const {
    if (Info < 0 || Info > 2) return {};
    const auto space = platform::GetDiskSpace(DriveStr);
    if (!space) return {};
    switch (Info) {
        case 0:
            return CalcSize(space->total);
        case 1:
            return CalcSize(space->freeToUser);
        default:
            return CalcSize(space->total >= space->freeToUser ? space->total - space->freeToUser : 0);
    }
}

std::string ClsFileFolder::GetFolderSize(const std::string& Fname) const {
    return SizeTextOr(platform::FolderSize(Fname), *this);
}

std::string ClsFileFolder::GetFileSize(const std::string& Fname) const {
    return SizeTextOr(platform::FileSize(Fname), *this);
}

std::optional<uint64_t> ClsFileFolder::GetLngFileSize(const std::string& Fname) const {
    return platform::FileSize(Fname);
}

std::string ClsFileFolder::CalcSize(uint64_t LngSize) const { return SizeText(LngSize, platform::DecimalSeparator()); }

int64_t ClsFileFolder::CheckPathName(const std::string& Filename) const {
    return CountForbiddenNameCharacters(Filename);
}

intptr_t ClsFileFolder::ShowProperties(const std::string& Fname, platform::WindowHandle OwnerhWnd) const {
    return platform::ShowPropertiesSheet(Fname, OwnerhWnd);
}

std::string ClsFileFolder::GetSpecialFolder(int CSIDL) const { return platform::SpecialFolder(CSIDL); }

std::string ClsFileFolder::GetWinVersion(int RInfo) const {
    const platform::OsVersion version = platform::GetOsVersion();
    // The leading blank is where a number's sign would stand.
    std::string text = " ";
    if (RInfo == 0) {
        text.append(std::to_string(version.major)).append(".").append(std::to_string(version.minor));
    } else if (RInfo == 1) {
        text.append(std::to_string(version.build));
    } else {
        text.clear();
    }
    return text;
}

std::string ClsFileFolder::GetWindowsPath() const { return platform::WindowsFolder(); }

std::string ClsFileFolder::GetTempPathStr() const {
    std::string path = platform::TempFolderWithSlash();
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

std::string ClsFileFolder::GetComputerNameStr() const { return platform::ComputerName(); }

std::string ClsFileFolder::GetUserNameStr() const { return platform::UserName(); }

std::string ClsFileFolder::BrowseForFolder(Prompts& prompts, const std::string& Text, bool EditBox, bool IncludeFiles,
                                           bool NewStyle) const {
    constexpr unsigned kBase = kBifReturnOnlyFsDirs | kBifDontGoBelowDomain;
    unsigned flags = 0;
    if (EditBox) flags = kBifEditBox | kBase;
    if (IncludeFiles) flags = kBifBrowseIncludeFiles | kBase;
    if (NewStyle) flags = kBifNewDialogStyle | kBase;
    const std::string chosen = prompts.BrowseForFolder(Text, flags);
    if (!chosen.empty() && platform::IsDeviceUnavailable(chosen)) {
        prompts.Message("Device Not Ready ...", "Error", PromptIcon::Critical, PromptButtons::Ok);
        return {};
    }
    return chosen;
}

FolderDeletion ClsFileFolder::DeleteFolder(const std::string& FolderPath, bool DelMainFolder) const {
    return DeleteFolderGuarded(FolderPath, DelMainFolder, SystemProtectedFolders());
}

void ClsFileFolder::ListFiles(const std::string& FolderPath, std::vector<std::string>& list) const {
    std::vector<platform::DirEntry> entries;
    if (!platform::ListFolder(FolderPath, entries)) return;
    for (platform::DirEntry& entry : entries)
        if (!entry.isFolder()) list.push_back(std::move(entry.name));
}

std::string ClsFileFolder::AddSlash(const std::string& path) const { return WithTrailingSlash(path); }

std::string ClsFileFolder::GetFileName(const std::string& path) const {
    const auto entry = platform::FindEntry(path);
    return entry && !entry->isFolder() ? entry->name : std::string();
}

std::string ClsFileFolder::GetFolderName(const std::string& path) const { return ParentFolderText(path); }

std::string ClsFileFolder::GetFileDate(const std::string& path) const {
    const auto written = platform::LastWriteTime(path);
    return written ? platform::LocalDateTimeText(*written) : std::string();
}

std::string ClsFileFolder::GetShortCutPath(std::string& ShortCutPath) const {
    auto target = platform::ReadShortcutTarget(ShortCutPath);
    if (!target) {
        ShortCutPath.clear();
        return {};
    }
    return std::move(*target);
}

void ClsFileFolder::CreateShortcut(const std::string& FilePath, std::string& ShortCutPath) const {
    if (!HasNonBlank(FilePath)) return;
    if (!platform::WriteShortcut(ShortCutPath + ".lnk", FilePath)) ShortCutPath.clear();
}

void ClsFileFolder::SendEmail(const std::string& address) const {
    platform::ShellOpen(nullptr, "", "mailto:" + address, "", "C:\\");
}

void ClsFileFolder::OpenFileFolder(platform::WindowHandle Form, const std::string& pathOrUrl) const {
    platform::ShellOpen(Form, "open", pathOrUrl, "", platform::ExecutableFolder());
}

void ClsFileFolder::EmptyRecycleBin(platform::WindowHandle FormHwnd) const {
    platform::EmptyRecycleBin(FormHwnd, /*confirm=*/true);
}

void ClsFileFolder::ShowRestartDialog(platform::WindowHandle FormHwnd) const { platform::ShowRestartPrompt(FormHwnd); }

void ClsFileFolder::EmptyWinClipBoard(platform::WindowHandle FormHwnd) const { platform::EmptyClipboardOf(FormHwnd); }

bool ClsFileFolder::DelToRecycBin(const std::string& path) const {
    if (platform::IsGone(path)) return false;  // nothing was there to remove
    platform::MoveToRecycleBin(path);
    return platform::IsGone(path);
}

bool ClsFileFolder::DeleteFile(const std::string& path, bool Forced) const {
    const auto attributes = platform::GetAttributes(path);
    if (!attributes || (*attributes & platform::attributes::kDirectory)) return false;
    if (platform::RemoveFile(path)) return platform::IsGone(path);
    if (Forced && (*attributes & platform::attributes::kReadOnly)) {
        platform::SetAttributes(path, *attributes & ~platform::attributes::kReadOnly);
        if (!platform::RemoveFile(path)) platform::SetAttributes(path, *attributes);
    }
    return platform::IsGone(path);
}

bool ClsFileFolder::MoveFile(const std::string& path, const std::string& MoveTo) const {
    if (platform::IsGone(path) || MoveTo.empty()) return false;
    std::string destination = MoveTo;
    // A destination ending in a separator is the folder to move into.
    if (destination.back() == '\\' || destination.back() == '/') {
        const auto entry = platform::FindEntry(path);
        if (!entry) return false;
        destination += entry->name;
    }
    if (!platform::IsGone(destination)) return false;  // never replaces anything
    platform::MoveWithoutReplacing(path, destination);
    return platform::IsGone(path) && !platform::IsGone(destination);
}

std::string ClsFileFolder::CompactPath(const std::string& PathName, int widthPixels, void* deviceContext) const {
    return platform::CompactPathToWidth(deviceContext, PathName, widthPixels);
}

std::string ClsFileFolder::GetLongFilename(const std::string& sShortName) const {
    // A component holding a wildcard would match some other entry.
    if (sShortName.size() < 3 || sShortName.find_first_of("*?") != std::string::npos) return sShortName;
    const std::string text = sShortName + "\\";
    std::string gathered;
    size_t searchFrom = 3;  // after the drive, as in C:\ .
    for (;;) {
        const size_t slash = text.find('\\', searchFrom);
        if (slash == std::string::npos) return sShortName.substr(0, 2) + gathered;
        const auto entry = platform::FindEntry(text.substr(0, slash));
        if (!entry) return sShortName;
        gathered += "\\" + entry->name;
        searchFrom = slash + 1;
    }
}

}  // namespace core
