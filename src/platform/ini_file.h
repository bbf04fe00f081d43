// INI files through the W profile functions.
#pragma once

#include <string>

namespace platform {

// The value of key in section, or defaultValue when the file, section or key
// is missing. Values up to 32,767 characters come back whole.
std::string ReadIniValue(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue);

// Writes key=value, creating file, section and key as needed.
bool WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value);

}  // namespace platform
