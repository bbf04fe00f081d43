// The update check's system seam for tests: the connection answer is chosen,
// the waits are short and can run a step (closing the window, say), and the
// download dialog records the address instead of opening.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/test_window.h"
#include "update/update_system.h"

namespace testing_support {

class TestUpdateSystem : public update::UpdateSystem {
public:
    bool connected = true;
    std::vector<double> pauses;
    // Runs inside the n-th wait (1-based), before its messages are processed.
    std::function<void(size_t)> duringPause;
    std::vector<std::string> dialogAddresses;

    bool InternetConnected() override { return connected; }
    void Pause(double seconds) override {
        pauses.push_back(seconds);
        if (duringPause) duringPause(pauses.size());
        PumpMessages(20);
    }
    bool OpenDownloadDialog(const std::string& address) override {
        dialogAddresses.push_back(address);
        return true;
    }
};

}  // namespace testing_support
