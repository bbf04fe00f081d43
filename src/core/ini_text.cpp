#include "core/ini_text.h"

#include <algorithm>
#include <set>

#include "platform/ini_bytes.h"
#include "platform/utf.h"

namespace core {
namespace {

// What the profile functions trim around names and values.
bool IsTrimmed(char c) { return (c >= '\t' && c <= '\r') || c == '\x1A' || c == ' '; }

bool HasTrimmedEnds(std::string_view text) {
    return !text.empty() && (IsTrimmed(text.front()) || IsTrimmed(text.back()));
}

bool BreaksLine(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos; }

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

bool ValidSectionName(std::string_view name) {
    return !name.empty() && !HasTrimmedEnds(name) && !BreaksLine(name) && name.find(']') == name.npos;
}

bool ValidKey(std::string_view key) {
    return !key.empty() && !HasTrimmedEnds(key) && !BreaksLine(key) && key.find('=') == key.npos &&
           key.front() != ';' && key.front() != '[';
}

}  // namespace

std::string QuoteIniValue(std::string_view value) {
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    if (!quoted && !HasTrimmedEnds(value)) return std::string(value);
    std::string text;
    text.reserve(value.size() + 2);
    text.append(1, '"').append(value).append(1, '"');
    return text;
}

std::optional<std::string> IniFileBytes(const std::vector<IniSection>& sections) {
    std::string text;
    std::set<std::string> sectionNames;
    for (const IniSection& section : sections) {
        if (!ValidSectionName(section.name) || !sectionNames.insert(AsciiLower(section.name)).second) return {};
        if (!text.empty()) text += "\r\n";
        text += "[" + section.name + "]\r\n";
        std::set<std::string> keys;
        for (const auto& [key, value] : section.entries) {
            if (!ValidKey(key) || BreaksLine(value) || !keys.insert(AsciiLower(key)).second) return {};
            text += key + "=" + QuoteIniValue(value) + "\r\n";
        }
    }
    return platform::Utf16LeWithMark(platform::ToUtf16(text));
}

}  // namespace core
