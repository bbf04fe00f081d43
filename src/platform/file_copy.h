// Copying a settings file over another without ever leaving half a file.
#pragma once

#include <string>

namespace platform {

struct CopyOutcome {
    bool copied = false;
    unsigned long error = 0;  // the system error code when not copied
};

// Copies source to destination, replacing a file already there. The copy is
// made beside the destination under a new name and then renamed over it, so
// a failure half-way leaves the old destination as it was. The new file is
// never read-only, so that it can be written to later.
CopyOutcome CopyFileReplacing(const std::string& source, const std::string& destination);

}  // namespace platform
