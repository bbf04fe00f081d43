// The shell's icon of a file, for lists that show programs.
#pragma once

#include <string>

#include "platform/handles.h"

namespace platform {

// The large (32x32 at 96 dpi) or small icon the shell shows for the file;
// empty when the file has none or does not exist.
UniqueIcon LoadFileIcon(const std::string& path, bool large);
// The shell's icon of a closed folder.
UniqueIcon FolderIcon(bool large);
// A copy of the system's default program icon.
UniqueIcon DefaultProgramIcon(bool large);

}  // namespace platform
