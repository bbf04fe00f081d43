// Files, folders, drives and the system's well-known folders. UTF-8 paths of
// any length in and out; no Windows header, so that core can include it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// File attribute bits as Windows defines them.
namespace attributes {
inline constexpr uint32_t kReadOnly = 0x1;
inline constexpr uint32_t kHidden = 0x2;
inline constexpr uint32_t kSystem = 0x4;
inline constexpr uint32_t kDirectory = 0x10;
inline constexpr uint32_t kArchive = 0x20;
inline constexpr uint32_t kNormal = 0x80;
inline constexpr uint32_t kTemporary = 0x100;
inline constexpr uint32_t kReparsePoint = 0x400;
inline constexpr uint32_t kOffline = 0x1000;
inline constexpr uint32_t kNotContentIndexed = 0x2000;
// The bits SetAttributes can set.
inline constexpr uint32_t kSettable =
    kReadOnly | kHidden | kSystem | kArchive | kTemporary | kOffline | kNotContentIndexed;
}  // namespace attributes

std::optional<uint32_t> GetAttributes(const std::string& path);
// attributes outside kSettable are ignored; 0 becomes kNormal.
bool SetAttributes(const std::string& path, uint32_t attributes);
// True only when nothing is at path any more ("not found"), not when it
// merely cannot be read or is waiting to be deleted.
bool IsGone(const std::string& path);
bool FileExists(const std::string& path);    // exists and is not a folder
bool FolderExists(const std::string& path);  // exists and is a folder

struct DirEntry {
    std::string name;  // the long name
    uint32_t attributes = 0;
    uint64_t size = 0;
    uint64_t lastWriteTime = 0;  // FILETIME (100 ns since 1601), UTC
    bool isFolder() const { return (attributes & attributes::kDirectory) != 0; }
    // A junction, symbolic link or other reparse point.
    bool isLink() const { return (attributes & attributes::kReparsePoint) != 0; }
};

// Every entry of folder (hidden and system ones included) except "." and
// "..", appended to entries; false when the folder cannot be listed.
bool ListFolder(const std::string& folder, std::vector<DirEntry>& entries);
// The entry path names, with its long name; nullopt when there is none.
// Wildcards are not expanded: a path holding "*" or "?" finds nothing.
std::optional<DirEntry> FindEntry(const std::string& path);

std::optional<uint64_t> FileSize(const std::string& path);
// Total size of the files below folder. Links are counted as entries, never
// entered; sub-folders that cannot be read are left out. nullopt when folder
// itself cannot be listed.
std::optional<uint64_t> FolderSize(const std::string& folder);
std::optional<uint64_t> LastWriteTime(const std::string& path);  // FILETIME, UTC
uint64_t CurrentFileTime();                                      // now, FILETIME, UTC

bool RemoveFile(const std::string& path);
bool RemoveEmptyFolder(const std::string& path);
// Removes the junction or symbolic link at path itself, never its target.
// Does nothing (false) unless Windows confirms that the object it opened is
// the reparse point itself, so a system that would resolve the link (Wine
// does) leaves both alone.
bool RemoveLinkItself(const std::string& path);
// Moves a file or folder; fails rather than replace anything at to. A file
// moved to another volume counts only when its source is gone: see
// MoveByCopy.
bool MoveWithoutReplacing(const std::string& from, const std::string& to);
// Copies the file from to the new file to, then removes from; when from
// cannot be removed (in use, read-only) the copy is removed again and the
// answer is false, so a retry never piles up copies.
bool MoveByCopy(const std::string& from, const std::string& to);
bool CopyFileTo(const std::string& from, const std::string& to, bool replaceExisting);

// A folder held open, never through a link at its own name, so that it can
// be neither removed, renamed nor swapped for a link while it is worked on.
class HeldFolder {
public:
    // nullopt when path is missing, not a folder, a junction or symbolic
    // link itself, or cannot be opened.
    static std::optional<HeldFolder> Open(const std::string& path);
    // Where the folder really is, links in the path leading to it resolved
    // (without "\\?\"); "" where the system cannot say (Windows XP).
    std::string FinalPath() const;

private:
    struct Handle;  // the handle's owner, from handles.h
    std::shared_ptr<Handle> handle_;
};

struct DiskSpace {
    uint64_t total = 0;
    uint64_t freeToUser = 0;  // what quotas leave to this user
    uint64_t totalFree = 0;
};
std::optional<DiskSpace> GetDiskSpace(const std::string& root);

enum class DriveType { Unknown, NoRootFolder, Removable, Fixed, Remote, CdRom, RamDisk };
// root: "C:\" (a path on the drive also works).
DriveType GetDriveKind(const std::string& root);
// The device path lies on is missing or not ready (no disc, unmapped drive).
bool IsDeviceUnavailable(const std::string& path);

// The system's folders, without a trailing "\" unless they are a root.
std::string WindowsFolder();
std::string SystemFolder();
std::string SystemWow64Folder();  // "" on 32-bit Windows
// GetTempPathW as Windows gives it: with its trailing "\".
std::string TempFolderWithSlash();
// A shell folder by CSIDL; "" when it does not exist.
std::string SpecialFolder(int csidl);
std::string ProfilesFolder();  // the folder that holds the user profiles
// Every Program Files folder (64-bit and x86), without duplicates.
std::vector<std::string> ProgramFilesFolders();

// In a 32-bit program on 64-bit Windows, "<Windows>\System32\..." written
// as "<Windows>\Sysnative\...": the file system otherwise shows SysWOW64
// under the System32 name, so the real System32 could be neither listed
// nor checked, and a listed file removed under its System32 name would be
// another file. Any other path, and every path elsewhere, is returned as
// it is.
std::string NativeSystemPath(const std::string& path);

// Full path (".", ".." and relative parts resolved against the current
// folder), "\" separators, no "\\?\" prefix.
std::string FullPath(const std::string& path);
// Long names for every component that exists (8.3 names expanded).
std::string LongPath(const std::string& path);
std::string ShortPath(const std::string& path);  // "" when Windows has none
// FullPath, then LongPath, without a trailing "\" unless it is a root.
std::string ResolvedPath(const std::string& path);
// Upper case as Windows compares file names (case-insensitive, any script).
std::string UpperCaseForComparison(std::string_view text);
// One form for comparing folders: UpperCaseForComparison(ResolvedPath(path));
// "" for "".
std::string ComparablePath(const std::string& path);

}  // namespace platform
