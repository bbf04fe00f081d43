#include "core/general.h"

#include <windows.h>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "core/settings.h"
#include "platform/handles.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"

namespace {

int timerTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }

// A clock that stands still until its timer has ticked ten times (half a
// second at least), then passes the end of a 0.2-second pause.
uint64_t testNow = 0;
uint64_t TestClock() { return testNow; }
void CALLBACK MoveTestClock(HWND, UINT, UINT_PTR, DWORD) {
    if (++timerTicks == 10) testNow += 200;
    if (timerTicks == 40) ::PostQuitMessage(0);  // ends a pause that missed it
}

bool TakeMessage(UINT message) {
    MSG taken{};
    return ::PeekMessageW(&taken, nullptr, message, message, PM_REMOVE);
}

// Checked on a copy of the process token, as PrivilegeCheck wants one.
bool ShutdownPrivilegeEnabled() {
    platform::UniqueHandle token;
    PRIVILEGE_SET wanted{1, PRIVILEGE_SET_ALL_NECESSARY, {}};
    BOOL enabled = FALSE;
    const bool copied = ::ImpersonateSelf(SecurityImpersonation) &&
                        ::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, token.put());
    ::RevertToSelf();
    return copied && ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &wanted.Privilege[0].Luid) &&
           ::PrivilegeCheck(token.get(), &wanted, &enabled) && enabled;
}

}  // namespace

TEST(General, PauseHandlesMessagesAndTimersAndEndsOnQuit) {
    for (const double seconds : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN(), 0.1}) {
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0);
        core::Pause(seconds);
        EXPECT_FALSE(TakeMessage(WM_APP)) << "waiting message left by a pause of " << seconds;
    }
    timerTicks = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CountTick);
    ULONGLONG start = ::GetTickCount64();
    core::Pause(0.4);
    EXPECT_GE(::GetTickCount64() - start, 350u);
    ::KillTimer(nullptr, timer);
    EXPECT_GE(timerTicks, 1);

    // A quit ends a long pause and stays for the main loop.
    ::PostQuitMessage(7);
    start = ::GetTickCount64();
    core::Pause(30);
    EXPECT_LT(::GetTickCount64() - start, 5000u);
    MSG message{};
    ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

// The user may set the date and time back or forward during a pause; Wine
// refuses SetSystemTime, so the pause's own clock is swapped instead.
TEST(General, PauseMeasuresOnTheTickCountAndNoOtherClock) {
    const int64_t fromTickCount = static_cast<int64_t>(core::PauseClock() - ::GetTickCount64());
    EXPECT_LT(std::abs(fromTickCount), 1000) << "the pause clock is not the system's tick count";

    const auto systemClock = core::PauseClock;
    core::PauseClock = &TestClock;
    timerTicks = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &MoveTestClock);
    core::Pause(0.2);
    const int ticks = timerTicks;
    ::KillTimer(nullptr, timer);
    core::PauseClock = systemClock;
    EXPECT_GE(ticks, 10) << "ended by another clock while its own stood still";
    EXPECT_FALSE(TakeMessage(WM_QUIT)) << "went on after its own clock passed";
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
    EXPECT_TRUE(requests.empty());
    EXPECT_FALSE(testing_support::Exists(core::MainIniPath));

    core::WriteIni(core::MainIniPath, "Main", "Trm", "0");
    testing_support::ScriptedPrompts accepting;
    accepting.messageAnswers = {core::PromptAnswer::Yes};
    core::RestartWindows(accepting, recordRequest);
    EXPECT_EQ(core::ReadIni(core::MainIniPath, "Main", "Trm", ""), "1");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], static_cast<uint32_t>(EWX_REBOOT | EWX_FORCEIFHUNG));
    EXPECT_TRUE(ShutdownPrivilegeEnabled()) << "not seen as an NT-based Windows";
}
