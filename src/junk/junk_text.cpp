#include "junk/junk_text.h"

#include <cstdio>

namespace junk {
namespace {

std::string Phrase(int n, const char* unit) { return std::to_string(n) + " " + unit + (n == 1 ? "" : "s"); }

}  // namespace

std::string ElapsedTimeText(int hours, int minutes, int seconds) {
    if (hours != 0) {
        if (minutes != 0 && seconds != 0)
            return Phrase(hours, "Hour") + ", " + Phrase(minutes, "Minute") + ", " + Phrase(seconds, "Second");
        if (minutes != 0) return Phrase(hours, "Hour") + ", " + Phrase(minutes, "Minute");
        return Phrase(hours, "Hour");
    }
    if (minutes != 0) {
        if (seconds != 0) return Phrase(minutes, "Minute") + ", " + Phrase(seconds, "Second");
        return Phrase(minutes, "Minute");
    }
    if (seconds != 0) return Phrase(seconds, "Second");
    return {};
}

std::string NumberedName(const std::string& fileName, int n) {
    const size_t dot = fileName.rfind('.');
    const std::string number = " (" + std::to_string(n) + ")";
    if (dot == std::string::npos || dot == 0) return fileName + number;
    return fileName.substr(0, dot) + number + fileName.substr(dot);
}

std::string LowerExtension(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) return {};
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return extension;
}

std::string IsoTimeText(uint64_t fileTimeUtc) {
    const uint64_t seconds = fileTimeUtc / 10000000;
    const int64_t days = static_cast<int64_t>(seconds / 86400) - 134774;  // 1601-01-01 to 1970-01-01
    const uint64_t rest = seconds % 86400;
    // Civil date from days since 1970 (proleptic Gregorian calendar).
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02llu:%02llu:%02lluZ", static_cast<long long>(year),
                  static_cast<long long>(month), static_cast<long long>(day),
                  static_cast<unsigned long long>(rest / 3600), static_cast<unsigned long long>(rest / 60 % 60),
                  static_cast<unsigned long long>(rest % 60));
    return text;
}

}  // namespace junk
