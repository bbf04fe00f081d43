// Handing a file, folder, web address or "mailto:" address to the handler
// Windows has registered for it.
#pragma once

#include <string>

namespace platform {

// ShellExecute with the verb "open"; true when Windows accepted the request.
bool OpenWithShell(const std::string& target, const std::string& workingFolder);

}  // namespace platform
