#include "core/size_text.h"

namespace core {
namespace {

struct Unit {
    unsigned shift;  // the unit is 2^shift bytes
    const char* name;
};

constexpr Unit kUnits[] = {{40, " TB"}, {30, " GB"}, {20, " MB"}, {10, " KB"}, {0, " Byte"}};

// bytes / 2^shift in hundredths, rounded to nearest with ties to even.
// Worked in integers on the exact quotient: a double would misround ties
// such as 1.125 and lose precision above 2^53 bytes.
uint64_t Hundredths(uint64_t bytes, unsigned shift) {
    if (shift == 0) return bytes * 100;  // whole bytes: below 1024 here
    const uint64_t whole = bytes >> shift;
    const uint64_t fraction = bytes & ((uint64_t{1} << shift) - 1);  // < 2^40
    const uint64_t scaled = fraction * 100;                          // < 2^47
    uint64_t cents = scaled >> shift;
    const uint64_t remainder = scaled & ((uint64_t{1} << shift) - 1);
    const uint64_t half = uint64_t{1} << (shift - 1);
    if (remainder > half || (remainder == half && (cents & 1) != 0)) ++cents;
    return whole * 100 + cents;  // whole < 2^24 for TB, so no overflow
}

}  // namespace

std::string SizeText(uint64_t bytes, std::string_view decimalSeparator) {
    const Unit* unit = &kUnits[4];
    for (const Unit& candidate : kUnits) {
        if (candidate.shift == 0 || (bytes >> candidate.shift) != 0) {
            unit = &candidate;
            break;
        }
    }
    const uint64_t hundredths = Hundredths(bytes, unit->shift);
    std::string text = std::to_string(hundredths / 100);
    const unsigned cents = static_cast<unsigned>(hundredths % 100);
    if (cents != 0) {
        text += decimalSeparator;
        text += static_cast<char>('0' + cents / 10);
        if (cents % 10 != 0) text += static_cast<char>('0' + cents % 10);
    }
    return text + unit->name;
}

}  // namespace core
