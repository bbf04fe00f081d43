#include "junk/pattern_match.h"

#include <utility>

namespace junk {
namespace {

bool Even(char32_t c) { return (c & 1) == 0; }

// Pairs of upper and lower case next to each other: upper at the even or the
// odd code point of each pair.
char32_t FoldPairs(char32_t c, char32_t first, char32_t last, bool upperEven) {
    if (c < first || c > last) return c;
    return Even(c) == upperEven ? c + 1 : c;
}

}  // namespace

char32_t FoldCase(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c < 0x100) return (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 32 : c;
    if (c < 0x180) {
        if (c == 0x130) return 'i';
        if (c == 0x178) return 0xFF;
        if (c <= 0x137) return FoldPairs(c, 0x100, 0x137, true);
        if (c >= 0x139 && c <= 0x148) return FoldPairs(c, 0x139, 0x148, false);
        if (c >= 0x14A && c <= 0x177) return FoldPairs(c, 0x14A, 0x177, true);
        if (c >= 0x179 && c <= 0x17E) return FoldPairs(c, 0x179, 0x17E, false);
        return c;
    }
    if (c >= 0x370 && c < 0x400) {
        if (c == 0x386) return 0x3AC;
        if (c >= 0x388 && c <= 0x38A) return c + 37;
        if (c == 0x38C) return 0x3CC;
        if (c == 0x38E || c == 0x38F) return c + 63;
        if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) return c + 32;
        return c;
    }
    if (c >= 0x400 && c < 0x530) {
        if (c <= 0x40F) return c + 80;
        if (c <= 0x42F) return c + 32;
        if (c >= 0x460 && c <= 0x481) return FoldPairs(c, 0x460, 0x481, true);
        if (c >= 0x48A && c <= 0x4BF) return FoldPairs(c, 0x48A, 0x4BF, true);
        if (c == 0x4C0) return 0x4CF;
        if (c >= 0x4C1 && c <= 0x4CE) return FoldPairs(c, 0x4C1, 0x4CE, false);
        if (c >= 0x4D0 && c <= 0x52F) return FoldPairs(c, 0x4D0, 0x52F, true);
        return c;
    }
    if (c >= 0x531 && c <= 0x556) return c + 48;
    if (c >= 0x1E00 && c <= 0x1E95) return FoldPairs(c, 0x1E00, 0x1E95, true);
    if (c >= 0x1EA0 && c <= 0x1EFF) return FoldPairs(c, 0x1EA0, 0x1EFF, true);
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;
    return c;
}

std::u32string FoldUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        char32_t c = 0xFFFD;
        size_t length = 1;
        size_t extra = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            c = lead;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            c = lead & 0x1F, extra = 1, minimum = 0x80;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            c = lead & 0x0F, extra = 2, minimum = 0x800;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            c = lead & 0x07, extra = 3, minimum = 0x10000;
        }
        if (extra > 0) {
            size_t k = 1;
            for (; k <= extra && i + k < text.size(); ++k) {
                const unsigned char next = static_cast<unsigned char>(text[i + k]);
                if ((next & 0xC0) != 0x80) break;
                c = (c << 6) | (next & 0x3F);
            }
            if (k == extra + 1 && c >= minimum && c <= 0x10FFFF && !(c >= 0xD800 && c < 0xE000)) {
                length = extra + 1;
            } else {
                c = 0xFFFD;
                length = k;  // resynchronise on the byte that broke the sequence
            }
        }
        out.push_back(FoldCase(c));
        i += length;
    }
    return out;
}

std::vector<std::string> SplitPatterns(std::string_view patternsText) {
    if (patternsText.empty()) return {"*.*"};
    std::vector<std::string> patterns;
    size_t start = 0;
    for (size_t i = 0; i <= patternsText.size(); ++i) {
        if (i == patternsText.size() || patternsText[i] == ';' || patternsText[i] == ',') {
            patterns.emplace_back(patternsText.substr(start, i - start));
            start = i + 1;
        }
    }
    return patterns;
}

PatternList::PatternList(std::string_view patternsText) {
    for (const std::string& pattern : SplitPatterns(patternsText)) patterns_.push_back(Compile(FoldUtf8(pattern)));
}

PatternList::Compiled PatternList::Compile(const std::u32string& pattern) {
    Compiled compiled;
    std::vector<Token>& tokens = compiled.tokens;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char32_t c = pattern[i];
        if (c == '*') {
            if (tokens.empty() || tokens.back().kind != Kind::Star) tokens.push_back({Kind::Star});
        } else if (c == '?') {
            tokens.push_back({Kind::AnyOne});
        } else if (c == '#') {
            tokens.push_back({Kind::Digit});
        } else if (c == '[' && pattern.find(']', i + 1) != std::u32string::npos) {
            const size_t close = pattern.find(']', i + 1);
            CharSet set;
            size_t k = i + 1;
            if (k < close && pattern[k] == '!') {
                set.negated = true;
                ++k;
            }
            for (; k < close; ++k) {
                if (k + 2 < close && pattern[k + 1] == '-') {
                    set.ranges.emplace_back(pattern[k], pattern[k + 2]);
                    k += 2;
                } else {
                    set.ranges.emplace_back(pattern[k], pattern[k]);
                }
            }
            i = close;
            // "[]" matches the empty text: it adds nothing to the pattern.
            if (set.ranges.empty() && !set.negated) continue;
            tokens.push_back({Kind::Set, 0, static_cast<uint32_t>(sets_.size())});
            sets_.push_back(std::move(set));
        } else {
            // An unclosed "[" stands for itself.
            tokens.push_back({Kind::Literal, c});
        }
    }
    for (const Token& token : tokens) {
        if (token.kind == Kind::Star)
            compiled.hasStar = true;
        else
            ++compiled.minLength;
    }
    while (compiled.prefixLength < tokens.size() && tokens[compiled.prefixLength].kind == Kind::Literal)
        ++compiled.prefixLength;
    if (compiled.hasStar) {
        while (compiled.suffixLength < tokens.size() &&
               tokens[tokens.size() - 1 - compiled.suffixLength].kind == Kind::Literal)
            ++compiled.suffixLength;
    }
    return compiled;
}

bool PatternList::MatchCompiled(const Compiled& pattern, std::u32string_view name) const {
    if (pattern.hasStar ? name.size() < pattern.minLength : name.size() != pattern.minLength) return false;
    for (size_t i = 0; i < pattern.prefixLength; ++i)
        if (pattern.tokens[i].ch != name[i]) return false;
    for (size_t i = 1; i <= pattern.suffixLength; ++i)
        if (pattern.tokens[pattern.tokens.size() - i].ch != name[name.size() - i]) return false;
    return MatchTokens(pattern.tokens, name);
}

bool PatternList::MatchOne(const Token& token, char32_t c) const {
    switch (token.kind) {
        case Kind::Literal:
            return token.ch == c;
        case Kind::AnyOne:
            return true;
        case Kind::Digit:
            return c >= '0' && c <= '9';
        case Kind::Set: {
            const CharSet& set = sets_[token.setIndex];
            bool inside = false;
            for (const auto& [low, high] : set.ranges) {
                if (c >= low && c <= high) {
                    inside = true;
                    break;
                }
            }
            return inside != set.negated;
        }
        case Kind::Star:
            break;
    }
    return false;
}

bool PatternList::MatchTokens(const std::vector<Token>& tokens, std::u32string_view name) const {
    // Every token but "*" takes exactly one character, so the last "*" seen
    // is the only backtracking point needed.
    size_t t = 0;
    size_t n = 0;
    size_t starToken = std::u32string_view::npos;
    size_t starName = 0;
    while (n < name.size()) {
        if (t < tokens.size() && tokens[t].kind == Kind::Star) {
            starToken = t++;
            starName = n;
        } else if (t < tokens.size() && MatchOne(tokens[t], name[n])) {
            ++t;
            ++n;
        } else if (starToken != std::u32string_view::npos) {
            t = starToken + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (t < tokens.size() && tokens[t].kind == Kind::Star) ++t;
    return t == tokens.size();
}

int PatternList::Match(std::u32string_view foldedName) const {
    for (size_t i = 0; i < patterns_.size(); ++i)
        if (MatchCompiled(patterns_[i], foldedName)) return static_cast<int>(i);
    return -1;
}

int PatternList::MatchName(std::string_view name) const { return Match(FoldUtf8(name)); }

bool MatchPattern(std::string_view pattern, std::string_view name) {
    // A single pattern may itself hold ";" or ","; it is taken whole here.
    PatternList list;
    list.patterns_.push_back(list.Compile(FoldUtf8(pattern)));
    return list.Match(FoldUtf8(name)) == 0;
}

}  // namespace junk
