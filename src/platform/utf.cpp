#include "platform/utf.h"

#include <cstdint>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point starting at text[i]; advances i past it.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    size_t k = i + 1;
    for (int n = 1; n < length; ++n, ++k) {
        if (k >= text.size() || (byte(k) & 0xC0) != 0x80) {
            i = k;  // resynchronise at the byte that broke the sequence
            return kReplacement;
        }
        cp = (cp << 6) | (byte(k) & 0x3F);
    }
    i = k;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}

template <typename Out>
void AppendUtf16(Out& out, char32_t cp) {
    using Unit = typename Out::value_type;
    if (cp < 0x10000) {
        out.push_back(static_cast<Unit>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<Unit>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<Unit>(0xDC00 + (cp & 0x3FF)));
    }
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

template <typename Out>
Out FromUtf8(std::string_view utf8) {
    Out out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) AppendUtf16(out, DecodeUtf8(utf8, i));
    return out;
}

template <typename Unit>
std::string FromUtf16(std::basic_string_view<Unit> utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t unit = static_cast<uint16_t>(utf16[i]);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size()) {
            const char32_t next = static_cast<uint16_t>(utf16[i + 1]);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) unit = kReplacement;
        AppendUtf8(out, unit);
    }
    return out;
}

}  // namespace

std::wstring ToWide(std::string_view utf8) {
    static_assert(sizeof(wchar_t) == 2 || sizeof(wchar_t) == 4);
    if constexpr (sizeof(wchar_t) == 2) {
        return FromUtf8<std::wstring>(utf8);
    } else {
        // Native (Linux) builds: wchar_t holds whole code points.
        std::wstring out;
        for (size_t i = 0; i < utf8.size();) out.push_back(static_cast<wchar_t>(DecodeUtf8(utf8, i)));
        return out;
    }
}

std::string ToUtf8(std::wstring_view wide) {
    if constexpr (sizeof(wchar_t) == 2) {
        return FromUtf16<wchar_t>(wide);
    } else {
        std::string out;
        for (wchar_t c : wide) {
            char32_t cp = static_cast<char32_t>(c);
            if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
            AppendUtf8(out, cp);
        }
        return out;
    }
}

std::u16string ToUtf16(std::string_view utf8) { return FromUtf8<std::u16string>(utf8); }

std::string ToUtf8(std::u16string_view utf16) { return FromUtf16<char16_t>(utf16); }

}  // namespace platform
