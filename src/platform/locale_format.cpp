#include "platform/locale_format.h"

#include <cstdio>

#include <windows.h>

#include "platform/utf.h"

namespace platform {

std::string DecimalSeparator() {
    wchar_t separator[8] = {};  // LOCALE_SDECIMAL holds at most four characters
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) return ".";
    return ToUtf8(separator);
}

std::string LocalDateTimeText(uint64_t fileTimeUtc) {
    FILETIME utc{static_cast<DWORD>(fileTimeUtc), static_cast<DWORD>(fileTimeUtc >> 32)};
    SYSTEMTIME universal{}, local{};
    if (!::FileTimeToSystemTime(&utc, &universal) || !::SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return {};
    wchar_t date[128] = {}, time[128] = {};
    if (!::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 128) ||
        !::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &local, nullptr, time, 128))
        return {};
    return ToUtf8(date) + " " + ToUtf8(time);
}

std::string IsoDateTimeText(uint64_t fileTimeUtc) {
    FILETIME utc{static_cast<DWORD>(fileTimeUtc), static_cast<DWORD>(fileTimeUtc >> 32)};
    SYSTEMTIME t{};
    if (!::FileTimeToSystemTime(&utc, &t)) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

}  // namespace platform
