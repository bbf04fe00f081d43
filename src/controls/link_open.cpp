// The link's shell actions; kept apart from link.cpp because they call
// Windows (the rest of the link's logic builds natively).
#include "controls/link.h"
#include "platform/launch.h"

namespace controls {

bool Link::OpenPath(const std::string& path) { return platform::OpenWithShell(path, "C:\\"); }

bool Link::SendEmail(const std::string& address) { return platform::OpenWithShell("mailto:" + address, "C:\\"); }

}  // namespace controls
