#include "core/registry_procs.h"

namespace core {

std::vector<std::string> SubKeyList;

namespace {

// The data of a value that holds no text, one character per byte, cut at
// the first NUL byte, or whole when it starts with one.
std::string BytesAsText(const std::vector<uint8_t>& data) {
    size_t end = 0;
    while (end < data.size() && data[end] != 0) ++end;
    if (end == 0) end = data.size();
    std::string text;
    for (size_t i = 0; i < end; ++i) {
        const uint8_t byte = data[i];
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {  // U+0080..U+00FF in UTF-8
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

}  // namespace

std::string ReadRegString(RegRoot Root, const std::string& SubKey, const std::string& ValueName, RegView View) {
    const auto value = platform::ReadRegValue(Root, SubKey, ValueName, View);
    if (!value || value->type == platform::kRegDword) return {};
    switch (value->type) {
        case platform::kRegSz:
        case platform::kRegExpandSz:
            return value->text;
        case platform::kRegMultiSz:
            return value->text.substr(0, value->text.find('\0'));  // the first string
        default:
            return BytesAsText(value->data);
    }
}

bool RegKeyExists(RegRoot Root, const std::string& SubKey, RegView View) {
    return platform::RegKeyPresent(Root, SubKey, View);
}

bool RegValueExists(RegRoot Root, const std::string& SubKey, const std::string& ValueName) {
    const auto value = platform::ReadRegValue(Root, SubKey, ValueName);
    return value && !value->data.empty();
}

void EnumRegSubKeys(RegRoot Root, const std::string& SubKey, std::vector<std::string>& Names) {
    for (std::string& name : platform::ListRegSubKeys(Root, SubKey)) Names.push_back(std::move(name));
}

void EnumRegValues(RegRoot Root, const std::string& SubKey, std::vector<std::string>& Names) {
    for (platform::RegValueInfo& value : platform::ListRegValues(Root, SubKey))
        if (value.size > 0) Names.push_back(std::move(value.name));
}

void SetRegString(RegRoot Root, const std::string& SubKey, const std::string& ValueName, const std::string& Data) {
    platform::WriteRegValue(Root, SubKey, ValueName, platform::kRegSz, Data);
}

void DeleteRegValue(RegRoot Root, const std::string& SubKey, const std::string& ValueName) {
    platform::RemoveRegValue(Root, SubKey, ValueName);
}

void DeleteRegKey(RegRoot Root, const std::string& SubKey) { platform::RemoveRegKey(Root, SubKey); }

void DeleteSubKeys(RegRoot Root, const std::string& SubKey) {
    SubKeyList.clear();
    // Never the subkeys of a whole root.
    if (SubKey.empty()) return;
    EnumRegSubKeys(Root, SubKey, SubKeyList);
    if (SubKeyList.empty()) {
        DeleteRegKey(Root, SubKey);
        return;
    }
    for (const std::string& name : SubKeyList) DeleteRegKey(Root, SubKey + "\\" + name);
}

}  // namespace core
