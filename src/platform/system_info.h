// Facts about the running Windows and its user.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct OsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platformId = 0;  // 1 = Windows 9x, 2 = NT
    bool known = false;       // false when Windows did not answer
};

// What Windows reports (GetVersionExW): Wine reports the version its prefix
// is set to.
OsVersion GetOsVersion();

std::string ComputerName();
std::string UserName();

}  // namespace platform
