// Copying settings files over others without ever leaving half a file, or
// one file of a pair replaced and the other not.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

struct FileCopy {
    std::string source;
    std::string destination;
};

struct CopyOutcome {
    bool copied = false;
    size_t failed = 0;        // which copy failed, when not copied
    unsigned long error = 0;  // the system error code when not copied
};

// Copies every source over its destination, or none: each copy is made
// beside its destination under a new name and flushed to disk; only then
// are the new files renamed into place, the old ones kept aside until all
// are. On any failure every destination is as it was and no new file is
// left. The new files are never read-only, so that they can be written to.
CopyOutcome CopyFilesReplacing(const std::vector<FileCopy>& copies);
CopyOutcome CopyFileReplacing(const std::string& source, const std::string& destination);

// The system's text for an error code, without the final full stop.
std::string SystemErrorText(unsigned long error);

}  // namespace platform
