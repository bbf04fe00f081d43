// Questions about files, folders and drives, answered without changing
// anything (except SetAttributes). UTF-8 paths, long paths allowed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class DriveKind { Unknown, NoRootDir, Removable, Fixed, Remote, CdRom, RamDisk };

// GetDriveTypeW of a root such as "C:\".
DriveKind GetDriveKind(const std::string& root);
// True when the drive's volume answers (media present, network reachable).
bool DriveReady(const std::string& root);
// "C:\", "D:\", ... as Windows lists them.
std::vector<std::string> LogicalDriveRoots();
// The volume label, "" when none or unreadable.
std::string VolumeLabel(const std::string& root);

enum class PathState { Exists, Absent, Unknown };
// Exists, Absent (the file system says there is no such file or folder),
// or Unknown (access denied, device not ready, bad name ...).
PathState ProbePath(const std::string& path);
bool FolderExists(const std::string& path);

// nullopt when the attributes cannot be read.
std::optional<uint32_t> GetAttributes(const std::string& path);
bool SetAttributes(const std::string& path, uint32_t attributes);
constexpr uint32_t kAttributeNormal = 0x80;

// A FILETIME (UTC) as the user's locale writes a short date and a time.
std::string FormatFileTime(uint64_t fileTime);

}  // namespace platform
