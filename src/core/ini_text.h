// The text of settings files, independent of the operating system.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"

namespace core {

// The text to store for value so that GetPrivateProfileString gives value
// back unchanged. Readers trim blanks around a value and drop one pair of
// surrounding quotes (' or "), so a value that starts or ends with a blank,
// or starts and ends with the same quote, is stored inside one more pair of
// double quotes.
std::string QuoteIniValue(std::string_view value);

// text (a settings file's lines, any line ends) with key in section set to
// storedValue, written as it stands: an existing key's line is replaced,
// a new key goes after the section's last line, a new section at the end.
// Every other line stays as it was; lines end in CRLF. nullopt for a name
// or value that could not be read back (see IniFileBytes).
std::optional<std::string> SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                                       std::string_view storedValue);

// The bytes of a whole settings file holding sections in order: UTF-16LE
// with a byte-order mark, CRLF line ends, values quoted as QuoteIniValue
// does. Empty when a name or value could not be read back as given (line
// breaks or NULs anywhere, "]" in a section name, "=" in a key, a key
// starting with ";" or "[", blanks around a name, an empty name, the same
// section or the same key in one section twice, ASCII case ignored).
std::optional<std::string> IniFileBytes(const std::vector<IniSection>& sections);

}  // namespace core
