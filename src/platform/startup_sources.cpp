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

std::vector<std::string> ListFiles(const std::string& folder, const std::string& extension) {
    std::vector<std::wstring> names;
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += "*";
    const std::wstring wideExtension = Upper(ToWide(extension));
    WIN32_FIND_DATAW data;
    UniqueFindHandle find(::FindFirstFileW(ToSystemPath(pattern).c_str(), &data));
    if (find) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            const std::wstring name = data.cFileName;
            const std::wstring upper = Upper(name);
            if (upper.size() >= wideExtension.size() &&
                upper.compare(upper.size() - wideExtension.size(), wideExtension.size(), wideExtension) == 0)
                names.push_back(name);
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
