#include "update/update_system.h"

#include "core/general.h"
#include "platform/http.h"

namespace update {

bool SystemUpdate::InternetConnected() { return platform::IsInternetConnected(); }

void SystemUpdate::Pause(double seconds) { core::Pause(seconds); }

bool SystemUpdate::OpenDownloadDialog(const std::string& address) {
    return platform::OpenSystemDownloadDialog(address);
}

}  // namespace update
