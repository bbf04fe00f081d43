#include "platform/registry.h"

#include <windows.h>

#include "platform/handles.h"
#include "platform/utf.h"

namespace platform {
namespace {

// Value names can be 16,383 characters long; key names 255.
constexpr DWORD kLongestName = 32767;

HKEY RootHandle(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegistryRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegistryRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegistryRoot::Users:
            return HKEY_USERS;
    }
    return nullptr;
}

REGSAM ViewFlag(RegistryView view) {
    switch (view) {
        case RegistryView::Bits32:
            return KEY_WOW64_32KEY;
        case RegistryView::Bits64:
            return KEY_WOW64_64KEY;
        case RegistryView::Own:
            break;
    }
    return 0;
}

UniqueRegKey OpenKey(RegistryRoot root, const std::string& subKey, REGSAM access, RegistryView view,
                     LONG* error = nullptr) {
    UniqueRegKey key;
    const LONG result =
        ::RegOpenKeyExW(RootHandle(root), ToWide(subKey).c_str(), 0, access | ViewFlag(view), key.put());
    if (error) *error = result;
    if (result != ERROR_SUCCESS) key.reset();
    return key;
}

std::wstring WideCharacters(const std::vector<uint8_t>& data) {
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return text;
}

std::string TextOf(uint32_t type, const std::vector<uint8_t>& data) {
    std::wstring text = WideCharacters(data);
    if (type == kRegSz || type == kRegExpandSz) {
        const size_t nul = text.find(L'\0');
        if (nul != std::wstring::npos) text.resize(nul);
        return ToUtf8(text);
    }
    if (type == kRegMultiSz) {
        // The list ends at the first empty string.
        const size_t end = text.find(std::wstring_view(L"\0\0", 2));
        if (end != std::wstring::npos) text.resize(end);
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return ToUtf8(text);
    }
    return {};
}

}  // namespace

std::optional<RegValue> ReadRegValue(RegistryRoot root, const std::string& subKey, const std::string& name,
                                     RegistryView view) {
    const UniqueRegKey key = OpenKey(root, subKey, KEY_QUERY_VALUE, view);
    if (!key) return std::nullopt;
    const std::wstring wideName = ToWide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // The value can grow between the two calls: ask again with its new size.
    for (int attempt = 0; attempt < 8; ++attempt) {
        RegValue value;
        value.data.resize(size);
        DWORD got = size;
        const LONG result = ::RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &type, value.data.data(), &got);
        if (result == ERROR_MORE_DATA) {
            size = got > size ? got : size * 2 + 16;
            continue;
        }
        if (result != ERROR_SUCCESS) return std::nullopt;
        value.data.resize(got);
        value.type = type;
        value.text = TextOf(type, value.data);
        return value;
    }
    return std::nullopt;
}

bool WriteRegValue(RegistryRoot root, const std::string& subKey, const std::string& name, uint32_t type,
                   const std::string& text, RegistryView view) {
    if (type != kRegSz && type != kRegExpandSz && type != kRegMultiSz) return false;
    std::wstring data = ToWide(text);
    DWORD bytes = 0;
    if (!data.empty()) {
        data.push_back(L'\0');
        if (type == kRegMultiSz) data.push_back(L'\0');  // the empty string that ends the list
        bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    }
    UniqueRegKey key;
    if (::RegCreateKeyExW(RootHandle(root), ToWide(subKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE | ViewFlag(view), nullptr, key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExW(key.get(), ToWide(name).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                            bytes) == ERROR_SUCCESS;
}

bool RegKeyPresent(RegistryRoot root, const std::string& subKey, RegistryView view) {
    LONG result = 0;
    OpenKey(root, subKey, KEY_READ, view, &result);
    // A key we may not read is still there.
    return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

std::vector<std::string> ListRegSubKeys(RegistryRoot root, const std::string& subKey) {
    std::vector<std::string> names;
    const UniqueRegKey key = OpenKey(root, subKey, KEY_ENUMERATE_SUB_KEYS, RegistryView::Own);
    if (!key) return names;
    std::vector<wchar_t> name(256);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG result = ::RegEnumKeyExW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA && name.size() <= kLongestName) {
            name.resize(name.size() * 2);
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        names.push_back(ToUtf8(std::wstring_view(name.data(), length)));
        ++index;
    }
    return names;
}

std::vector<RegValueInfo> ListRegValues(RegistryRoot root, const std::string& subKey, RegistryView view) {
    std::vector<RegValueInfo> values;
    const UniqueRegKey key = OpenKey(root, subKey, KEY_QUERY_VALUE, view);
    if (!key) return values;
    std::vector<wchar_t> name(256);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD size = 0;
        const LONG result = ::RegEnumValueW(key.get(), index, name.data(), &length, nullptr, &type, nullptr, &size);
        if (result == ERROR_MORE_DATA && name.size() <= kLongestName) {
            name.resize(name.size() * 2);
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        values.push_back({ToUtf8(std::wstring_view(name.data(), length)), type, size});
        ++index;
    }
    return values;
}

bool RemoveRegValue(RegistryRoot root, const std::string& subKey, const std::string& name, RegistryView view) {
    const UniqueRegKey key = OpenKey(root, subKey, KEY_SET_VALUE, view);
    return key && ::RegDeleteValueW(key.get(), ToWide(name).c_str()) == ERROR_SUCCESS;
}

bool RegValueMissing(RegistryRoot root, const std::string& subKey, const std::string& name, RegistryView view) {
    LONG result = 0;
    const UniqueRegKey key = OpenKey(root, subKey, KEY_QUERY_VALUE, view, &result);
    if (!key) return result == ERROR_FILE_NOT_FOUND;
    return ::RegQueryValueExW(key.get(), ToWide(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
           ERROR_FILE_NOT_FOUND;
}

bool RemoveRegKey(RegistryRoot root, const std::string& subKey) {
    if (subKey.empty()) return false;
    return ::RegDeleteKeyW(RootHandle(root), ToWide(subKey).c_str()) == ERROR_SUCCESS;
}

}  // namespace platform
