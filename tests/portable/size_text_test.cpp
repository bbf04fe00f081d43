#include "core/size_text.h"

#include <gtest/gtest.h>

#include <cstdint>

using core::SizeText;

namespace {
constexpr uint64_t kKB = 1024, kMB = kKB * 1024, kGB = kMB * 1024, kTB = kGB * 1024;
}

// Every size's unit and rounding is also checked by the junk text fuzzer.
TEST(SizeText, UnitBoundariesAndShortestForm) {
    EXPECT_EQ(SizeText(0, "."), "0 Byte");
    EXPECT_EQ(SizeText(kMB - 1, "."), "1024 KB");  // the unit follows the byte count
    EXPECT_EQ(SizeText(kTB, "."), "1 TB");         // terabytes are shown, not the empty text
    EXPECT_EQ(SizeText(UINT64_MAX, "."), "16777216 TB");
    EXPECT_EQ(SizeText(3071, "."), "3 KB");  // 2.999 rounds up into the next whole number
    // The separator given, whatever its length.
    EXPECT_EQ(SizeText(1536, ","), "1,5 KB");
    EXPECT_EQ(SizeText(kGB + kGB / 4, "\xD9\xAB"),
              "1\xD9\xAB"
              "25 GB");
}

TEST(SizeText, ExactTiesGoToEven) {
    EXPECT_EQ(SizeText(kKB + kKB / 8, "."), "1.12 KB");      // 1.125
    EXPECT_EQ(SizeText(kKB + 3 * kKB / 8, "."), "1.38 KB");  // 1.375
    EXPECT_EQ(SizeText(kTB + kTB / 8 - 1, "."), "1.12 TB");  // just below it
    // A tie plus one byte at a size where a double cannot hold the byte.
    EXPECT_EQ(SizeText(8388607 * kTB + kTB / 8 + 1, "."), "8388607.13 TB");
    EXPECT_EQ(SizeText(8388607 * kTB + kTB / 8, "."), "8388607.12 TB");
}
