#include "core/folder_guard.h"

#include <algorithm>

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

// Only the comparable form is judged. Any other spelling (lower case, "/",
// empty, "." or ".." parts, a trailing dot or blank that Windows drops, a
// "\\?\" or "\\.\" prefix, a stream name after ":") may name a protected
// folder without looking like it.
bool IsComparableForm(std::string_view path, size_t root) {
    constexpr std::string_view kNotInNames = "\"|<>?*:/";
    size_t start = path[0] == '\\' ? 2 : root;  // a share's server and share names are checked too
    while (start <= path.size()) {
        const size_t end = std::min(path.find('\\', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part.back() == '.' || part.back() == ' ') return false;
        for (const char c : part)
            if ((c >= 'a' && c <= 'z') || kNotInNames.find(c) != std::string_view::npos) return false;
        start = end + 1;
    }
    return path[0] == '\\' || (path[0] >= 'A' && path[0] <= 'Z');
}

std::string_view Parent(std::string_view path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

}  // namespace

FolderVerdict JudgeFolder(const ProtectedFolders& places, std::string_view path) {
    const size_t root = RootLength(path);
    if (root == 0 || path.size() <= root) return FolderVerdict::Refused;  // relative, unknown form or a root
    if (!IsComparableForm(path, root)) return FolderVerdict::Refused;
    if (IsSameOrAbove(path, places.windowsFolder) || IsSameOrAboveAny(path, places.systemFolders) ||
        IsAtOrInsideAny(path, places.systemFolders) || IsSameOrAboveAny(path, places.programFilesFolders) ||
        IsSameOrAbove(path, places.profilesFolder) || IsSameOrAboveAny(path, places.profileFolders) ||
        (!places.profilesFolder.empty() && Parent(path) == places.profilesFolder) || path == places.programFolder)
        return FolderVerdict::Refused;
    if (IsSameOrAbove(path, places.programFolder)) return FolderVerdict::KeepOnPath;
    return FolderVerdict::Allowed;
}

}  // namespace core
