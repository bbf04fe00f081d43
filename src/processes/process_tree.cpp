#include "processes/process_tree.h"

#include <algorithm>

namespace processes {

std::vector<platform::ProcessEntry> ProcessTreeChildrenFirst(const std::vector<platform::ProcessEntry>& entries,
                                                             uint32_t rootId) {
    std::vector<platform::ProcessEntry> tree;
    const auto root =
        std::find_if(entries.begin(), entries.end(), [&](const platform::ProcessEntry& e) { return e.id == rootId; });
    if (root == entries.end()) return tree;
    // Level by level from the root, then reversed: every child ends before
    // its parent.
    tree.push_back(*root);
    for (size_t next = 0; next < tree.size(); ++next) {
        const platform::ProcessEntry parent = tree[next];
        for (const platform::ProcessEntry& entry : entries) {
            if (entry.parentId != parent.id || entry.id == parent.id) continue;
            if (parent.creationTime != 0 && entry.creationTime <= parent.creationTime) continue;
            const bool seen = std::any_of(tree.begin(), tree.end(),
                                          [&](const platform::ProcessEntry& e) { return e.id == entry.id; });
            if (!seen) tree.push_back(entry);
        }
    }
    std::reverse(tree.begin(), tree.end());
    return tree;
}

}  // namespace processes
