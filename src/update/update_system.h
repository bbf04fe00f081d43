// What the update check asks of the system that a test cannot arrange for
// real: whether Windows is online (Wine always says so), the wait that keeps
// the window alive (two seconds each), and the shell's download dialog (a
// stub under Wine). The download and the files are never faked.
#pragma once

#include <string>

namespace update {

class UpdateSystem {
public:
    virtual ~UpdateSystem() = default;

    virtual bool InternetConnected() = 0;
    // Waits while processing window messages: other handlers, including the
    // closing of the update window, run inside it.
    virtual void Pause(double seconds) = 0;
    // Hands an address that passed the checks to the system's download dialog.
    virtual bool OpenDownloadDialog(const std::string& address) = 0;
};

// The real services: the wininet connection test, the shared Pause of the
// core layer, and shdocvw's DoFileDownload.
class SystemUpdate final : public UpdateSystem {
public:
    bool InternetConnected() override;
    void Pause(double seconds) override;
    bool OpenDownloadDialog(const std::string& address) override;
};

}  // namespace update
