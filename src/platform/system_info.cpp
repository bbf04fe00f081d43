#include "platform/system_info.h"

#include <windows.h>

#include "platform/utf.h"

namespace platform {

OsVersion GetOsVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    OsVersion version;
    if (!::GetVersionExW(&info)) return version;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.platformId = info.dwPlatformId;
    version.known = true;
    return version;
}

std::string ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return ::GetComputerNameW(name, &size) ? ToUtf8(std::wstring_view(name, size)) : std::string();
}

std::string UserName() {
    wchar_t name[257] = {};  // UNLEN + 1
    DWORD size = 257;
    return ::GetUserNameW(name, &size) ? ToUtf8(name) : std::string();
}

}  // namespace platform
