// UTF-8 <-> UTF-16: valid text survives both round trips unchanged; any
// other input comes out as valid text that converts back to itself.
#include "fuzz_support.h"
#include "junk/pattern_match.h"
#include "platform/utf.h"

namespace {

// Strict UTF-8 as the standard defines it: no overlong forms, no surrogates,
// nothing above U+10FFFF.
bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto b = [&](size_t k) { return k < s.size() ? static_cast<uint8_t>(s[k]) : 0; };
        const uint8_t lead = b(i);
        const auto tail = [&](size_t k) { return (b(k) & 0xC0) == 0x80; };
        size_t n = 0;
        if (lead < 0x80)
            n = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            n = 2;
        else if (lead == 0xE0)
            n = b(i + 1) >= 0xA0 && b(i + 1) <= 0xBF ? 3 : 0;
        else if (lead == 0xED)
            n = b(i + 1) >= 0x80 && b(i + 1) <= 0x9F ? 3 : 0;
        else if (lead >= 0xE1 && lead <= 0xEF)
            n = 3;
        else if (lead == 0xF0)
            n = b(i + 1) >= 0x90 && b(i + 1) <= 0xBF ? 4 : 0;
        else if (lead >= 0xF1 && lead <= 0xF3)
            n = 4;
        else if (lead == 0xF4)
            n = b(i + 1) >= 0x80 && b(i + 1) <= 0x8F ? 4 : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (size_t k = i + 1; k < i + n; ++k)
            if (!tail(k)) return false;
        i += n;
    }
    return true;
}

bool HasLoneSurrogate(std::u16string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const bool high = s[i] >= 0xD800 && s[i] <= 0xDBFF, low = s[i] >= 0xDC00 && s[i] <= 0xDFFF;
        if (low) return true;
        if (high && (i + 1 == s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF)) return true;
        if (high) ++i;
    }
    return false;
}

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = platform::ToUtf8(platform::ToUtf16(bytes));
    FUZZ_CHECK(IsValidUtf8(utf8));
    FUZZ_CHECK(platform::ToUtf8(platform::ToUtf16(utf8)) == utf8);
    FUZZ_CHECK(platform::ToUtf8(platform::ToWide(bytes)) == utf8);
    if (IsValidUtf8(bytes)) {
        FUZZ_CHECK(utf8 == bytes);
        // The pattern matcher decodes names itself; it must see the same code points.
        const std::wstring wide = platform::ToWide(bytes);
        const std::u32string folded = junk::FoldUtf8(bytes);
        FUZZ_CHECK(folded.size() == wide.size());
        for (size_t i = 0; i < wide.size(); ++i)
            FUZZ_CHECK(folded[i] == junk::FoldCase(static_cast<char32_t>(wide[i])));
    }

    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    const std::u16string back = platform::ToUtf16(platform::ToUtf8(units));
    if (!HasLoneSurrogate(units)) FUZZ_CHECK(back == units);
    FUZZ_CHECK(!HasLoneSurrogate(back) && back.size() == units.size());
}
