// The last guard before a folder is emptied or removed: the places whose
// loss would break Windows, the user's profile or the program itself.
// Portable: it judges paths as text, already put in one comparable form.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

// Every path in the form platform::ComparablePath gives: full, long names,
// no "\\?\" prefix, "\" separators, no trailing "\" except a drive root's,
// upper case. An empty entry protects nothing.
struct ProtectedFolders {
    std::string windowsFolder;
    std::vector<std::string> systemFolders;
    std::vector<std::string> programFilesFolders;
    std::string profilesFolder;  // the folder that holds the user profiles
    std::vector<std::string> profileFolders;
    std::string programFolder;
};

enum class FolderVerdict {
    Allowed,
    Refused,     // neither emptied nor removed
    KeepOnPath,  // holds the program's folder: emptied around the path down to it, never removed
};

// Refused: not a full path (empty or relative), a drive or share root, the
// Windows folder or one above it, a system folder, a Program Files folder, a
// user profile or the folder holding the profiles (or one above them), and
// the program's own folder.
FolderVerdict JudgeFolder(const ProtectedFolders& places, std::string_view comparablePath);

}  // namespace core
