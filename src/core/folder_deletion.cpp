#include "core/folder_deletion.h"

#include <optional>

#include "platform/file_system.h"
#include "platform/module_path.h"

namespace core {
namespace {

namespace attr = platform::attributes;

// Only "X:\..." and "\\server\share\..." name a folder without depending on
// the current folder or drive.
bool IsFullPath(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) return true;
    return path.size() >= 3 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
}

// Whether the file is gone afterwards.
bool DeleteFileClearingAttributes(const std::string& path, uint32_t attributes) {
    constexpr uint32_t kInTheWay = attr::kReadOnly | attr::kHidden | attr::kSystem;
    const bool cleared = (attributes & kInTheWay) != 0 && platform::SetAttributes(path, attributes & ~kInTheWay);
    if (platform::RemoveFile(path)) return true;
    if (cleared) platform::SetAttributes(path, attributes);
    return platform::IsGone(path);
}

struct Frame {
    std::string path;
    std::string key;  // comparable form of where the folder really is
    std::optional<platform::HeldFolder> held;
    bool removeWhenEmptied = false;
    std::vector<platform::DirEntry> entries;
    size_t next = 0;
};

FolderVerdict Worse(FolderVerdict a, FolderVerdict b) {
    if (a == FolderVerdict::Refused || b == FolderVerdict::Refused) return FolderVerdict::Refused;
    return a == FolderVerdict::KeepOnPath ? a : b;
}

}  // namespace

FolderDeletion DeleteFolderGuarded(const std::string& FolderPath, bool DelMainFolder, const ProtectedFolders& places) {
    FolderDeletion result;
    if (!IsFullPath(FolderPath)) {
        result.refusedFolders.push_back(FolderPath);
        return result;
    }
    // Judge and delete the same object: the resolved path, not the text given.
    Frame top;
    top.path = platform::ResolvedPath(FolderPath);
    top.key = platform::UpperCaseForComparison(top.path);
    FolderVerdict verdict = JudgeFolder(places, top.key);
    if (verdict == FolderVerdict::Refused) {
        result.refusedFolders.push_back(FolderPath);
        return result;
    }
    const auto attributes = platform::GetAttributes(top.path);
    if (!attributes) {
        if (!platform::IsGone(top.path)) result.refusedFolders.push_back(FolderPath);  // unreadable: fail closed
        return result;
    }
    if (!(*attributes & attr::kDirectory)) return result;  // a file: nothing to empty
    if (!(*attributes & attr::kReparsePoint)) top.held = platform::HeldFolder::Open(top.path);
    if (!top.held) {  // a link, or swapped for one meanwhile
        result.refusedFolders.push_back(FolderPath);
        return result;
    }
    // A link on the way ("C:\Documents and Settings\Name") leads elsewhere
    // than the text says: the place it leads to must pass too.
    if (const std::string final = top.held->FinalPath(); !final.empty()) {
        top.key = platform::ComparablePath(final);
        verdict = Worse(verdict, JudgeFolder(places, top.key));
        if (verdict == FolderVerdict::Refused) {
            result.refusedFolders.push_back(FolderPath);
            return result;
        }
    }
    top.removeWhenEmptied = DelMainFolder && verdict == FolderVerdict::Allowed;
    if (DelMainFolder && verdict == FolderVerdict::KeepOnPath) result.refusedFolders.push_back(FolderPath);
    if (!platform::ListFolder(top.path, top.entries)) {
        top.held.reset();
        if (top.removeWhenEmptied) platform::RemoveEmptyFolder(top.path);
        return result;
    }

    // Depth first in list order, on an explicit stack: paths of 32,767
    // characters nest deeper than the thread's stack would allow.
    std::vector<Frame> stack;
    stack.push_back(std::move(top));
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.entries.size()) {
            frame.held.reset();
            if (frame.removeWhenEmptied) platform::RemoveEmptyFolder(frame.path);
            stack.pop_back();
            continue;
        }
        const platform::DirEntry& entry = frame.entries[frame.next++];
        const std::string path = frame.path + "\\" + entry.name;
        if (!entry.isFolder()) {
            if (entry.isLink())
                platform::RemoveLinkItself(path);
            else if (!DeleteFileClearingAttributes(path, entry.attributes))
                ++result.filesKept;
            continue;
        }
        // Checked again by handle just before going in, and held open while
        // it is emptied: a folder that turned into a link, or that cannot
        // be opened, is treated as a link.
        Frame inner;
        const auto now = platform::GetAttributes(path);
        if (!entry.isLink() && now && !(*now & attr::kReparsePoint)) inner.held = platform::HeldFolder::Open(path);
        if (!inner.held) {
            platform::RemoveLinkItself(path);  // only ever a link: it checks
            continue;
        }
        inner.path = path;
        inner.key = frame.key + "\\" + platform::UpperCaseForComparison(entry.name);
        const FolderVerdict innerVerdict = JudgeFolder(places, inner.key);
        if (innerVerdict != FolderVerdict::Allowed) result.refusedFolders.push_back(path);
        if (innerVerdict == FolderVerdict::Refused) continue;
        inner.removeWhenEmptied = innerVerdict == FolderVerdict::Allowed;
        if (!platform::ListFolder(path, inner.entries)) {
            inner.held.reset();
            if (inner.removeWhenEmptied) platform::RemoveEmptyFolder(path);
            continue;
        }
        stack.push_back(std::move(inner));  // frame is not used after this
    }
    return result;
}

ProtectedFolders SystemProtectedFolders() {
    ProtectedFolders places;
    places.windowsFolder = platform::ComparablePath(platform::WindowsFolder());
    for (const std::string& folder : {platform::SystemFolder(), platform::SystemWow64Folder()})
        if (!folder.empty()) places.systemFolders.push_back(platform::ComparablePath(folder));
    for (const std::string& folder : platform::ProgramFilesFolders())
        places.programFilesFolders.push_back(platform::ComparablePath(folder));
    places.profilesFolder = platform::ComparablePath(platform::ProfilesFolder());
    constexpr int kCsidlProfile = 0x28;
    const std::string profile = platform::SpecialFolder(kCsidlProfile);
    if (!profile.empty()) places.profileFolders.push_back(platform::ComparablePath(profile));
    places.programFolder = platform::ComparablePath(platform::ExecutableFolder());
    return places;
}

}  // namespace core
