// The minimal main window on screen (needs the X display).
#include "shell/frm_main_window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "core/settings.h"
#include "platform/ui.h"
#include "support/temp_folder.h"

namespace {

using namespace std::chrono_literals;

// Runs the message loop's work until done() or the limit; false on timeout.
template <typename Done>
bool PumpUntil(Done done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (platform::TranslateDialogKeys(msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
    return true;
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = keys.end(); key != keys.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class FrmMainWindowTest : public testing::Test {
protected:
    void SetUp() override { core::SetSettingsPaths(folder_.path()); }
    void TearDown() override { ::SetErrorMode(errorMode_); }

    const UINT errorMode_ = ::GetErrorMode();
    testing_support::TempFolder folder_;
};

TEST_F(FrmMainWindowTest, ShowsCaptionAndCloseButtonAndClosesWithEachKey) {
    const struct {
        const char* name;
        std::initializer_list<WORD> keys;
    } cases[] = {{"Alt+C", {VK_MENU, 'C'}}, {"Esc", {VK_ESCAPE}}, {"Enter", {VK_RETURN}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int ended = 0;
        shell::FrmMain form([&] { ++ended; });
        shell::FrmMainWindow window(form);
        ASSERT_TRUE(window.Show());
        const HWND handle = window.Handle();
        EXPECT_EQ(core::ReadIni(core::MainIniPath, "Main", "Trm", ""), "0");
        wchar_t text[64] = {};
        ::GetWindowTextW(handle, text, 64);
        EXPECT_STREQ(text, L"Clarimo 2.1");
        const HWND button = ::FindWindowExW(handle, nullptr, L"Button", nullptr);
        ASSERT_NE(button, nullptr);
        ::GetWindowTextW(button, text, 64);
        EXPECT_STREQ(text, L"Close");

        ::SetForegroundWindow(handle);
        ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == button; }, 5s));
        PressKeys(c.keys);
        EXPECT_TRUE(PumpUntil([&] { return ended > 0; }, 5s));
        EXPECT_EQ(ended, 1);
        EXPECT_EQ(window.Handle(), nullptr);  // the window went with the shut-down
        EXPECT_EQ(core::ReadIni(core::MainIniPath, "Main", "Trm", ""), "1");
    }
}

}  // namespace
