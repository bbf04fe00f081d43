// Copying settings files and the facts about a destination the copy needs.
#pragma once

#include <string>

namespace platform {

inline constexpr unsigned long kErrorNotReady = 21;  // ERROR_NOT_READY: no disk in the drive

struct CopyOutcome {
    bool copied = false;
    unsigned long error = 0;  // the system error code when not copied
};

// Copies source to destination, replacing a file already there. The copy is
// made beside the destination under a new name and then renamed over it, so
// a failure half-way leaves the old destination as it was. The new file is
// never read-only, so that it can be written to later.
CopyOutcome CopyFileReplacing(const std::string& source, const std::string& destination);

bool IsExistingFile(const std::string& path);
bool IsExistingFolder(const std::string& path);
// True when root ("D:\") is a CD-ROM drive.
bool IsCdRomDrive(const std::string& root);

}  // namespace platform
