#include "platform/ini_file.h"

#include <windows.h>

#include <vector>

#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform {

std::string ReadIniValue(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& defaultValue) {
    // The largest value a profile line can hold, plus its NUL.
    std::vector<wchar_t> buffer(32768);
    const DWORD n =
        ::GetPrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(), ToWide(defaultValue).c_str(),
                                   buffer.data(), static_cast<DWORD>(buffer.size()), ToSystemPath(file).c_str());
    return ToUtf8(std::wstring_view(buffer.data(), n));
}

bool WriteIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) {
    return ::WritePrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(), ToWide(value).c_str(),
                                        ToSystemPath(file).c_str()) != FALSE;
}

}  // namespace platform
