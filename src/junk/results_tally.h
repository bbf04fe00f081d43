// The results tally: files and bytes removed by the junk cleaner since its
// result view was last left with "< Back". Process-wide, read by the main
// window's ShowResult.
#pragma once

#include <cstdint>

namespace junk {

extern uint64_t CleanedCount;
extern uint64_t CleanedSize;

}  // namespace junk
