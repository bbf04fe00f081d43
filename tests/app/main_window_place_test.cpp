// The real program's main window: where it opens, and a second start that
// brings the running copy's window forward.
#include <gtest/gtest.h>

#include "core/settings.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

using namespace std::chrono_literals;
using namespace testing_support;

namespace {

constexpr auto kLimit = 60s;  // a cold Wine start on a shared machine takes seconds

class MainWindowPlace : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyFileTo(BesideTestProgram("Clarimo.exe"), exe_)); }
    HWND Start(ChildProcess& process) {
        process = ChildProcess::Start(exe_);
        return WaitForTopLevelWindow(process.id(), "Clarimo 2.1", L"ClarimoMain", kLimit);
    }
    static RECT Rect(HWND window) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return rect;
    }
    TempFolder folder_;
    std::string exe_ = folder_ / "Clarimo.exe";
    std::string ini_ = folder_ / "Qxs.ini";
};

TEST_F(MainWindowPlace, OpensWhereItWasClosedWhileThatIsOnAMonitorAndASecondStartRestoresIt) {
    core::WriteIni(ini_, "Main", "WinX", "-5000");  // off every monitor: centred as before
    core::WriteIni(ini_, "Main", "WinY", "-4000");
    ChildProcess process;
    HWND window = Start(process);
    ASSERT_NE(window, nullptr);
    RECT work{}, rect = Rect(window);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(rect.left + rect.right, work.left + work.right, 2);
    EXPECT_NEAR(rect.top + rect.bottom, work.top + work.bottom, 2);

    ::SetWindowPos(window, nullptr, 37, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(process.WaitForExit(30s).has_value());
    EXPECT_EQ(core::ReadIni(ini_, "Main", "WinX", ""), "37");
    EXPECT_EQ(core::ReadIni(ini_, "Main", "WinY", ""), "45");
    window = Start(process);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Rect(window).left, 37);
    EXPECT_EQ(Rect(window).top, 45);

    // A second start still refuses, then brings the minimised first window back.
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(window));
    ChildProcess second = ChildProcess::Start(exe_);
    const HWND box = WaitForMessageBox(second.id(), "Clarimo", kLimit);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Can,t open another copy of Clarimo");
    EXPECT_TRUE(::IsIconic(window));  // not before the message is read
    EXPECT_TRUE(PressMessageBoxButton(box, IDOK, 10s));
    EXPECT_TRUE(second.WaitForExit(30s).has_value());
    EXPECT_FALSE(::IsIconic(window));
    EXPECT_EQ(::GetForegroundWindow(), window);
    EXPECT_EQ(Rect(window).left, 37);
}

}  // namespace
