// The Update Wizard answered by a loopback server: inside its second wait
// (update-checking) or offering a newer release (update-offered).
#include <windows.h>

#include "core/settings.h"
#include "support/loopback_http_server.h"
#include "support/temp_folder.h"
#include "update/frm_update_window.h"
#include "update/test_update_system.h"
#include "window_shots.h"

namespace shots {

int ShowUpdate(const Request& request) {
    const bool checking = request.state == "checking";
    testing_support::TempFolder program;
    testing_support::LoopbackHttpServer server;
    core::WriteIni(core::MainIniPath, "Update", "Server", server.base());
    server.Serve("/updates/qxupdt.qdt",
                 testing_support::Respond(
                     200,
                     checking ? "[programinfo]\r\nversion=2.1\r\nbuild=12\r\n"
                              : "[programinfo]\r\nversion=2.2\r\nbuild=14\r\ndate=12 March 2024\r\nsizefl=5.2 MB\r\n"
                                "sizesm=1.1 MB\r\nfilefl=https://downloads.clarimo.example/full.exe\r\n"
                                "filesm=https://downloads.clarimo.example/update.exe\r\n",
                     "application/octet-stream"));
    testing_support::TestUpdateSystem system;
    const auto window = update::Frm_UpdateWindow::Open(nullptr, system, program.path());
    if (!window) return 1;
    system.duringPause = [&](size_t wait) {
        if (checking && wait == 2) Stay(request, window->Handle());
    };
    testing_support::PumpDialogMessages(window->Handle(), 300);
    window->Logic().LnkCheck_Click();
    Stay(request, window->Handle());
    return 0;
}

}  // namespace shots
