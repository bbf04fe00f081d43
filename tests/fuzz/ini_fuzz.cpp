// Settings files: a quoted value and a whole written file read back as
// given by a reader that does what the profile functions do (trim blanks,
// drop one pair of quotes, first "=" ends the key, names without case);
// the Unicode forms of a file decode and encode without loss.
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "core/ini_text.h"
#include "fuzz_support.h"
#include "platform/ini_bytes.h"
#include "platform/utf.h"

namespace {

bool IsTrimmed(char c) { return (c >= '\t' && c <= '\r') || c == '\x1A' || c == ' '; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsTrimmed(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsTrimmed(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view ReadBack(std::string_view stored) {
    stored = Trim(stored);
    if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') && stored.back() == stored.front())
        stored = stored.substr(1, stored.size() - 2);
    return stored;
}

std::optional<std::string> Read(std::string_view text, std::string_view section, std::string_view key) {
    bool inSection = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == text.npos ? std::string_view() : text.substr(end + 1);
        if (line.starts_with('[') && line.ends_with(']')) {
            inSection = fuzz::SameNoCase(line.substr(1, line.size() - 2), section);
        } else if (const size_t eq = line.find('=');
                   inSection && eq != line.npos && fuzz::SameNoCase(Trim(line.substr(0, eq)), key)) {
            return std::string(ReadBack(line.substr(eq + 1)));
        }
    }
    return std::nullopt;
}

bool IsPlainName(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);

    const std::u16string decoded = platform::DecodeUnicodeIniBytes(raw);
    const platform::IniEncoding encoding = platform::IniEncodingOf(raw);
    FUZZ_CHECK(platform::DecodeUnicodeIniBytes(platform::Utf16LeWithMark(decoded)) == decoded);
    if (encoding == platform::IniEncoding::Utf16Le && size % 2 == 0)
        FUZZ_CHECK(platform::Utf16LeWithMark(decoded) == raw);
    if (encoding == platform::IniEncoding::Ansi || encoding == platform::IniEncoding::Empty)
        FUZZ_CHECK(decoded.empty());

    // Names and values as the program holds them: valid UTF-8.
    std::string parts[4];
    const auto cut = fuzz::Parts(data, size, 4);
    for (size_t i = 0; i < 4; ++i) parts[i] = platform::ToUtf8(platform::ToUtf16(cut[i]));
    const std::string &value = parts[0], &section = parts[1], &key = parts[2], &other = parts[3];
    const std::string_view breaks("\r\n\0", 3);
    const bool oneLine = value.find_first_of(breaks) == value.npos && other.find_first_of(breaks) == other.npos;
    if (oneLine) FUZZ_CHECK(ReadBack(core::QuoteIniValue(value)) == value);

    const auto bytes = core::IniFileBytes({{section, {{key, value}, {"k", other}}}});
    if (oneLine && IsPlainName(section) && IsPlainName(key) && !fuzz::SameNoCase(key, "k"))
        FUZZ_CHECK(bytes.has_value());
    if (bytes) {
        FUZZ_CHECK(platform::IniEncodingOf(*bytes) == platform::IniEncoding::Utf16Le);
        const std::string text = platform::ToUtf8(platform::DecodeUnicodeIniBytes(*bytes));
        FUZZ_CHECK(Read(text, section, key) == value);
        FUZZ_CHECK(Read(text, section, "k") == other);
    }
}
