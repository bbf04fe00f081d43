#include "update/frm_update_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "core/settings.h"
#include "support/loopback_http_server.h"
#include "support/modal_steps.h"
#include "support/temp_folder.h"
#include "support/test_window.h"
#include "support/window_probes.h"
#include "test_update_system.h"

namespace {

using testing_support::LoopbackHttpServer;
using testing_support::PumpDialogMessages;
using testing_support::Respond;
using testing_support::TempFolder;
constexpr auto Text = testing_support::WindowText;
using update::Frm_UpdateWindow;

class UpdateWindow : public ::testing::Test {
protected:
    UpdateWindow() {
        core::SetSettingsPaths(program.path());
        core::WriteIni(core::MainIniPath, "Update", "Server", server.base());
    }
    ~UpdateWindow() override {
        if (const auto open = Frm_UpdateWindow::Current()) open->Close();
        core::MainIniPath.clear();
    }

    void Publish(const std::string& description) {
        server.Serve("/updates/qxupdt.qdt", Respond(200, description, "application/octet-stream"));
    }
    std::shared_ptr<Frm_UpdateWindow> Open() {
        auto window = Frm_UpdateWindow::Open(nullptr, system, program.path());
        if (window) PumpDialogMessages(window->Handle(), 50);
        return window;
    }
    static HWND Item(const std::shared_ptr<Frm_UpdateWindow>& window, int id) {
        return ::GetDlgItem(window->Handle(), id);
    }
    // A key pressed on control, through the dialog loop as a user would.
    static void PressKey(const std::shared_ptr<Frm_UpdateWindow>& window, HWND control, WPARAM key) {
        const HWND dialog = window->Handle();
        ::SetFocus(control);
        ::PostMessageW(control, WM_KEYDOWN, key, 0);
        ::PostMessageW(control, WM_KEYUP, key, 0);
        PumpDialogMessages(dialog, 100);
    }

    TempFolder program;
    LoopbackHttpServer server;
    testing_support::TestUpdateSystem system;
};

TEST_F(UpdateWindow, OpensOnceAtATimeAndAnswersFromTheKeyboard) {
    Publish("[programinfo]\r\nversion=2.1\r\nbuild=12\r\n");
    auto window = Open();
    ASSERT_TRUE(window);
    EXPECT_EQ(Frm_UpdateWindow::Open(nullptr, system, program.path()), window);
    const HWND link = Item(window, Frm_UpdateWindow::kCheckLinkId);
    EXPECT_EQ(::GetFocus(), link);
    PressKey(window, link, VK_RETURN);  // the answer: current, so the focus goes to Cancel
    const HWND cancel = Item(window, Frm_UpdateWindow::kCancelId);
    EXPECT_EQ(::GetFocus(), cancel);
    const HWND handle = window->Handle();
    PressKey(window, cancel, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(Frm_UpdateWindow::Current(), nullptr);

    // Opened again, with an update offered: Enter on a download link hands its address on.
    Publish(
        "[programinfo]\r\nversion=2.2\r\nbuild=14\r\nsizefl=5.2 MB\r\nsizesm=1.1 MB\r\n"
        "filefl=https://downloads.clarimo.example/full.exe\r\nfilesm=https://downloads.clarimo.example/update.exe\r\n");
    window = Open();
    ASSERT_TRUE(window);
    PressKey(window, Item(window, Frm_UpdateWindow::kCheckLinkId), VK_RETURN);
    EXPECT_EQ(Text(Item(window, Frm_UpdateWindow::kResultId)), "Version 2.2 Build (14) is available for download.");
    const HWND updateLink = Item(window, Frm_UpdateWindow::kDownloadUpdateId);
    const HWND fullLink = Item(window, Frm_UpdateWindow::kDownloadFullId);
    EXPECT_TRUE(::IsWindowVisible(updateLink) && ::IsWindowVisible(fullLink));
    EXPECT_EQ(::GetFocus(), updateLink);  // it left the hidden check link
    PressKey(window, fullLink, VK_RETURN);
    EXPECT_EQ(system.dialogAddresses, (std::vector<std::string>{"https://downloads.clarimo.example/full.exe"}));
}

TEST_F(UpdateWindow, ClosingTheWindowWhileTheAnswerIsAwaitedEndsTheFetchAndLeavesNoFile) {
    testing_support::CannedResponse late = Respond(200, "[programinfo]\r\nversion=2.5\r\n");
    late.delayMs = 60000;  // only the closing can end the wait
    server.Serve("/updates/qxupdt.qdt", late);
    auto window = Open();
    ASSERT_TRUE(window);
    const HWND handle = window->Handle();
    window.reset();  // the window keeps itself alive while it is open
    std::thread user([&] {
        while (server.Requests().empty()) std::this_thread::yield();
        ::PostMessageW(handle, WM_CLOSE, 0, 0);
    });

    const HWND link = Item(Frm_UpdateWindow::Current(), Frm_UpdateWindow::kCheckLinkId);
    ::SendMessageW(link, WM_KEYDOWN, VK_RETURN, 0);  // returns once the check has ended
    user.join();

    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(Frm_UpdateWindow::Current(), nullptr);
    EXPECT_FALSE(testing_support::Exists(program / "qxupdt.qdt"));
}

TEST_F(UpdateWindow, RunsModallyOverItsOwnerUntilTheProgramEnds) {
    const testing_support::TestWindow owner(300, 200);
    // Opened from a page (a child of the main window): the main window is the owner.
    const HWND page = ::CreateWindowExW(0, L"STATIC", L"page", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, owner.hwnd(),
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    const auto window = Frm_UpdateWindow::Open(page, system, program.path());
    ASSERT_TRUE(window);
    const HWND handle = window->Handle();
    EXPECT_EQ(::GetWindow(handle, GW_OWNER), owner.hwnd());
    bool ownerEnabled = true;
    {
        const testing_support::ModalSteps quit({[&] {
                                                   ownerEnabled = ::IsWindowEnabled(owner.hwnd()) != FALSE;
                                                   ::PostQuitMessage(7);
                                                   return true;
                                               }},
                                               [handle] { return handle; });
        window->RunModal();
    }
    EXPECT_FALSE(ownerEnabled);
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
    // The quit message is left for the program's own loop.
    MSG message;
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
