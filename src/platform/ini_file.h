// INI files: values read through the W profile functions, whole files
// replaced at once. The profile functions take no path of MAX_PATH
// characters or more: for such a file ReadIniValue gives the default and
// writing fails.
#pragma once

#include <optional>
#include <string>

#include "platform/ini_bytes.h"

namespace platform {

// The value of key in section, or defaultValue when the file, section or key
// is missing. Values up to 32,767 characters come back whole. The text is
// what GetPrivateProfileStringW gives: blanks around the value are trimmed
// and one pair of surrounding quotes (' or ") is removed.
std::string ReadIniValue(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue);

// A settings file's text (UTF-8, lines as stored) and whether it is kept in
// the ANSI code page.
struct IniFileText {
    std::string text;
    bool ansi = false;
};

// The whole file as the profile functions read it; a missing file is an
// empty text. nullopt when it exists but cannot be read (locked, denied),
// or its path is beyond the profile functions.
std::optional<IniFileText> ReadIniFileText(const std::string& file);

// Replaces the whole file in one step (a new file, flushed, then renamed
// over the old one: see ReplaceFileContent). ANSI when content.ansi and the
// code page holds every character exactly, otherwise UTF-16LE with a
// byte-order mark: the profile functions write a new file in the ANSI code
// page, where every other character becomes "?".
bool WriteIniFileText(const std::string& file, const IniFileText& content);

}  // namespace platform
