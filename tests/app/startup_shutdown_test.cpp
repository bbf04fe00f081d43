// Start-up, shut-down and the main window's place in the real program: each
// test runs its own copy of Clarimo.exe, with its own settings file beside it.
#include <gtest/gtest.h>

#include "core/maker.h"
#include "core/settings.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

using namespace std::chrono_literals;
using namespace testing_support;

namespace {

// Generous: the machine is shared and a cold Wine start takes seconds.
constexpr auto kStartLimit = 60s;
constexpr char kMainTitle[] = "Clarimo 2.1";
constexpr wchar_t kMainClass[] = L"ClarimoMain";

class ClarimoRun : public testing::Test {
protected:
    void SetUp() override {
        MakeFolder(programFolder_);
        ASSERT_TRUE(CopyFileTo(BesideTestProgram("Clarimo.exe"), exe_));
    }

    std::string Setting(const std::string& key) { return core::ReadIni(ini_, "Main", key, "<missing>"); }

    // Fails the test when a message box comes before the main window.
    HWND StartToMainWindow(ChildProcess& process) {
        process = ChildProcess::Start(exe_);
        const HWND window = WaitForTopLevelWindow(process.id(), kMainTitle, kMainClass, kStartLimit);
        const HWND box = FindMessageBox(process.id(), "Clarimo");
        EXPECT_EQ(box, nullptr) << MessageBoxText(box);
        return window;
    }

    static RECT Rect(HWND window) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return rect;
    }

    std::optional<DWORD> Close(const ChildProcess& process, HWND window) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        return process.WaitForExit(30s);
    }

    TempFolder folder_;
    // A folder name outside any ANSI code page: the settings file must still
    // be found beside the executable.
    std::string programFolder_ = folder_ / "Clarimo \xC3\xBC\xD0\xB4\xD0\xBE\xD0\xBC \xE6\x96\x87";
    std::string exe_ = programFolder_ + "\\Clarimo.exe";
    std::string ini_ = programFolder_ + "\\Qxs.ini";
};

TEST_F(ClarimoRun, OpensWhereItWasClosedAndASecondCopyIsRefusedAndRestoresTheFirst) {
    core::WriteIni(ini_, "Main", "WinX", "-5000");  // off every monitor: centred
    core::WriteIni(ini_, "Main", "WinY", "-4000");
    ChildProcess first;
    HWND window = StartToMainWindow(first);
    ASSERT_NE(window, nullptr);
    RECT work{}, rect = Rect(window);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(rect.left + rect.right, work.left + work.right, 2);
    EXPECT_NEAR(rect.top + rect.bottom, work.top + work.bottom, 2);
    ::SetWindowPos(window, nullptr, 37, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Close(first, window), std::optional<DWORD>(1));
    EXPECT_EQ(Setting("WinX") + "," + Setting("WinY"), "37,45");
    window = StartToMainWindow(first);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Rect(window).left, 37);
    EXPECT_EQ(Rect(window).top, 45);

    // The second copy refuses before it writes anything, then brings the
    // minimised first window back once its message is read.
    ::ShowWindow(window, SW_MINIMIZE);
    const std::string settings = ReadFileBytes(ini_);
    ChildProcess second = ChildProcess::Start(exe_);
    const HWND box = WaitForMessageBox(second.id(), "Clarimo", kStartLimit);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Can,t open another copy of Clarimo");
    EXPECT_TRUE(::IsIconic(window));
    EXPECT_TRUE(PressMessageBoxButton(box, IDOK, 10s));
    EXPECT_TRUE(second.WaitForExit(30s).has_value());
    EXPECT_EQ(ReadFileBytes(ini_), settings);
    EXPECT_FALSE(::IsIconic(window));
    EXPECT_EQ(::GetForegroundWindow(), window);
    EXPECT_EQ(Rect(window).left, 37);
    EXPECT_EQ(Close(first, window), std::optional<DWORD>(1));
    EXPECT_EQ(Setting("Trm"), "1");
}

TEST_F(ClarimoRun, KilledRunIsReportedAtTheNextStartAndAnOrderlyCloseMarksTheEnd) {
    {
        ChildProcess process;
        ASSERT_NE(StartToMainWindow(process), nullptr);  // a first start warns of nothing
        EXPECT_EQ(Setting("Trm"), "0");
        process.Kill();
    }
    ChildProcess process = ChildProcess::Start(exe_);
    const HWND box = WaitForMessageBox(process.id(), "Clarimo", kStartLimit);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), std::string("Clarimo was not closed correctlly in last time\r\n"
                                               "if there is a problem with this program please contact me at :\r\n") +
                                       core::maker::kContactEmail);
    // The program waits for the warning before it goes on.
    EXPECT_EQ(FindTopLevelWindow(process.id(), kMainTitle, kMainClass), nullptr);
    ASSERT_TRUE(PressMessageBoxButton(box, IDOK, 10s));
    const HWND window = WaitForTopLevelWindow(process.id(), kMainTitle, kMainClass, kStartLimit);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Close(process, window), std::optional<DWORD>(1));
    EXPECT_EQ(Setting("Trm") + "|" + Setting("Cb") + "|" + Setting("Vmode"), "1| 0|0");
}

TEST_F(ClarimoRun, SessionEndCountsAsAnOrderlyEnd) {
    WriteFile(ini_, "[Main]\r\nCb=4\r\nVmode=1\r\n");
    {
        ChildProcess process;
        const HWND window = StartToMainWindow(process);
        ASSERT_NE(window, nullptr);
        DWORD_PTR agreed = 0;
        ASSERT_TRUE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &agreed));
        EXPECT_EQ(agreed, static_cast<DWORD_PTR>(TRUE));
        ASSERT_TRUE(::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000, &agreed));
        EXPECT_EQ(Setting("Trm") + "|" + Setting("Cb") + "|" + Setting("Vmode"), "1| 4|1");
        process.Kill();  // as Windows does once the session ends
    }
    ChildProcess next;  // starts without a warning
    EXPECT_NE(StartToMainWindow(next), nullptr);
}

}  // namespace
