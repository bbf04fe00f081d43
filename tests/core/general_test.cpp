#include "core/general.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "platform/handles.h"
#include "platform/module_path.h"
#include "platform/registry.h"
#include "support/run_program.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace {

// A message-only window that counts what reaches it.
class CountingWindow {
public:
    CountingWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &CountingWindow::Procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ClarimoCountingWindow";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(0, L"ClarimoCountingWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    windowClass.hInstance, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CountingWindow() { ::DestroyWindow(window_); }
    HWND get() const { return window_; }
    int posted = 0;
    int timerTicks = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<CountingWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == WM_APP) ++self->posted;
        if (self && message == WM_TIMER) ++self->timerTicks;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
};

// Sets the Windows version Wine reports to one program, for this test only.
class WineVersionFor {
public:
    WineVersionFor(const std::string& program, const std::string& version)
        : key_("Software\\Wine\\AppDefaults\\" + program) {
        platform::WriteRegValue(platform::RegistryRoot::CurrentUser, key_, "Version", platform::kRegSz, version);
    }
    ~WineVersionFor() {
        platform::RemoveRegValue(platform::RegistryRoot::CurrentUser, key_, "Version");
        platform::RemoveRegKey(platform::RegistryRoot::CurrentUser, key_);
    }

private:
    std::string key_;
};

struct ProbeAnswer {
    double version = -1;
    double build = -1;
    int win9x = -1;
};

ProbeAnswer RunVersionProbe() {
    const auto result = testing_support::RunProgram(
        std::string(1, '"').append(platform::ExecutableFolder()).append("\\version_probe.exe\""), 30000);
    ProbeAnswer answer;
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(std::sscanf(result.output.c_str(), "%lf %lf %d", &answer.version, &answer.build, &answer.win9x), 3)
        << result.output;
    return answer;
}

bool ShutdownPrivilegeEnabled() {
    platform::UniqueHandle token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
    LUID shutdown{};
    ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &shutdown);
    alignas(TOKEN_PRIVILEGES) BYTE buffer[4096];
    DWORD length = 0;
    if (!::GetTokenInformation(token.get(), TokenPrivileges, buffer, sizeof buffer, &length)) return false;
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer);
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        const LUID& luid = privileges->Privileges[i].Luid;
        if (luid.LowPart == shutdown.LowPart && luid.HighPart == shutdown.HighPart)
            return (privileges->Privileges[i].Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
    return false;
}

void PressKey(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof input);
    // Let the key state settle.
    for (int i = 0; i < 20 && ((::GetAsyncKeyState(key) & 0x8000) != 0) != down; ++i) core::Pause(0.01);
}

}  // namespace

TEST(General, PauseWaitsWhileMessagesAndTimersAreHandled) {
    CountingWindow window;
    ASSERT_TRUE(window.get());
    ::PostMessageW(window.get(), WM_APP, 0, 0);
    ::SetTimer(window.get(), 1, 50, nullptr);
    const ULONGLONG start = ::GetTickCount64();
    core::Pause(0.4);
    const ULONGLONG elapsed = ::GetTickCount64() - start;
    ::KillTimer(window.get(), 1);
    EXPECT_EQ(window.posted, 1);
    EXPECT_GE(window.timerTicks, 1);
    EXPECT_GE(elapsed, 350u);
    EXPECT_LT(elapsed, 10000u);
}

TEST(General, PauseOfNothingStillHandlesWaitingMessages) {
    CountingWindow window;
    for (const double seconds : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
        ::PostMessageW(window.get(), WM_APP, 0, 0);
        const ULONGLONG start = ::GetTickCount64();
        core::Pause(seconds);
        EXPECT_LT(::GetTickCount64() - start, 2000u);
    }
    EXPECT_EQ(window.posted, 3);
}

TEST(General, PauseEndsOnQuitAndLeavesTheQuitForTheMainLoop) {
    ::PostQuitMessage(7);
    const ULONGLONG start = ::GetTickCount64();
    core::Pause(30);
    EXPECT_LT(::GetTickCount64() - start, 5000u);
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(General, GetPressedKeyReportsTheFirstKeyHeld) {
    EXPECT_EQ(core::GetPressedKey(), 0);
    PressKey(VK_CONTROL, true);
    EXPECT_EQ(core::GetPressedKey(), VK_CONTROL);
    PressKey(VK_CONTROL, false);
    EXPECT_EQ(core::GetPressedKey(), 0) << "a key pressed earlier no longer counts";
}

TEST(General, WindowsVersionAsThePrefixReportsIt) {
    struct Case {
        const char* wine;
        double version;
        double build;
        int win9x;
    };
    // Windows 10 reports 6.2 to a program without a compatibility manifest.
    for (const Case& c : {Case{"win98", 4.1, 2222, 1}, Case{"winme", 4.9, 3000, 1}, Case{"win95", 4.0, 950, 0},
                          Case{"win2k", 5.0, 2195, 0}, Case{"winxp", 5.1, 2600, 0}, Case{"win10", 6.2, 9200, 0}}) {
        SCOPED_TRACE(c.wine);
        WineVersionFor version("version_probe.exe", c.wine);
        const ProbeAnswer answer = RunVersionProbe();
        EXPECT_DOUBLE_EQ(answer.version, c.version);
        EXPECT_DOUBLE_EQ(answer.build, c.build);
        EXPECT_EQ(answer.win9x, c.win9x);
    }
    EXPECT_EQ(core::GetWindowsVersion(2), 0);
    EXPECT_FALSE(core::IsWin9x());
}

TEST(General, RestartWindowsAsksThenEndsTheProgramInOrder) {
    testing_support::TempFolder folder;
    core::SetSettingsPaths(folder.path());
    std::vector<uint32_t> requests;
    const auto recordRequest = [&](uint32_t flags) { requests.push_back(flags); };

    testing_support::ScriptedPrompts declining;
    declining.messageAnswers = {core::PromptAnswer::No};
    core::RestartWindows(declining, recordRequest);
    ASSERT_EQ(declining.messages.size(), 1u);
    EXPECT_EQ(declining.messages[0].text, "Are you sure you want to restart your computer ?");
    EXPECT_EQ(declining.messages[0].title, "Restart Windows");
    EXPECT_EQ(declining.messages[0].icon, core::PromptIcon::Question);
    EXPECT_EQ(declining.messages[0].buttons, core::PromptButtons::YesNo);
    EXPECT_TRUE(requests.empty());
    EXPECT_FALSE(testing_support::Exists(core::MainIniPath));

    core::WriteIni(core::MainIniPath, "Main", "Trm", "0");
    testing_support::ScriptedPrompts accepting;
    accepting.messageAnswers = {core::PromptAnswer::Yes};
    core::RestartWindows(accepting, recordRequest);
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Main", "Trm", ""), "1");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], static_cast<uint32_t>(EWX_REBOOT | EWX_FORCEIFHUNG));
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
}

TEST(General, WindowHelpers) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const HWND main = ::CreateWindowExW(0, L"STATIC", L"Clarimo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300,
                                        nullptr, nullptr, instance, nullptr);
    ASSERT_TRUE(main);
    const HWND page =
        ::CreateWindowExW(0, L"STATIC", L"page", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
    const HWND box = ::CreateWindowExW(0, L"EDIT", L"some text", WS_CHILD | WS_VISIBLE, 0, 0, 200, 24, main, nullptr,
                                       instance, nullptr);

    const int height = core::TitleBarHeight(main);
    EXPECT_GT(height, 0);
    EXPECT_LE(std::abs(height - ::GetSystemMetrics(SM_CYCAPTION)), 4);
    EXPECT_EQ(core::TitleBarHeight(nullptr), 0);

    core::EmbedWindow(page, main);
    EXPECT_EQ(::GetAncestor(page, GA_PARENT), main);

    core::SelectAllText(box);
    DWORD first = 99;
    DWORD last = 99;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(first, 0u);
    EXPECT_EQ(last, 9u);
    EXPECT_EQ(::GetFocus(), box);

    ::DestroyWindow(main);
}

TEST(General, ComputerAndUserNames) {
    EXPECT_FALSE(core::GetComputerNameText().empty());
    EXPECT_FALSE(core::GetUserNameText().empty());
    EXPECT_EQ(core::GetComputerNameText().find('\0'), std::string::npos);
}
