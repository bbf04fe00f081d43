// Questions about files and drives that the file system services leave
// open, answered without changing anything. UTF-8 paths, long paths allowed.
#pragma once

#include <string>
#include <vector>

namespace platform {

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

// Why the file cannot be opened for deletion now (the system's text, e.g.
// "Access denied"), or "" when it can.
std::string DeletionRefusal(const std::string& path);

}  // namespace platform
