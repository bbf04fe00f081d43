#include "platform/startup_sources.h"

#include <windows.h>

#include <algorithm>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform::startup_sources {
namespace {

std::wstring Upper(const std::wstring& text) {
    std::wstring upper = text;
    if (!upper.empty()) ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

}  // namespace

HeldRead ReadWhileHeld(const std::string& path, const std::function<void()>& read) {
    const UniqueHandle file(::CreateFileW(ToSystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? HeldRead::Missing
                                                                              : HeldRead::Unreadable;
    }
    read();
    return HeldRead::Read;
}

std::vector<std::string> ListFiles(const std::string& folder, const std::vector<std::string>& extensions) {
    std::vector<std::wstring> names;
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += "*";
    std::vector<std::wstring> wideExtensions;
    for (const std::string& extension : extensions) wideExtensions.push_back(Upper(ToWide(extension)));
    const auto endsInOne = [&](const std::wstring& upper) {
        return std::any_of(wideExtensions.begin(), wideExtensions.end(), [&](const std::wstring& e) {
            return upper.size() >= e.size() && upper.compare(upper.size() - e.size(), e.size(), e) == 0;
        });
    };
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(::FindFirstFileW(ToSystemPath(pattern).c_str(), &data));
    if (find) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const std::wstring name = data.cFileName;
            if (endsInOne(Upper(name))) names.push_back(name);
        } while (::FindNextFileW(find.get(), &data));
    }
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        const std::wstring ua = Upper(a), ub = Upper(b);
        return ua != ub ? ua < ub : a < b;
    });
    std::vector<std::string> result;
    result.reserve(names.size());
    for (const auto& name : names) result.push_back(ToUtf8(name));
    return result;
}

std::string ExpandEnvironment(const std::string& text) {
    const std::wstring wide = ToWide(text);
    std::wstring expanded(wide.size() + 256, L'\0');
    DWORD needed = ::ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), static_cast<DWORD>(expanded.size()));
    if (needed > expanded.size()) {
        expanded.resize(needed);
        needed = ::ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), needed);
    }
    if (needed == 0 || needed > expanded.size()) return text;
    expanded.resize(needed - 1);
    return ToUtf8(expanded);
}

std::string FindOnSearchPath(const std::string& name) {
    if (name.empty() || name.find_first_of("\\/:") != std::string::npos) return {};
    const std::wstring wide = ToWide(name);
    std::wstring found(MAX_PATH, L'\0');
    DWORD length =
        ::SearchPathW(nullptr, wide.c_str(), L".exe", static_cast<DWORD>(found.size()), found.data(), nullptr);
    if (length > found.size()) {
        found.resize(length);
        length = ::SearchPathW(nullptr, wide.c_str(), L".exe", length, found.data(), nullptr);
    }
    if (length == 0 || length > found.size()) return {};
    found.resize(length);
    return ToUtf8(found);
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(ToSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(ToSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderTree(const std::string& path) {
    if (FolderExists(path)) return true;
    const size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 2) CreateFolderTree(path.substr(0, slash));
    ::CreateDirectoryW(ToSystemPath(path).c_str(), nullptr);
    return FolderExists(path);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    UniqueHandle file(::CreateFileW(ToSystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string NowDateTimeText() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t date[128] = {}, time[128] = {};
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128);
    ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, 128);
    return ToUtf8(std::wstring(date) + L" " + time);
}

}  // namespace platform::startup_sources
