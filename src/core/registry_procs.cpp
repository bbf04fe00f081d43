#include "core/registry_procs.h"

#include "platform/registry.h"

namespace core {

std::vector<std::string> SubKeyList;

namespace {

platform::RegistryRoot ToPlatform(RegRoot root) {
    return static_cast<platform::RegistryRoot>(static_cast<uint32_t>(root));
}

platform::RegistryView ToPlatform(RegView view) { return static_cast<platform::RegistryView>(view); }

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
    const auto value = platform::ReadRegValue(ToPlatform(Root), SubKey, ValueName, ToPlatform(View));
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
    return platform::RegKeyPresent(ToPlatform(Root), SubKey, ToPlatform(View));
}

bool RegValueExists(RegRoot Root, const std::string& SubKey, const std::string& ValueName) {
    const auto value = platform::ReadRegValue(ToPlatform(Root), SubKey, ValueName);
    return value && !value->data.empty();
}

void EnumRegSubKeys(RegRoot Root, const std::string& SubKey, std::vector<std::string>& Names) {
    for (std::string& name : platform::ListRegSubKeys(ToPlatform(Root), SubKey)) Names.push_back(std::move(name));
}

void EnumRegValues(RegRoot Root, const std::string& SubKey, std::vector<std::string>& Names) {
    for (platform::RegValueInfo& value : platform::ListRegValues(ToPlatform(Root), SubKey))
        if (value.size > 0) Names.push_back(std::move(value.name));
}

void SetRegString(RegRoot Root, const std::string& SubKey, const std::string& ValueName, const std::string& Data) {
    platform::WriteRegValue(ToPlatform(Root), SubKey, ValueName, platform::kRegSz, Data);
}

void DeleteRegValue(RegRoot Root, const std::string& SubKey, const std::string& ValueName) {
    platform::RemoveRegValue(ToPlatform(Root), SubKey, ValueName);
}

void DeleteRegKey(RegRoot Root, const std::string& SubKey) { platform::RemoveRegKey(ToPlatform(Root), SubKey); }

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
