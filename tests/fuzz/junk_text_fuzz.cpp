// Junk page texts: a size text reads back as the byte count rounded to two
// decimals in the largest unit that fits; the elapsed time is empty only
// at zero; a numbered name keeps the name and its extension.
#include <cstring>
#include <string>

#include "core/size_text.h"
#include "fuzz_support.h"
#include "junk/junk_text.h"

namespace {

// The next bytes as a T (zeros past the end).
template <typename T>
T Take(const uint8_t*& data, size_t& size) {
    T value{};
    const size_t n = std::min(size, sizeof value);
    std::memcpy(&value, data, n);
    data += n, size -= n;
    return value;
}

void CheckSizeText(uint64_t bytes) {
    const std::string text = core::SizeText(bytes, ",");
    const size_t blank = text.find(' ');
    FUZZ_CHECK(blank != std::string::npos);
    const std::string unit = text.substr(blank + 1);
    const unsigned shift = unit == "TB" ? 40 : unit == "GB" ? 30 : unit == "MB" ? 20 : unit == "KB" ? 10 : 0;
    FUZZ_CHECK(shift != 0 || unit == "Byte");
    FUZZ_CHECK(shift == 0 ? bytes < 1024 : (bytes >> shift) != 0 && (shift == 40 || (bytes >> (shift + 10)) == 0));

    const std::string number = text.substr(0, blank);
    const size_t comma = number.find(',');
    const std::string whole = number.substr(0, comma), cents = comma == number.npos ? "" : number.substr(comma + 1);
    FUZZ_CHECK(!whole.empty() && whole.size() <= 20 && whole.find_first_not_of("0123456789") == whole.npos);
    FUZZ_CHECK(cents.size() <= 2 && cents.find_first_not_of("0123456789") == cents.npos);
    FUZZ_CHECK(cents.empty() || cents.back() != '0');  // shortest form
    const unsigned __int128 hundredths = static_cast<unsigned __int128>(std::stoull(whole)) * 100 +
                                         (cents.empty() ? 0 : std::stoul(cents) * (cents.size() == 1 ? 10 : 1));
    // Within half a hundredth of the exact value.
    const unsigned __int128 shown = hundredths << shift, exact = static_cast<unsigned __int128>(bytes) * 100;
    const unsigned __int128 error = shown > exact ? shown - exact : exact - shown;
    FUZZ_CHECK(shift == 0 ? error == 0 : error <= (static_cast<unsigned __int128>(1) << (shift - 1)));
}

void CheckNumberedName(const std::string& name, int n) {
    const std::string numbered = junk::NumberedName(name, n);
    const std::string number = " (" + std::to_string(n) + ")";
    const size_t dot = name.rfind('.');
    const size_t at = dot == std::string::npos || dot == 0 ? name.size() : dot;  // a leading dot starts no extension
    FUZZ_CHECK(numbered == name.substr(0, at) + number + name.substr(at));
    if (name.find_first_of("\\/") == std::string::npos && dot != 0)
        FUZZ_CHECK(junk::LowerExtension(numbered) == junk::LowerExtension(name));
}

}  // namespace

void FuzzOne(const uint8_t* data, size_t size) {
    CheckSizeText(Take<uint64_t>(data, size));
    // The scan clock keeps 16-bit counts.
    const int hours = Take<int16_t>(data, size), minutes = Take<int16_t>(data, size);
    const int seconds = Take<int16_t>(data, size);
    FUZZ_CHECK(junk::ElapsedTimeText(hours, minutes, seconds).empty() == (hours == 0 && minutes == 0 && seconds == 0));
    const int n = Take<int32_t>(data, size);
    CheckNumberedName(std::string(reinterpret_cast<const char*>(data), size), n);
}
