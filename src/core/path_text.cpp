#include "core/path_text.h"

namespace core {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Length of the part of path that has no parent: "C:\", "C:", "\",
// "\\server\share" (without the separator after it), or nothing.
size_t RootLength(std::string_view path) {
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        const size_t server = path.find_first_of("\\/", 2);
        if (server == std::string_view::npos) return path.size();
        const size_t share = path.find_first_of("\\/", server + 1);
        return share == std::string_view::npos ? path.size() : share;
    }
    if (path.size() >= 2 && path[1] == ':') return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    if (!path.empty() && IsSeparator(path[0])) return 1;
    return 0;
}

std::string_view WithoutTrailingSeparators(std::string_view path, size_t rootLength) {
    while (path.size() > rootLength && IsSeparator(path.back())) path.remove_suffix(1);
    return path;
}

}  // namespace

std::string WithTrailingSlash(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != '\\') result += '\\';
    return result;
}

std::string ParentFolderText(std::string_view path) {
    const size_t root = RootLength(path);
    path = WithoutTrailingSeparators(path, root);
    if (path.size() <= root) return {};  // a root has no parent
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos || slash < root) return std::string(path.substr(0, root));
    return std::string(WithoutTrailingSeparators(path.substr(0, slash), root));
}

int64_t CountForbiddenNameCharacters(std::string_view name) {
    constexpr std::string_view kForbidden = "\"|><?*:/\\";
    int64_t count = 0;
    // UTF-8 continuation bytes never equal an ASCII character, so bytes can
    // be counted directly.
    for (char c : name)
        if (kForbidden.find(c) != std::string_view::npos) ++count;
    return count;
}

std::string DriveDisplayName(std::string_view entry) {
    std::string drive;
    for (char c : entry.substr(0, 2)) drive += Upper(c);
    std::string_view label = entry.size() > 2 ? entry.substr(2) : std::string_view();
    while (!label.empty() && label.front() == ' ') label.remove_prefix(1);
    while (!label.empty() && label.back() == ' ') label.remove_suffix(1);
    if (label.size() >= 2 && label.front() == '[' && label.back() == ']') label = label.substr(1, label.size() - 2);
    if (label.empty()) return drive + "\\";
    return std::string(label) + " (" + drive + ") ";
}

bool HasNonBlank(std::string_view text) { return text.find_first_not_of(' ') != std::string_view::npos; }

}  // namespace core
