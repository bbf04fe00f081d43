// Numbers and dates as the user's locale writes them.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The user's decimal separator ("." when Windows does not say).
std::string DecimalSeparator();

// A FILETIME (UTC) as the user's short date, a blank and the user's time
// format, in local time: "12/6/2026 5:34:46 PM". "" when it is no valid time.
std::string LocalDateTimeText(uint64_t fileTimeUtc);

// A FILETIME as ISO 8601 in UTC, the same in every locale:
// "2026-12-07T04:53:52Z". "" when it is no valid time.
std::string IsoDateTimeText(uint64_t fileTimeUtc);

}  // namespace platform
