// Shell shortcuts (.lnk files) through IShellLinkW and IPersistFile.
#pragma once

#include <optional>
#include <string>

namespace platform {

// The target path stored in the shortcut; nullopt when the file cannot be
// loaded as a shortcut. A shortcut to something that is no file (a shell
// item) has the target "".
std::optional<std::string> ReadShortcutTarget(const std::string& shortcutPath);

// Writes (or overwrites) the shortcut file with the given target.
bool WriteShortcut(const std::string& shortcutPath, const std::string& target);

}  // namespace platform
