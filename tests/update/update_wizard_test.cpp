#include "update/update_wizard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/settings.h"
#include "platform/module_path.h"
#include "support/loopback_http_server.h"
#include "support/temp_folder.h"
#include "update/frm_update_window.h"

namespace {

using update::Frm_UpdateWindow;
using update::UpdateState;

// Drives the modal window from a thread timer: presses Enter on the check
// link once the window shows, and closes it once the check has ended.
struct WizardDriver {
    static inline int ticks = 0;
    static inline bool pressed = false;
    static inline UpdateState seen = UpdateState::Idle;
    static inline std::string result;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        const auto window = Frm_UpdateWindow::Current();
        if (++ticks > 300) {  // thirty seconds: give up
            ::KillTimer(nullptr, id);
            if (window) window->Close();
            return;
        }
        if (!window) return;
        if (!pressed) {
            pressed = true;
            const HWND link = ::GetDlgItem(window->Handle(), Frm_UpdateWindow::kCheckLinkId);
            ::SetFocus(link);
            ::PostMessageW(link, WM_KEYDOWN, VK_RETURN, 0);
            return;
        }
        const UpdateState state = window->Logic().Page().state;
        if (state == UpdateState::Idle || state == UpdateState::Checking) return;
        seen = state;
        result = window->Logic().Page().resultText;
        ::KillTimer(nullptr, id);
        window->Close();
    }
};

TEST(UpdateWizard, ChecksWithTheRealServicesAndLeavesNoFile) {
    // The real connection test, the shared two-second waits and the program
    // folder; only the server is the test's own.
    testing_support::TempFolder settings;
    testing_support::LoopbackHttpServer server;
    server.Serve("/updates/qxupdt.qdt",
                 testing_support::Respond(200, "[programinfo]\r\nversion=2.1\r\nbuild=13\r\ndate=today\r\n"));
    core::SetSettingsPaths(settings.path());
    core::WriteIni(core::MainIniPath, "Update", "Server", server.base());

    ::SetTimer(nullptr, 0, 100, WizardDriver::Tick);
    update::ShowUpdateWizard(nullptr);
    core::MainIniPath.clear();

    EXPECT_EQ(WizardDriver::seen, UpdateState::UpdateOffered);
    EXPECT_EQ(WizardDriver::result, "Version 2.1 Build (13) is available for download.");
    EXPECT_EQ(Frm_UpdateWindow::Current(), nullptr);
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_FALSE(testing_support::Exists(platform::ExecutableFolder() + "\\qxupdt.qdt"));
}

}  // namespace
