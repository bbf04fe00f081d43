// What the startup manager needs from the registry and the file system that
// the shared wrappers do not give: value types, the 64-bit registry view from
// either build, answers that say whether a change really happened, sorted
// shortcut listings, and the report file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::startup_sources {

enum class Hive { CurrentUser, LocalMachine };

struct RegValue {
    std::string name;
    uint32_t type = 0;
    // String types: the text before the first NUL; other types: "".
    std::string text;
    size_t dataSize = 0;  // bytes of data
};

// Keys are opened in the 64-bit view, so a key path names the same key from
// the 32-bit and the 64-bit build ("SOFTWARE\WOW6432Node\..." is then the
// 32-bit programs' key).
// Every value of the key in enumeration order; a key that cannot be opened
// gives nothing.
std::vector<RegValue> ListValues(Hive hive, const std::string& keyPath);
std::optional<RegValue> ReadValue(Hive hive, const std::string& keyPath, const std::string& name);
// Creates the key when missing and writes text with its terminating NUL as a
// value of the given type (REG_SZ or REG_EXPAND_SZ); true when the value now
// reads back with that type and text.
bool WriteTextValue(Hive hive, const std::string& keyPath, const std::string& name, const std::string& text,
                    uint32_t type);
// True when the value is gone afterwards (also when it was never there).
bool DeleteValue(Hive hive, const std::string& keyPath, const std::string& name);

// Names of the files in folder whose names end in extension (".lnk"),
// sorted without regard to case, as an NTFS listing gives them.
std::vector<std::string> ListFiles(const std::string& folder, const std::string& extension);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Creates the folder and every missing parent; true when it exists afterwards.
bool CreateFolderTree(const std::string& path);
// Creates or replaces the file with these bytes; true when all were written.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// The current date and time in the user's short date and time formats.
std::string NowDateTimeText();

}  // namespace platform::startup_sources
