// Where the running program lives.
#pragma once

#include <string>

namespace platform {

// Full path of the running executable, UTF-8, however long.
std::string ExecutablePath();

// Folder of the running executable, without a trailing backslash.
std::string ExecutableFolder();

}  // namespace platform
