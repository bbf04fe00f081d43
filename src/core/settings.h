// The settings store: every persistent setting lives in an INI file in the
// program folder and is read from and written to the file at each call.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace core {

// Full paths of the four settings files; empty until SetSettingsPaths runs.
extern std::string MainIniPath;  // "Qxs.ini"
extern std::string FtsIniPath;   // "Fts.ini"
extern std::string AssIniPath;   // "Ass.ini"
extern std::string CssIniPath;   // "Css.ini"

// Sets the four paths to programFolder (a trailing "\" is added when missing)
// followed by each file name.
void SetSettingsPaths(const std::string& programFolder);

// The stored value, whole (up to 32,767 characters), or Default when the
// file, section or key is missing.
std::string ReadIni(const std::string& FileName, const std::string& Section, const std::string& Key,
                    const std::string& Default);

// Stores Value so that ReadIni gives it back exactly (a value that readers
// would trim or unquote is stored inside one more pair of quotes); creates
// the file, section and key as needed and keeps every other line. The file
// is replaced in one step (a new file, flushed, renamed over the old one),
// so an interruption leaves the old file or the new one, never half of it.
// A new file is UTF-16LE with a byte-order mark; an ANSI file stays ANSI
// until a text it cannot hold comes, and is then stored as UTF-16LE with
// every value kept. A file that exists but cannot be read is left alone.
// While a SettingsBatch lives, the write waits for it. Failures are silent.
void WriteIni(const std::string& FileName, const std::string& Section, const std::string& Key,
              const std::string& Value);

// The writes of one user action, stored together: WriteIni calls made
// while the outermost batch lives are kept (ReadIni sees them) and stored
// at Commit or when the batch ends, one replace per file. Single-threaded,
// like the settings themselves.
class SettingsBatch {
public:
    SettingsBatch();
    ~SettingsBatch();
    SettingsBatch(const SettingsBatch&) = delete;
    SettingsBatch& operator=(const SettingsBatch&) = delete;
    void Commit();

    struct Write {
        std::string file, section, key, value;
    };

private:
    std::vector<Write> writes_;
    bool owner_ = false;
};

struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;  // key, value
};

// Replaces the whole file at once: the new content (UTF-16LE with a
// byte-order mark) is written to a new file, flushed, then renamed over the
// old one, so that an interruption leaves either the old or the new file.
// False, with the old file untouched, when the file cannot be written or a
// name or value could not be read back as given (see IniFileBytes).
bool ReplaceIniFile(const std::string& FileName, const std::vector<IniSection>& sections);

}  // namespace core
