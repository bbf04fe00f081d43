// INI files through the W profile functions. They take no path of MAX_PATH
// characters or more: for such a file ReadIniValue gives the default and
// WriteIniValue fails.
#pragma once

#include <string>

#include "platform/ini_bytes.h"

namespace platform {

// The value of key in section, or defaultValue when the file, section or key
// is missing. Values up to 32,767 characters come back whole. The text is
// what GetPrivateProfileStringW gives: blanks around the value are trimmed
// and one pair of surrounding quotes (' or ") is removed.
std::string ReadIniValue(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue);

// Writes key=value as given, creating file, section and key as needed.
// The profile functions write a file in the encoding they find it in, and
// write a new file in the ANSI code page, where every other character
// becomes "?". So a missing or empty file is first created as UTF-16LE with
// a byte-order mark, and an ANSI file that cannot hold section, key or
// value is first converted to UTF-16LE (ConvertIniFileToUnicode); an ANSI
// file that can hold them stays as it is.
bool WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value);

// Rewrites the file as UTF-16LE with a byte-order mark, every line kept,
// replacing it in one step. A missing file becomes one holding only the
// mark. True when the file is UTF-16LE afterwards.
bool ConvertIniFileToUnicode(const std::string& file);

IniEncoding DetectIniEncoding(const std::string& file);

// True when the ANSI code page holds every character of text exactly (no
// default character, no best-fit substitute).
bool FitsAnsiCodePage(const std::string& text);

}  // namespace platform
