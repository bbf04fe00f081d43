// Size texts shown wherever the program reports a number of bytes.
// Portable: no Windows header, so it also runs under the sanitizers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Bytes as " Byte", " KB", " MB", " GB" or " TB" (units of 1024), rounded to
// two decimals with ties to even on the exact value and written in the
// shortest form: "0 Byte", "1.5 KB", "3 MB", "1.12 GB". The unit follows
// the byte count, so 1048575 bytes read "1024 KB".
std::string SizeText(uint64_t bytes, std::string_view decimalSeparator);

}  // namespace core
