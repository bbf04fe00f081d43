#include "core/folder_guard.h"

namespace core {
namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "X:\..." or "\\server\share...": the only forms the comparable form has.
// Returns the length of the root ("X:\" or "\\server\share"), 0 otherwise.
size_t RootLength(std::string_view path) {
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\') return 3;
    if (path.size() >= 5 && path[0] == '\\' && path[1] == '\\' && path[2] != '\\') {
        const size_t server = path.find('\\', 2);
        if (server == std::string_view::npos || server + 1 >= path.size() || path[server + 1] == '\\') return 0;
        const size_t share = path.find('\\', server + 1);
        return share == std::string_view::npos ? path.size() : share;
    }
    return 0;
}

// place itself, or a folder that contains it.
bool IsSameOrAbove(std::string_view folder, std::string_view place) {
    if (place.empty() || folder.empty()) return false;
    if (folder == place) return true;
    return place.size() > folder.size() && place.starts_with(folder) &&
           (folder.back() == '\\' || place[folder.size()] == '\\');
}

bool IsSameOrAboveAny(std::string_view folder, const std::vector<std::string>& places) {
    for (const std::string& place : places)
        if (IsSameOrAbove(folder, place)) return true;
    return false;
}

// Nothing inside a system folder is any caller's to clean.
bool IsAtOrInsideAny(std::string_view folder, const std::vector<std::string>& places) {
    for (const std::string& place : places)
        if (IsSameOrAbove(place, folder)) return true;
    return false;
}

std::string_view Parent(std::string_view path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

}  // namespace

FolderVerdict JudgeFolder(const ProtectedFolders& places, std::string_view path) {
    const size_t root = RootLength(path);
    if (root == 0 || path.size() <= root) return FolderVerdict::Refused;  // relative, unknown form or a root
    if (path.back() == '\\') return FolderVerdict::Refused;               // not in comparable form
    if (IsSameOrAbove(path, places.windowsFolder) || IsSameOrAboveAny(path, places.systemFolders) ||
        IsAtOrInsideAny(path, places.systemFolders) || IsSameOrAboveAny(path, places.programFilesFolders) ||
        IsSameOrAbove(path, places.profilesFolder) || IsSameOrAboveAny(path, places.profileFolders) ||
        (!places.profilesFolder.empty() && Parent(path) == places.profilesFolder) || path == places.programFolder)
        return FolderVerdict::Refused;
    if (IsSameOrAbove(path, places.programFolder)) return FolderVerdict::KeepOnPath;
    return FolderVerdict::Allowed;
}

}  // namespace core
