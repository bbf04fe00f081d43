#include "junk/junk_text.h"

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

}  // namespace junk
