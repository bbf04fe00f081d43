#include "platform/startup_sources.h"

#include <windows.h>

#include <algorithm>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform::startup_sources {
namespace {

HKEY Root(Hive hive) { return hive == Hive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

UniqueRegKey OpenKey(Hive hive, const std::string& keyPath, REGSAM access, LONG* error = nullptr) {
    UniqueRegKey key;
    const LONG rc = ::RegOpenKeyExW(Root(hive), ToWide(keyPath).c_str(), 0, access | KEY_WOW64_64KEY, key.put());
    if (error) *error = rc;
    if (rc != ERROR_SUCCESS) key.reset();
    return key;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

std::string TextOf(DWORD type, const BYTE* data, DWORD size) {
    if (!IsStringType(type)) return {};
    std::wstring_view wide(reinterpret_cast<const wchar_t*>(data), size / sizeof(wchar_t));
    const size_t nul = wide.find(L'\0');
    if (nul != std::wstring_view::npos) wide = wide.substr(0, nul);
    return ToUtf8(wide);
}

std::wstring Upper(const std::wstring& text) {
    std::wstring upper = text;
    if (!upper.empty()) ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

}  // namespace

std::vector<RegValue> ListValues(Hive hive, const std::string& keyPath) {
    std::vector<RegValue> values;
    const UniqueRegKey key = OpenKey(hive, keyPath, KEY_QUERY_VALUE);
    if (!key) return values;
    DWORD maxName = 0, maxData = 0;
    ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData,
                       nullptr, nullptr);
    std::vector<wchar_t> name(maxName + 2);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        LONG rc = ::RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
        if (rc == ERROR_MORE_DATA) {
            // The value grew while we listed: make room and ask again once.
            name.resize(std::max<size_t>(name.size() * 2, 16384 + 2));
            data.resize(std::max<size_t>(data.size(), dataSize) * 2 + 2);
            nameLength = static_cast<DWORD>(name.size());
            dataSize = static_cast<DWORD>(data.size());
            rc = ::RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
        }
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS) {
            if (index > 100000) break;
            continue;
        }
        RegValue value;
        value.name = ToUtf8(std::wstring_view(name.data(), nameLength));
        value.type = type;
        value.dataSize = dataSize;
        value.text = TextOf(type, data.data(), dataSize);
        values.push_back(std::move(value));
    }
    return values;
}

std::optional<RegValue> ReadValue(Hive hive, const std::string& keyPath, const std::string& name) {
    const UniqueRegKey key = OpenKey(hive, keyPath, KEY_QUERY_VALUE);
    if (!key) return std::nullopt;
    const std::wstring wideName = ToWide(name);
    std::vector<BYTE> data;
    DWORD type = 0, size = 0;
    LONG rc = ::RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, nullptr, &size);
    for (int attempt = 0; attempt < 3 && rc == ERROR_SUCCESS; ++attempt) {
        data.resize(size + 2);
        DWORD got = static_cast<DWORD>(data.size());
        rc = ::RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, data.data(), &got);
        if (rc == ERROR_SUCCESS) {
            RegValue value;
            value.name = name;
            value.type = type;
            value.dataSize = got;
            value.text = TextOf(type, data.data(), got);
            return value;
        }
        if (rc == ERROR_MORE_DATA) {
            size = got;
            rc = ERROR_SUCCESS;
        }
    }
    return std::nullopt;
}

bool WriteTextValue(Hive hive, const std::string& keyPath, const std::string& name, const std::string& text,
                    uint32_t type) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    UniqueRegKey key;
    if (::RegCreateKeyExW(Root(hive), ToWide(keyPath).c_str(), 0, nullptr, 0,
                          KEY_SET_VALUE | KEY_QUERY_VALUE | KEY_WOW64_64KEY, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS) {
        key.reset();
        return false;
    }
    const std::wstring data = ToWide(text);
    const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    if (::RegSetValueExW(key.get(), ToWide(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                         bytes) != ERROR_SUCCESS)
        return false;
    const auto back = ReadValue(hive, keyPath, name);
    return back && back->type == type && back->text == text;
}

bool DeleteValue(Hive hive, const std::string& keyPath, const std::string& name) {
    LONG error = 0;
    const UniqueRegKey key = OpenKey(hive, keyPath, KEY_SET_VALUE | KEY_QUERY_VALUE, &error);
    if (!key) return error == ERROR_FILE_NOT_FOUND;  // no key: no value either
    const std::wstring wideName = ToWide(name);
    ::RegDeleteValueW(key.get(), wideName.c_str());
    return ::RegQueryValueExW(key.get(), wideName.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND;
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
