// UTF-8 <-> UTF-16: valid text survives both round trips unchanged; any
// other input comes out as valid text that converts back to itself.
#include "fuzz_support.h"
#include "junk/pattern_match.h"
#include "platform/utf.h"

namespace {

// Strict UTF-8 by the standard's table of well-formed sequences: each lead
// byte range, the sequence length, and the range of the second byte (later
// bytes are 80..BF).
struct Lead {
    uint8_t from, to, length, low, high;
};
constexpr Lead kLeads[] = {{0x00, 0x7F, 1, 0, 0},       {0xC2, 0xDF, 2, 0x80, 0xBF}, {0xE0, 0xE0, 3, 0xA0, 0xBF},
                           {0xE1, 0xEC, 3, 0x80, 0xBF}, {0xED, 0xED, 3, 0x80, 0x9F}, {0xEE, 0xEF, 3, 0x80, 0xBF},
                           {0xF0, 0xF0, 4, 0x90, 0xBF}, {0xF1, 0xF3, 4, 0x80, 0xBF}, {0xF4, 0xF4, 4, 0x80, 0x8F}};

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const auto b = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
        const Lead* lead = nullptr;
        for (const Lead& l : kLeads)
            if (b(i) >= l.from && b(i) <= l.to) lead = &l;
        if (!lead || i + lead->length > s.size()) return false;
        if (lead->length > 1 && (b(i + 1) < lead->low || b(i + 1) > lead->high)) return false;
        for (size_t k = i + 2; k < i + lead->length; ++k)
            if ((b(k) & 0xC0) != 0x80) return false;
        i += lead->length;
    }
    return true;
}

bool HasLoneSurrogate(std::u16string_view s) {
    const auto kind = [&](size_t i) { return i < s.size() ? s[i] & 0xFC00 : 0; };  // D800 high, DC00 low
    for (size_t i = 0; i < s.size(); ++i)
        if (kind(i) == 0xDC00 || (kind(i) == 0xD800 && kind(++i) != 0xDC00)) return true;
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
