// What the junk cleaner has removed since its result view was last left:
// written by the junk page's deletion, reset by its "< Back", read by the
// main window's result strip. One user-interface thread uses it.
#pragma once

#include <cstdint>

namespace core {

inline uint32_t CleanedCount = 0;
inline uint64_t CleanedSize = 0;

}  // namespace core
