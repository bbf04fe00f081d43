#include "update/frm_update_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/custom_window.h"
#include "controls/theme.h"
#include "core/settings.h"
#include "platform/utf.h"
#include "support/loopback_http_server.h"
#include "support/modal_steps.h"
#include "support/temp_folder.h"
#include "support/test_window.h"
#include "support/window_colours.h"
#include "support/window_probes.h"
#include "test_update_system.h"

namespace {

using testing_support::LoopbackHttpServer;
using testing_support::PumpDialogMessages;
using testing_support::Respond;
using testing_support::TempFolder;
constexpr auto Text = testing_support::WindowText;
using update::Frm_UpdateWindow;

std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t buffer[512] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
        rows.push_back(platform::ToUtf8(buffer));
    }
    return rows;
}

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

TEST_F(UpdateWindow, OpensIdleOnceAtATime) {
    const auto window = Open();
    ASSERT_TRUE(window);
    EXPECT_EQ(Text(window->Handle()), "Update Wizard");
    EXPECT_EQ(Text(Item(window, Frm_UpdateWindow::kHeadingId)), "Clarimo Update Wizard.");
    EXPECT_EQ(Text(Item(window, Frm_UpdateWindow::kIntroId)),
              "This wizard will check for Clarimo updates or for a new version of it.");
    EXPECT_EQ(Text(Item(window, Frm_UpdateWindow::kStatusId)), "Click 'Check for Update' to start");
    EXPECT_EQ(Text(Item(window, Frm_UpdateWindow::kCancelId)), "Cancel");
    EXPECT_TRUE(::IsWindowVisible(Item(window, Frm_UpdateWindow::kCheckLinkId)));
    EXPECT_FALSE(::IsWindowVisible(Item(window, Frm_UpdateWindow::kDetailsId)));
    EXPECT_FALSE(::IsWindowVisible(Item(window, Frm_UpdateWindow::kErrorBalloonId)));
    EXPECT_EQ(::GetFocus(), Item(window, Frm_UpdateWindow::kCheckLinkId));

    const auto again = Frm_UpdateWindow::Open(nullptr, system, program.path());
    EXPECT_EQ(again, window);
}

TEST_F(UpdateWindow, OpensInTheThemeInUseWithTheProgramsLinks) {
    controls::SetThemeValues(1);  // "Green", applied before the window opens
    const auto window = Open();
    ASSERT_TRUE(window);
    const HWND link = Item(window, Frm_UpdateWindow::kCheckLinkId);
    EXPECT_EQ(Text(link), "Check for Update");  // no link markup: the program's link control
    ASSERT_NE(controls::CustomWindow::FromHandle(link), nullptr);
    EXPECT_EQ(testing_support::StaticTextColour(window->Handle(), Item(window, Frm_UpdateWindow::kStatusId)),
              controls::ResolveColor(controls::ThemeTextColor));
    RECT client{};
    ::GetClientRect(window->Handle(), &client);
    EXPECT_EQ(testing_support::ShownColour(window->Handle(), {client.right / 2, client.bottom - 2}),
              controls::ResolveColor(controls::ThemeBackColor));
    controls::SetThemeValues(0);
}

TEST_F(UpdateWindow, EnterOnTheCheckLinkShowsTheOfferedUpdate) {
    Publish(
        "[programinfo]\r\nversion=2.2\r\nbuild=14\r\ndate=12 March 2024\r\nsizefl=5.2 MB\r\nsizesm=1.1 MB\r\n"
        "filefl=https://downloads.clarimo.example/full.exe\r\nfilesm=https://downloads.clarimo.example/update.exe\r\n");
    const auto window = Open();
    ASSERT_TRUE(window);

    PressKey(window, Item(window, Frm_UpdateWindow::kCheckLinkId), VK_RETURN);

    EXPECT_EQ(window->Logic().Page().state, update::UpdateState::UpdateOffered);
    EXPECT_EQ(Text(Item(window, Frm_UpdateWindow::kResultId)), "Version 2.2 Build (14) is available for download.");
    EXPECT_EQ(ListRows(Item(window, Frm_UpdateWindow::kDetailsId)),
              (std::vector<std::string>{"Program Version : 2.2 Build (14)", "Date : 12 March 2024",
                                        "File Size : 5.2 MB Full Version, 1.1 MB For Update only"}));
    const HWND updateLink = Item(window, Frm_UpdateWindow::kDownloadUpdateId);
    const HWND fullLink = Item(window, Frm_UpdateWindow::kDownloadFullId);
    EXPECT_TRUE(::IsWindowVisible(updateLink));
    EXPECT_TRUE(::IsWindowVisible(fullLink));
    EXPECT_FALSE(::IsWindowVisible(Item(window, Frm_UpdateWindow::kCheckLinkId)));
    EXPECT_FALSE(::IsWindowVisible(Item(window, Frm_UpdateWindow::kStatusId)));
    // The focus left the hidden check link for the first download link.
    EXPECT_EQ(::GetFocus(), updateLink);
    EXPECT_FALSE(testing_support::Exists(program / "qxupdt.qdt"));

    PressKey(window, fullLink, VK_RETURN);
    EXPECT_EQ(system.dialogAddresses, (std::vector<std::string>{"https://downloads.clarimo.example/full.exe"}));
}

TEST_F(UpdateWindow, ACurrentProgramPutsTheFocusOnCancelAndEscCloses) {
    Publish("[programinfo]\r\nversion=2.1\r\nbuild=12\r\n");
    const auto window = Open();
    ASSERT_TRUE(window);
    PressKey(window, Item(window, Frm_UpdateWindow::kCheckLinkId), VK_RETURN);

    EXPECT_EQ(Text(Item(window, Frm_UpdateWindow::kStatusId)),
              "There are no available updates for clarimo for now\r\nYou are using the latest version.");
    const HWND cancel = Item(window, Frm_UpdateWindow::kCancelId);
    EXPECT_EQ(::GetFocus(), cancel);

    const HWND handle = window->Handle();
    PressKey(window, cancel, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(Frm_UpdateWindow::Current(), nullptr);
}

TEST_F(UpdateWindow, WithoutAConnectionTheBalloonTakesThePicturesPlace) {
    system.connected = false;
    const auto window = Open();
    ASSERT_TRUE(window);
    PressKey(window, Item(window, Frm_UpdateWindow::kCheckLinkId), VK_RETURN);

    EXPECT_EQ(Text(Item(window, Frm_UpdateWindow::kStatusId)), "No internet connection detected...");
    EXPECT_TRUE(::IsWindowVisible(Item(window, Frm_UpdateWindow::kErrorBalloonId)));
    EXPECT_FALSE(::IsWindowVisible(Item(window, Frm_UpdateWindow::kPictureId)));
    EXPECT_TRUE(::IsWindowVisible(Item(window, Frm_UpdateWindow::kCheckLinkId)));
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateWindow, ClosingTheWindowDuringAWaitEndsTheCheck) {
    Publish("[programinfo]\r\nversion=2.5\r\nsizefl=9 MB\r\nfilefl=https://downloads.clarimo.example/full.exe\r\n");
    auto window = Open();
    ASSERT_TRUE(window);
    const HWND handle = window->Handle();
    system.duringPause = [handle](size_t wait) {
        if (wait == 1) ::PostMessageW(handle, WM_CLOSE, 0, 0);
    };
    const HWND link = Item(window, Frm_UpdateWindow::kCheckLinkId);
    window.reset();  // the window keeps itself alive while it is open

    ::SetFocus(link);
    ::PostMessageW(link, WM_KEYDOWN, VK_RETURN, 0);
    PumpDialogMessages(handle, 200);

    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_EQ(Frm_UpdateWindow::Current(), nullptr);
    EXPECT_EQ(system.pauses.size(), 1u);
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_FALSE(testing_support::Exists(program / "qxupdt.qdt"));
}

TEST_F(UpdateWindow, RunsModallyOverItsOwnerUntilClosedOrTheProgramEnds) {
    const testing_support::TestWindow owner(300, 200);
    // Opened from a page (a child of the main window): the main window is the owner.
    const HWND page = ::CreateWindowExW(0, L"STATIC", L"page", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, owner.hwnd(),
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    auto window = Frm_UpdateWindow::Open(page, system, program.path());
    ASSERT_TRUE(window);
    const HWND first = window->Handle();
    EXPECT_EQ(::GetWindow(first, GW_OWNER), owner.hwnd());
    bool ownerEnabled = true;
    {
        const testing_support::ModalSteps esc({[&] {
                                                  ownerEnabled = ::IsWindowEnabled(owner.hwnd()) != FALSE;
                                                  // Through the modal loop's dialog handling.
                                                  ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
                                                  return true;
                                              }},
                                              [first] { return first; });
        window->RunModal();
    }
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
    EXPECT_FALSE(::IsWindow(first));

    window = Frm_UpdateWindow::Open(owner.hwnd(), system, program.path());
    ASSERT_TRUE(window);
    const HWND second = window->Handle();
    {
        const testing_support::ModalSteps quit({[] {
                                                   ::PostQuitMessage(7);
                                                   return true;
                                               }},
                                               [second] { return second; });
        window->RunModal();
    }
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_TRUE(::IsWindowEnabled(owner.hwnd()));
    // The quit message is left for the program's own loop.
    MSG message;
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST_F(UpdateWindow, FollowsAChangeOfDpi) {
    const auto window = Open();
    ASSERT_TRUE(window);
    const HWND status = Item(window, Frm_UpdateWindow::kStatusId);
    const auto fontBefore = ::SendMessageW(status, WM_GETFONT, 0, 0);
    const int dpi = window->Dpi();
    RECT frame{};
    ::GetWindowRect(window->Handle(), &frame);

    ::SendMessageW(window->Handle(), WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&frame));

    EXPECT_EQ(window->Dpi(), 2 * dpi);
    EXPECT_NE(::SendMessageW(status, WM_GETFONT, 0, 0), fontBefore);  // made again at the new DPI
}

}  // namespace
