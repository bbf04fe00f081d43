// The bytes of settings files: which encoding the profile functions read a
// file in, and the Unicode forms decoded and written without any Windows
// call. Portable, so it also runs under the sanitizers and the fuzzers.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// How the profile functions read a file.
enum class IniEncoding { Missing, Unreadable, Empty, Ansi, Utf8, Utf16Le, Utf16Be };

// The encoding its first bytes mark (Missing and Unreadable never).
IniEncoding IniEncodingOf(std::string_view bytes);

// The text of a file marked UTF-8, UTF-16LE or UTF-16BE, without the mark;
// an odd last byte is dropped. Empty for any other encoding.
std::u16string DecodeUnicodeIniBytes(std::string_view bytes);

// text as UTF-16LE with a byte-order mark.
std::string Utf16LeWithMark(std::u16string_view text);

}  // namespace platform
