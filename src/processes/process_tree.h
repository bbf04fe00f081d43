// A process and everything it started, from one snapshot.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/process_info.h"

namespace processes {

// The process rootId and its descendants, children before their parents
// (the root last); empty when rootId is not in entries. Identifiers are
// reused, so a process counts as a child only when it was created after
// its parent (where the snapshot tells creation times).
std::vector<platform::ProcessEntry> ProcessTreeChildrenFirst(const std::vector<platform::ProcessEntry>& entries,
                                                             uint32_t rootId);

}  // namespace processes
