#include "platform/ini_bytes.h"

#include "platform/utf.h"

namespace platform {

IniEncoding IniEncodingOf(std::string_view bytes) {
    if (bytes.empty()) return IniEncoding::Empty;
    if (bytes.starts_with("\xEF\xBB\xBF")) return IniEncoding::Utf8;
    if (bytes.starts_with("\xFF\xFE")) return IniEncoding::Utf16Le;
    if (bytes.starts_with("\xFE\xFF")) return IniEncoding::Utf16Be;
    return IniEncoding::Ansi;
}

std::u16string DecodeUnicodeIniBytes(std::string_view bytes) {
    const IniEncoding encoding = IniEncodingOf(bytes);
    if (encoding == IniEncoding::Utf8) return ToUtf16(bytes.substr(3));
    if (encoding != IniEncoding::Utf16Le && encoding != IniEncoding::Utf16Be) return {};
    const bool bigEndian = encoding == IniEncoding::Utf16Be;
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += static_cast<char16_t>(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    return text;
}

std::string Utf16LeWithMark(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + text.size() * 2);
    for (const char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

}  // namespace platform
