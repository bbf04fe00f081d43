// Shows the Update Wizard in each of its outcomes, one after the other, for
// tests/tools/update-window-shots.sh to photograph. For each outcome it prints
// "SHOT <name>" and waits (pumping messages) until the file "shot-taken"
// appears in its own folder, or ten seconds pass.
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/settings.h"
#include "platform/long_path.h"
#include "platform/module_path.h"
#include "support/loopback_http_server.h"
#include "support/temp_folder.h"
#include "update/frm_update_window.h"
#include "update/test_update_system.h"

namespace {

using testing_support::PumpDialogMessages;

struct Outcome {
    const char* name;
    bool connected;
    int status;
    const char* description;
};

constexpr Outcome kOutcomes[] = {
    {"idle", true, 0, nullptr},
    // Photographed inside the second wait.
    {"checking", true, 200, "[programinfo]\r\nversion=2.1\r\nbuild=12\r\n"},
    {"no-connection", false, 200, ""},
    {"download-failed", true, 404, "<html><body>Not Found</body></html>"},
    {"current", true, 200, "[programinfo]\r\nversion=2.1\r\nbuild=12\r\n"},
    {"offered-both", true, 200,
     "[programinfo]\r\nversion=2.2\r\nbuild=14\r\ndate=12 March 2024\r\nsizefl=5.2 MB\r\nsizesm=1.1 MB\r\n"
     "filefl=https://downloads.clarimo.example/full.exe\r\nfilesm=https://downloads.clarimo.example/update.exe\r\n"},
    {"offered-full-only", true, 200,
     "[programinfo]\r\nversion=3.0\r\nbuild=5\r\ndate=1 June 2024\r\nsizefl=9 MB\r\n"
     "filefl=https://downloads.clarimo.example/full.exe\r\n"},
    {"offered-no-sizes", true, 200, "[programinfo]\r\nversion=2.1\r\nbuild=13\r\ndate=today\r\n"},
};

void WaitForShot(HWND window, const std::string& name) {
    const std::wstring marker = platform::ToSystemPath(platform::ExecutableFolder() + "\\shot-taken");
    ::DeleteFileW(marker.c_str());
    std::printf("SHOT %s\n", name.c_str());
    std::fflush(stdout);
    for (int i = 0; i < 200 && ::GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        PumpDialogMessages(window, 50);
    ::DeleteFileW(marker.c_str());
}

}  // namespace

int wmain() {
    testing_support::TempFolder program;
    testing_support::LoopbackHttpServer server;
    core::SetSettingsPaths(program.path());
    core::WriteIni(core::MainIniPath, "Update", "Server", server.base());
    testing_support::TestUpdateSystem system;

    for (const Outcome& outcome : kOutcomes) {
        system.connected = outcome.connected;
        if (outcome.description)
            server.Serve("/updates/qxupdt.qdt",
                         testing_support::Respond(outcome.status, outcome.description, "application/octet-stream"));
        const auto window = update::Frm_UpdateWindow::Open(nullptr, system, program.path());
        if (!window) return 1;
        const bool inWait = std::string(outcome.name) == "checking";
        system.pauses.clear();
        system.duringPause = [&](size_t wait) {
            if (inWait && wait == 2) WaitForShot(window->Handle(), outcome.name);
        };
        PumpDialogMessages(window->Handle(), 300);
        if (outcome.description) {
            window->Logic().LnkCheck_Click();
            PumpDialogMessages(window->Handle(), 300);
        }
        if (!inWait) WaitForShot(window->Handle(), outcome.name);
        window->Close();
        PumpDialogMessages(nullptr, 100);
    }
    return 0;
}
