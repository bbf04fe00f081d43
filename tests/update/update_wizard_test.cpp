#include "update/update_wizard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/settings.h"
#include "platform/module_path.h"
#include "support/loopback_http_server.h"
#include "support/modal_steps.h"
#include "support/temp_folder.h"
#include "update/frm_update_window.h"

namespace {

using update::Frm_UpdateWindow;
using update::UpdateState;

TEST(UpdateWizard, ChecksWithTheRealServicesAndLeavesNoFile) {
    // The real connection test, the shared two-second waits and the program
    // folder; only the server is the test's own.
    testing_support::TempFolder settings;
    testing_support::LoopbackHttpServer server;
    server.Serve("/updates/qxupdt.qdt",
                 testing_support::Respond(200, "[programinfo]\r\nversion=2.1\r\nbuild=13\r\ndate=today\r\n"));
    core::SetSettingsPaths(settings.path());
    core::WriteIni(core::MainIniPath, "Update", "Server", server.base());

    // Enter on the check link once the window shows; closed once the check has ended.
    UpdateState seen = UpdateState::Idle;
    std::string result;
    const auto window = [] { return Frm_UpdateWindow::Current(); };
    const testing_support::ModalSteps steps(
        {[&] {
             if (!window()) return false;
             const HWND link = ::GetDlgItem(window()->Handle(), Frm_UpdateWindow::kCheckLinkId);
             ::SetFocus(link);
             ::PostMessageW(link, WM_KEYDOWN, VK_RETURN, 0);
             return true;
         },
         [&] {
             const auto open = window();
             if (!open) return true;
             seen = open->Logic().Page().state;
             if (seen == UpdateState::Idle || seen == UpdateState::Checking) return false;
             result = open->Logic().Page().resultText;
             open->Close();
             return true;
         }},
        [&] { return window() ? window()->Handle() : nullptr; }, 30000);
    update::ShowUpdateWizard(nullptr);
    core::MainIniPath.clear();

    EXPECT_EQ(seen, UpdateState::UpdateOffered);
    EXPECT_EQ(result, "Version 2.1 Build (13) is available for download.");
    EXPECT_EQ(Frm_UpdateWindow::Current(), nullptr);
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_FALSE(testing_support::Exists(platform::ExecutableFolder() + "\\qxupdt.qdt"));
}

}  // namespace
