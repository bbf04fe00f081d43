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

// The bytes of a whole settings file holding sections in order: UTF-16LE
// with a byte-order mark, CRLF line ends, values quoted as QuoteIniValue
// does. Empty when a name or value could not be read back as given (line
// breaks or NULs anywhere, "]" in a section name, "=" in a key, a key
// starting with ";" or "[", blanks around a name, an empty name, the same
// section or the same key in one section twice, ASCII case ignored).
std::optional<std::string> IniFileBytes(const std::vector<IniSection>& sections);

}  // namespace core
