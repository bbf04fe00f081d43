// The general procedures that only look at text (portable).
#include <algorithm>

#include "core/general.h"

namespace core {

bool HasText(std::string_view Text) { return Text.find_first_not_of(' ') != std::string_view::npos; }

std::string GetProgramPath(const std::string& CommandLine) {
    if (CommandLine.empty()) return {};
    const size_t colon = CommandLine.find(":\\");
    // A ":\" at the very start has no drive letter before it.
    if (colon == std::string::npos || colon == 0) return {};
    std::string lower = CommandLine;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    // An icon reference wins wherever it stands.
    size_t extension = lower.find(".ico");
    if (extension == std::string::npos) extension = lower.find(".exe");
    if (extension == std::string::npos) return {};
    const size_t start = colon - 1;
    const size_t end = extension + 4;  // one past the extension
    if (end <= start) return {};
    std::string path = CommandLine.substr(start, end - start);
    return path.size() < 4 ? std::string() : path;
}

}  // namespace core
