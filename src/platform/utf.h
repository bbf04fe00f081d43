// UTF-8 inside the program, UTF-16 at the operating-system edge.
// Portable: no Windows header, so it also runs under the sanitizers.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Invalid input (stray continuation bytes, overlong forms, lone surrogates)
// becomes U+FFFD rather than being dropped, so lengths stay predictable.
std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view utf16);
std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);

}  // namespace platform
