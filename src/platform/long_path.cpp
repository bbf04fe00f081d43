#include "platform/long_path.h"

#include <algorithm>

#include "platform/utf.h"

namespace platform {
namespace {

// CreateDirectoryW's limit is MAX_PATH - 12; using it for every call keeps
// one rule for files and folders.
constexpr size_t kLongPathThreshold = 248;

bool IsDriveAbsolute(std::wstring_view p) {
    return p.size() >= 3 && ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z')) && p[1] == L':' &&
           p[2] == L'\\';
}

// Win32 normalisation drops dots and blanks at the end of a name ("a.tmp."
// becomes "a.tmp"), so such a name would reach another file or none. A path
// with "." or ".." parts needs that normalisation and keeps it.
bool HasNameEndingInDotOrBlank(std::wstring_view p) {
    bool found = false;
    size_t start = 0;
    for (size_t i = 0; i <= p.size(); ++i) {
        if (i < p.size() && p[i] != L'\\' && p[i] != L'/') continue;
        const std::wstring_view name = p.substr(start, i - start);
        if (name == L"." || name == L"..") return false;
        found = found || (!name.empty() && (name.back() == L'.' || name.back() == L' '));
        start = i + 1;
    }
    return found;
}

}  // namespace

std::wstring ToSystemPath(std::string_view utf8Path) {
    std::wstring path = ToWide(utf8Path);
    if (path.size() < kLongPathThreshold && !HasNameEndingInDotOrBlank(path)) return path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    // Already prefixed, or a device path: "\\?\" cannot be put before it.
    if (path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\")) return path;
    if (IsDriveAbsolute(path)) return L"\\\\?\\" + path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return path;  // relative paths cannot take the prefix
}

std::string FromSystemPath(std::wstring_view widePath) {
    if (widePath.starts_with(L"\\\\?\\UNC\\")) return "\\\\" + ToUtf8(widePath.substr(8));
    if (widePath.starts_with(L"\\\\?\\")) return ToUtf8(widePath.substr(4));
    return ToUtf8(widePath);
}

}  // namespace platform
