// Start-up and shut-down of the real program, across real processes: each
// test runs its own copy of Clarimo.exe in a folder of its own, so that each
// has its own settings file beside the executable.
#include <gtest/gtest.h>

#include "core/maker.h"
#include "core/settings.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

using namespace std::chrono_literals;
using testing_support::ChildProcess;

namespace {

// Generous: the machine is shared and a cold Wine start takes seconds.
constexpr auto kStartLimit = 60s;
constexpr auto kExitLimit = 30s;
constexpr char kMainTitle[] = "Clarimo 2.1";
constexpr wchar_t kMainClass[] = L"ClarimoMain";

class ClarimoRun : public testing::Test {
protected:
    void SetUp() override {
        testing_support::MakeFolder(programFolder_);
        ASSERT_TRUE(testing_support::CopyFileTo(testing_support::BesideTestProgram("Clarimo.exe"), exe_));
    }

    std::string Setting(const std::string& key) { return core::ReadIni(ini_, "Main", key, "<missing>"); }

    ChildProcess Start() { return ChildProcess::Start(exe_); }

    // Starts the program and waits for its main window; fails the test when
    // a message box comes first.
    HWND StartToMainWindow(ChildProcess& process) {
        process = Start();
        const HWND window = testing_support::WaitForTopLevelWindow(process.id(), kMainTitle, kMainClass, kStartLimit);
        EXPECT_NE(window, nullptr) << "no main window; message box: "
                                   << testing_support::MessageBoxText(
                                          testing_support::FindMessageBox(process.id(), "Clarimo"));
        EXPECT_EQ(testing_support::FindMessageBox(process.id(), "Clarimo"), nullptr);
        return window;
    }

    // The exit code after an orderly close through WM_CLOSE.
    std::optional<DWORD> Close(const ChildProcess& process, HWND window) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
        return process.WaitForExit(kExitLimit);
    }

    testing_support::TempFolder folder_;
    // A folder name outside any ANSI code page: the settings file must still
    // be found beside the executable.
    std::string programFolder_ = folder_ / "Clarimo \xC3\xBC\xD0\xB4\xD0\xBE\xD0\xBC \xE6\x96\x87";
    std::string exe_ = programFolder_ + "\\Clarimo.exe";
    std::string ini_ = programFolder_ + "\\Qxs.ini";
};

TEST_F(ClarimoRun, FirstStartWarnsOfNothingAndAnOrderlyCloseMarksTheEnd) {
    ASSERT_FALSE(testing_support::Exists(ini_));
    ChildProcess process;
    const HWND window = StartToMainWindow(process);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Setting("Trm"), "0");

    EXPECT_EQ(Close(process, window), std::optional<DWORD>(1));
    EXPECT_EQ(Setting("Trm"), "1");
    EXPECT_EQ(Setting("Cb"), " 0");
    EXPECT_EQ(Setting("Vmode"), "0");
}

TEST_F(ClarimoRun, SecondCopyIsRefusedAndLeavesTheFirstAlone) {
    ChildProcess first;
    const HWND window = StartToMainWindow(first);
    ASSERT_NE(window, nullptr);

    ChildProcess second = Start();
    const HWND box = testing_support::WaitForMessageBox(second.id(), "Clarimo", kStartLimit);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testing_support::MessageBoxText(box), "Can,t open another copy of Clarimo");
    EXPECT_TRUE(testing_support::PressMessageBoxButton(box, IDOK, 10s));
    EXPECT_TRUE(second.WaitForExit(kExitLimit).has_value());
    EXPECT_EQ(testing_support::FindTopLevelWindow(second.id(), kMainTitle, kMainClass), nullptr);

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(::IsWindow(window));
    // What the refused copy could have written at start-up or shut-down.
    EXPECT_EQ(Setting("Trm"), "0");
    EXPECT_EQ(Setting("Cb"), "<missing>");
    EXPECT_EQ(Setting("Vmode"), "<missing>");

    // The refused copy took nothing with it: the first still ends in order.
    EXPECT_EQ(Close(first, window), std::optional<DWORD>(1));
    EXPECT_EQ(Setting("Trm"), "1");
}

TEST_F(ClarimoRun, KilledRunIsReportedOnceAtTheNextStart) {
    {
        ChildProcess process;
        ASSERT_NE(StartToMainWindow(process), nullptr);
        process.Kill();
    }
    EXPECT_EQ(Setting("Trm"), "0");

    ChildProcess process = Start();
    const HWND box = testing_support::WaitForMessageBox(process.id(), "Clarimo", kStartLimit);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testing_support::MessageBoxText(box),
              std::string("Clarimo was not closed correctlly in last time\r\n"
                          "if there is a problem with this program please contact me at :\r\n") +
                  core::maker::kContactEmail);
    // The program waits for the warning before it goes on.
    EXPECT_EQ(testing_support::FindTopLevelWindow(process.id(), kMainTitle, kMainClass), nullptr);
    ASSERT_TRUE(testing_support::PressMessageBoxButton(box, IDOK, 10s));
    const HWND window = testing_support::WaitForTopLevelWindow(process.id(), kMainTitle, kMainClass, kStartLimit);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Close(process, window), std::optional<DWORD>(1));
    EXPECT_EQ(Setting("Trm"), "1");

    // After the orderly end the next start is quiet.
    ChildProcess next;
    const HWND nextWindow = StartToMainWindow(next);
    ASSERT_NE(nextWindow, nullptr);
    EXPECT_EQ(Close(next, nextWindow), std::optional<DWORD>(1));
}

TEST_F(ClarimoRun, SessionEndCountsAsAnOrderlyEnd) {
    testing_support::WriteFile(ini_, "[Main]\r\nCb=4\r\nVmode=1\r\n");
    {
        ChildProcess process;
        const HWND window = StartToMainWindow(process);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Setting("Trm"), "0");
        DWORD_PTR agreed = 0;
        ASSERT_TRUE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &agreed));
        EXPECT_EQ(agreed, static_cast<DWORD_PTR>(TRUE));
        ASSERT_TRUE(::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 10000, &agreed));
        EXPECT_EQ(Setting("Trm"), "1");
        EXPECT_EQ(Setting("Cb"), " 4");
        EXPECT_EQ(Setting("Vmode"), "1");
        process.Kill();  // as Windows does once the session ends
    }
    ChildProcess next;
    const HWND window = StartToMainWindow(next);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Close(next, window), std::optional<DWORD>(1));
}

}  // namespace
