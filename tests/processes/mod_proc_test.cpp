#include "processes/mod_proc.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/process_info.h"
#include "platform/utf.h"
#include "proc_fixture.h"

using namespace processes;
using testing_support::ChildProcess;

TEST(ModProc, UnknownClassesShowAsNormalAndTimesHaveNoLeadingZeros) {
    EXPECT_EQ(PriorityName(12345) + GetProcPriority(0x7FFFFFF0) + std::to_string(PriorityIndex(0)), "Normal03");
    EXPECT_EQ(StartTimeText(14, 3, 9), "14:3.9");
}

TEST(ModProc, EndsOnlyTheProcessCreatedAtTheExpectedTime) {
    ChildProcess helper = proc_test::StartIdle();
    const auto created = platform::ProcessCreationTime(helper.id());
    ASSERT_TRUE(created.has_value());
    // Another creation time stands for another program holding the identifier.
    EXPECT_FALSE(TerminateProc(helper.id(), *created + 1));
    EXPECT_TRUE(helper.Running());

    EXPECT_TRUE(TerminateProc(helper.id(), *created));
    EXPECT_EQ(helper.WaitForExit(std::chrono::seconds(10)), std::optional<DWORD>(0));
    // Ended already (the test still holds a handle to it): nothing to end.
    EXPECT_FALSE(TerminateProc(helper.id()));
}

TEST(ProcessModules, AThirtyTwoBitProgramListsItsOwnModules) {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemWow64DirectoryW(folder, MAX_PATH);
    const std::string ping = platform::ToUtf8(std::wstring_view(folder, length)) + "\\ping.exe";
    if (length == 0 || !platform::FileExists(ping)) GTEST_SKIP() << "no 32-bit programs in this prefix";
    // Any 32-bit program that stays a while.
    ChildProcess program = ChildProcess::Start(ping, "-n 300 127.0.0.1");
    std::vector<platform::ModuleEntry> modules;
    for (int i = 0; i < 500 && modules.size() < 2; ++i, ::Sleep(10)) modules = platform::SnapshotModules(program.id());
    ASSERT_FALSE(modules.empty());
    EXPECT_EQ(platform::UpperCaseForComparison(modules[0].name), "PING.EXE");
    EXPECT_EQ(platform::UpperCaseForComparison(modules[0].path), platform::UpperCaseForComparison(ping));
}
