// What the startup manager needs from the file system that the shared
// services do not give: a file held while it is read, sorted shortcut
// listings, and the report file.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform::startup_sources {

// How a file read under hold went.
enum class HeldRead { Missing, Read, Unreadable };
// Opens the file for reading, sharing it for reading only, runs read while
// it is held so, and closes it: no other program can change the file or
// take it for itself meanwhile. Unreadable when it exists but cannot be
// opened (held by another program, no access); read is then not run.
HeldRead ReadWhileHeld(const std::string& path, const std::function<void()>& read);

// Names of the files in folder whose names end in one of the extensions
// (".lnk"), sorted without regard to case, as an NTFS listing gives them.
std::vector<std::string> ListFiles(const std::string& folder, const std::vector<std::string>& extensions);
// The text with its %VARIABLE%s replaced from the environment, as Windows
// reads a command; unknown ones stay as they are.
std::string ExpandEnvironment(const std::string& text);
// The full path of a bare program name ("notepad", "notepad.exe") found on
// the search path as Windows would find it; "" when not found.
std::string FindOnSearchPath(const std::string& name);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Creates the folder and every missing parent; true when it exists afterwards.
bool CreateFolderTree(const std::string& path);
// Creates or replaces the file with these bytes; true when all were written.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// The current date and time in the user's short date and time formats.
std::string NowDateTimeText();

}  // namespace platform::startup_sources
