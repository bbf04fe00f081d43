// The Update Wizard in one of its outcomes, answered by a loopback server.
#include <windows.h>

#include <string>

#include "core/settings.h"
#include "support/loopback_http_server.h"
#include "support/temp_folder.h"
#include "update/frm_update_window.h"
#include "update/test_update_system.h"
#include "window_shots.h"

namespace shots {
namespace {

struct Outcome {
    const char* name;
    bool connected;
    int status;
    const char* description;
};

constexpr Outcome kOutcomes[] = {
    {"idle", true, 0, nullptr},
    // Shown inside the second wait.
    {"checking", true, 200, "[programinfo]\r\nversion=2.1\r\nbuild=12\r\n"},
    {"offline", false, 200, ""},
    {"failed", true, 404, "<html><body>Not Found</body></html>"},
    {"current", true, 200, "[programinfo]\r\nversion=2.1\r\nbuild=12\r\n"},
    {"offered", true, 200,
     "[programinfo]\r\nversion=2.2\r\nbuild=14\r\ndate=12 March 2024\r\nsizefl=5.2 MB\r\nsizesm=1.1 MB\r\n"
     "filefl=https://downloads.clarimo.example/full.exe\r\nfilesm=https://downloads.clarimo.example/update.exe\r\n"},
};

}  // namespace

int ShowUpdate(const Request& request) {
    const Outcome* outcome = &kOutcomes[0];
    for (const Outcome& each : kOutcomes)
        if (request.state == each.name) outcome = &each;
    testing_support::TempFolder program;
    testing_support::LoopbackHttpServer server;
    core::WriteIni(core::MainIniPath, "Update", "Server", server.base());
    testing_support::TestUpdateSystem system;
    system.connected = outcome->connected;
    if (outcome->description)
        server.Serve("/updates/qxupdt.qdt",
                     testing_support::Respond(outcome->status, outcome->description, "application/octet-stream"));
    const auto window = update::Frm_UpdateWindow::Open(nullptr, system, program.path());
    if (!window) return 1;
    const bool inWait = request.state == "checking";
    system.duringPause = [&](size_t wait) {
        if (inWait && wait == 2) Stay(request, window->Handle());
    };
    testing_support::PumpDialogMessages(window->Handle(), 300);
    if (outcome->description) window->Logic().LnkCheck_Click();
    Stay(request, window->Handle());
    return 0;
}

}  // namespace shots
