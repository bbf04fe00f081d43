// Junk patterns: the list matcher agrees with a plain recursive matcher
// written from the pattern rules, and a list splits where it should.
#include <string>

#include "fuzz_support.h"
#include "junk/pattern_match.h"

namespace {

// Longer names do not exist on disk; longer patterns are not typed.
constexpr size_t kMaxName = 260;
constexpr size_t kMaxPattern = 260;

class Reference {
public:
    Reference(std::u32string pattern, std::u32string name)
        : p_(std::move(pattern)), n_(std::move(name)), memo_((p_.size() + 1) * (n_.size() + 1), -1) {}
    bool Matches() { return At(0, 0); }

private:
    bool At(size_t i, size_t j) {
        int8_t& known = memo_[i * (n_.size() + 1) + j];
        if (known < 0) known = Compute(i, j) ? 1 : 0;
        return known == 1;
    }

    bool Compute(size_t i, size_t j) {
        if (i == p_.size()) return j == n_.size();
        const char32_t c = p_[i];
        if (c == '*') return At(i + 1, j) || (j < n_.size() && At(i, j + 1));
        if (c == '[') {
            const size_t close = p_.find(']', i + 1);
            if (close != std::u32string::npos) {
                size_t k = i + 1;
                const bool negated = k < close && p_[k] == '!';
                if (negated) ++k;
                if (k == close && !negated) return At(close + 1, j);  // "[]" stands for nothing
                if (j == n_.size()) return false;
                bool inside = false;
                for (; k < close; ++k) {
                    const bool range = k + 2 < close && p_[k + 1] == '-';
                    const char32_t low = p_[k], high = range ? p_[k + 2] : p_[k];
                    inside = inside || (n_[j] >= low && n_[j] <= high);
                    if (range) k += 2;
                }
                return inside != negated && At(close + 1, j + 1);
            }
        }
        if (j == n_.size()) return false;
        const bool one = c == '?' || (c == '#' ? n_[j] >= '0' && n_[j] <= '9' : c == n_[j]);
        return one && At(i + 1, j + 1);
    }

    std::u32string p_, n_;
    std::vector<int8_t> memo_;
};

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    const auto parts = fuzz::Parts(data, size, 2);
    const std::string_view patterns = parts[0].substr(0, kMaxPattern), name = parts[1].substr(0, kMaxName);

    const std::vector<std::string> split = junk::SplitPatterns(patterns);
    size_t at = 0;  // each pattern is the text up to the next separator
    for (const std::string& pattern : patterns.empty() ? std::vector<std::string>() : split) {
        FUZZ_CHECK(at <= patterns.size() && patterns.substr(at, pattern.size()) == pattern);
        FUZZ_CHECK(pattern.find_first_of(";,") == std::string::npos);
        at += pattern.size() + 1;
    }
    FUZZ_CHECK(patterns.empty() ? split == std::vector<std::string>{"*.*"} : at == patterns.size() + 1);

    const std::u32string folded = junk::FoldUtf8(name);
    int expected = -1;
    for (size_t i = 0; i < split.size() && expected < 0; ++i)
        if (Reference(junk::FoldUtf8(split[i]), folded).Matches()) expected = static_cast<int>(i);
    const junk::PatternList list(patterns);
    FUZZ_CHECK(list.size() == split.size());
    FUZZ_CHECK(list.MatchName(name) == expected);
    FUZZ_CHECK(junk::MatchPattern(patterns, name) == Reference(junk::FoldUtf8(patterns), folded).Matches());
}
