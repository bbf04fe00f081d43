// The junk cleaner run from the command line: the real Clarimo.exe in a
// folder of its own, its output read through a pipe, on a drive of the test.
#include "junk/junk_command_line.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "core/startup_shutdown.h"
#include "junk/frm_junk.h"
#include "junk/junk_types.h"
#include "platform/long_path.h"
#include "platform/mutex.h"
#include "support/child_process.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_drive.h"

using namespace testing_support;

namespace {

class JunkCommandLine : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileTo(BesideTestProgram("Clarimo.exe"), exe_));
        ASSERT_NE(drive_.letter(), 0);
        core::SetSettingsPaths(program_.path());
        WriteFile(tree_ / "a.tmp", "12345");
        MakeFolder(tree_ / "sub");
        WriteFile(tree_ / "sub\\\xC3\xA9\xE6\x96\x87.bak", "1234567890");  // not ASCII: UTF-8 through the pipe
        WriteFile(tree_ / "sub\\held.tmp", "xy");
        WriteFile(tree_ / "keep.txt", "x");
    }

    ProgramResult Run(const std::string& arguments) const {
        auto result = RunProgram("\"" + exe_ + "\" " + arguments, 120000);
        EXPECT_FALSE(result.timedOut) << arguments;  // e.g. waiting on a message box
        return result;
    }

    TempFolder program_, tree_;
    TestDrive drive_{tree_.path()};
    std::string exe_ = program_ / "Clarimo.exe";
    std::string drive_arg_ = drive_.root().substr(0, 2);
};

TEST_F(JunkCommandLine, ScanAndCleanPrintWhatThePageListsAndRemoves) {
    const auto scan = Run("/scan " + drive_arg_);
    EXPECT_EQ(scan.exitCode, 0u);
    EXPECT_FALSE(Exists(core::FtsIniPath));  // no settings written, not even the default types
    EXPECT_FALSE(Exists(core::MainIniPath));

    ScriptedPrompts prompts;
    junk::Frm_Junk page(prompts);
    page.LvDrives = {junk::DriveRow{drive_.root(), "", "", "", true}};
    page.Cmd_Scan_Click();
    ASSERT_EQ(page.LvResult.size(), 3u);
    std::string listed;
    for (const junk::ResultRow& row : page.LvResult) listed += row.Key + "\r\n";
    EXPECT_EQ(scan.output, listed + page.L2 + ", " + page.L3 + "\r\n");

    core::WriteIni(core::MainIniPath, "Options", "DType", "2");  // delete; the confirmation is on
    const std::string settings = ReadFileBytes(core::MainIniPath) + ReadFileBytes(core::FtsIniPath);
    const platform::UniqueHandle held(::CreateFileW(platform::ToSystemPath(tree_ / "sub\\held.tmp").c_str(),
                                                    GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const auto clean = Run("/clean " + drive_arg_);
    EXPECT_EQ(clean.exitCode, 1u);
    const std::string stayed = drive_.root() + "sub\\held.tmp\t";
    EXPECT_EQ(clean.output.rfind(stayed, 0), 0u) << clean.output;
    EXPECT_EQ(clean.output.find("\r\n"), clean.output.rfind("\r\nCleaned Space : 15 Byte, Files : 2\r\n"));
    EXPECT_TRUE(Exists(tree_ / "sub\\held.tmp"));
    EXPECT_FALSE(Exists(tree_ / "a.tmp"));
    EXPECT_TRUE(Exists(tree_ / "keep.txt"));
    EXPECT_EQ(ReadFileBytes(core::MainIniPath) + ReadFileBytes(core::FtsIniPath), settings);
}

TEST_F(JunkCommandLine, ExitCodesWhileTheWindowRuns) {
    // A window's lock: the command line neither waits for it nor says that
    // another copy runs.
    const auto window = platform::NamedMutex::Create(core::kAppMutexName, true);
    char missing = 'Y';
    while (::GetLogicalDrives() & (1u << (missing - 'A'))) --missing;
    const struct {
        std::string arguments;
        uint32_t exitCode;
        std::string printed;
    } cases[] = {
        {"/?", 0, "Usage: Clarimo.exe /scan"},
        {"/SCAN", 0, drive_.root() + "a.tmp\r\n"},  // every fixed drive, the test drive too
        {"/erase", 2, "Unknown command: /erase\r\nUsage: "},
        {"/scan " + drive_arg_ + " now", 2, "Not a drive: now"},
        {"/clean " + std::string(1, missing) + ":", 2, ": is not a drive the junk cleaner searches."},
    };
    for (const auto& c : cases) {
        const auto run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_NE(run.output.find(c.printed), std::string::npos) << c.arguments << ": " << run.output;
    }

    // Refused, with nothing removed.
    const auto expectRefused = [&](const std::string& arguments, const std::string& message) {
        const auto run = Run(arguments);
        EXPECT_EQ(run.exitCode, 3u) << arguments;
        EXPECT_EQ(run.output.rfind(message, 0), 0u) << run.output;
    };
    {
        const auto otherClean = platform::NamedMutex::Create(junk::kJunkCleanMutexName, true);
        expectRefused("/clean " + drive_arg_, "Another clean is running.\r\n");
    }
    core::WriteIni(core::MainIniPath, "Options", "DType", "3");
    core::WriteIni(core::MainIniPath, "Options", "TMove", program_ / "gone");
    expectRefused("/clean " + drive_arg_, "The folder to move removed files to cannot be found:");
    junk::SaveTypeList({{"*.tmp", "", false}});
    expectRefused("/scan " + drive_arg_, "Please check the files types you want to search for.\r\n");
    EXPECT_TRUE(Exists(tree_ / "a.tmp"));
}

}  // namespace
