// Long-path forming: a full path long enough to need "\\?\" gets it, and so
// does one with a name ending in a dot or blank (unless it has "." or ".."
// parts), with "\" separators only; nothing else changes, and dropping the
// prefix gives the path back.
#include <algorithm>

#include "fuzz_support.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace {

// Names between "\" separators of an already slashed path.
bool NeedsExactNames(const std::wstring& slashed) {
    bool endsOdd = false;
    size_t start = 0;
    while (start <= slashed.size()) {
        size_t end = slashed.find(L'\\', start);
        if (end == std::wstring::npos) end = slashed.size();
        const std::wstring name = slashed.substr(start, end - start);
        if (name == L"." || name == L"..") return false;
        if (!name.empty() && (name.back() == L'.' || name.back() == L' ')) endsOdd = true;
        start = end + 1;
    }
    return endsOdd;
}

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    // Valid text only: invalid bytes already become U+FFFD in ToWide.
    const std::string path = platform::ToUtf8(platform::ToWide({reinterpret_cast<const char*>(data), size}));
    const std::wstring wide = platform::ToWide(path);
    const std::wstring system = platform::ToSystemPath(path);

    std::wstring slashed = wide;
    std::replace(slashed.begin(), slashed.end(), L'/', L'\\');
    const bool drive = slashed.size() >= 3 && slashed[1] == L':' && slashed[2] == L'\\' &&
                       ((slashed[0] | 0x20) >= L'a' && (slashed[0] | 0x20) <= L'z');
    const bool device = slashed.starts_with(L"\\\\?\\") || slashed.starts_with(L"\\\\.\\");
    const bool share = slashed.starts_with(L"\\\\") && !device;
    const bool prefixed = system.size() > wide.size();

    if ((wide.size() < 248 && !NeedsExactNames(slashed)) || device || !(drive || share)) {
        FUZZ_CHECK(system == wide || system == slashed);
    } else {
        FUZZ_CHECK(prefixed && system.find(L'/') == std::wstring::npos);
        FUZZ_CHECK(system == (drive ? L"\\\\?\\" + slashed : L"\\\\?\\UNC\\" + slashed.substr(2)));
    }
    if (prefixed) FUZZ_CHECK(platform::FromSystemPath(system) == platform::ToUtf8(slashed));
}
