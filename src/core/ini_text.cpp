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

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
    return text;
}

// The section a line opens ("" when it opens none), as the profile
// functions read it.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trimmed(line);
    if (line.empty() || line.front() != '[') return {};
    const size_t close = line.find(']');
    return Trimmed(line.substr(1, close == line.npos ? line.npos : close - 1));
}

bool SameName(std::string_view a, std::string_view b) { return AsciiLower(a) == AsciiLower(b); }

}  // namespace

std::optional<std::string> SetIniValue(std::string_view text, std::string_view section, std::string_view key,
                                       std::string_view storedValue) {
    if (!ValidSectionName(section) || !ValidKey(key) || BreaksLine(storedValue)) return {};
    std::vector<std::string_view> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == text.npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    std::string entry(key);
    entry.append(1, '=').append(storedValue);
    std::optional<size_t> insertAt;  // after the last non-blank line of the section
    bool inSection = false;
    size_t replaceAt = lines.size();
    for (size_t i = 0; i < lines.size() && replaceAt == lines.size(); ++i) {
        if (const auto name = SectionOf(lines[i])) {
            if (inSection) break;
            inSection = SameName(*name, section);
            if (inSection) insertAt = i + 1;
            continue;
        }
        if (!inSection) continue;
        const size_t equals = lines[i].find('=');
        if (equals != std::string_view::npos && SameName(Trimmed(lines[i].substr(0, equals)), key))
            replaceAt = i;
        else if (!Trimmed(lines[i]).empty())
            insertAt = i + 1;
    }
    std::string result;
    const auto append = [&result](std::string_view line) { result.append(line).append("\r\n"); };
    for (size_t i = 0; i < lines.size(); ++i) {
        if (insertAt == i && replaceAt == lines.size()) append(entry);
        append(i == replaceAt ? std::string_view(entry) : lines[i]);
    }
    if (insertAt == lines.size() && replaceAt == lines.size()) append(entry);
    if (!insertAt) {
        if (!result.empty()) append("");
        std::string header(1, '[');
        header.append(section).append(1, ']');
        append(header);
        append(entry);
    }
    return result;
}

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
