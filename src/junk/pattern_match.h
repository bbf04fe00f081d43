// Junk file name patterns: "?" one character, "*" any run, "#" one digit,
// "[a-z]" one character of a list, "[!...]" one character not in it; every
// other character matches itself. Letters compare without regard to case.
// Portable: no Windows header, so it also runs under the sanitizers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace junk {

// Lower-case form used to compare names: ASCII, Latin, Greek, Cyrillic,
// Armenian and full-width Latin letters fold; everything else stays.
char32_t FoldCase(char32_t c);

// Decodes UTF-16 text (wchar_t on Windows) into folded code points, reusing
// out's storage. A lone surrogate stays a code point of its own.
template <typename Char16>
void FoldUtf16(std::basic_string_view<Char16> text, std::u32string& out) {
    static_assert(sizeof(Char16) == 2, "UTF-16 text expected");
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<uint16_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
            const char32_t low = static_cast<uint16_t>(text[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        out.push_back(FoldCase(c));
    }
}

// UTF-8 text into folded code points (invalid bytes become U+FFFD).
std::u32string FoldUtf8(std::string_view text);

// The pattern list of a search: entries separated by ";" or ",", not
// trimmed; an empty text means the single pattern "*.*".
std::vector<std::string> SplitPatterns(std::string_view patternsText);

class PatternList {
public:
    explicit PatternList(std::string_view patternsText);

    // Index of the first pattern that the whole folded name matches, or -1.
    int Match(std::u32string_view foldedName) const;
    // The same for a UTF-8 name.
    int MatchName(std::string_view name) const;
    size_t size() const { return patterns_.size(); }

private:
    friend bool MatchPattern(std::string_view pattern, std::string_view name);
    PatternList() = default;

    enum class Kind : uint8_t { Literal, AnyOne, Digit, Set, Star };
    struct Token {
        Kind kind;
        char32_t ch = 0;        // Literal: the folded character
        uint32_t setIndex = 0;  // Set: index into sets_
    };
    struct CharSet {
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges;  // folded, inclusive
    };

    // A compiled pattern with what every matching name must have, so that
    // most names are turned away after a length check and a few characters.
    struct Compiled {
        std::vector<Token> tokens;
        size_t minLength = 0;  // tokens other than "*"
        bool hasStar = false;
        size_t prefixLength = 0;  // leading literal tokens
        size_t suffixLength = 0;  // trailing literal tokens after the last "*"
    };

    Compiled Compile(const std::u32string& pattern);
    bool MatchOne(const Token& token, char32_t c) const;
    bool MatchTokens(const std::vector<Token>& tokens, std::u32string_view name) const;
    bool MatchCompiled(const Compiled& pattern, std::u32string_view name) const;

    std::vector<Compiled> patterns_;
    std::vector<CharSet> sets_;
};

// One pattern against one name, both UTF-8.
bool MatchPattern(std::string_view pattern, std::string_view name);

}  // namespace junk
