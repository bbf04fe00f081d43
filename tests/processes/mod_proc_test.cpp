#include "processes/mod_proc.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/process_info.h"
#include "proc_fixture.h"

using namespace processes;
using testing_support::ChildProcess;

namespace {
constexpr uint32_t kNoSuchProcess = 0x7FFFFFF0;
}

TEST(ModProc, PriorityNamesMenuPositionsAndStartTimeTexts) {
    const struct {
        uint32_t priorityClass;
        const char* name;
        int index;
    } table[] = {{256, "Real Time", 0},      {128, "High", 1}, {32768, "Above Normal", 2}, {32, "Normal", 3},
                 {16384, "Below Normal", 4}, {64, "Low", 5},   {0, "Normal", 3},           {12345, "Normal", 3}};
    for (const auto& row : table) {
        EXPECT_EQ(PriorityName(row.priorityClass), row.name) << row.priorityClass;
        EXPECT_EQ(PriorityIndex(row.priorityClass), row.index) << row.priorityClass;
        if (row.priorityClass != 0 && row.priorityClass != 12345) {
            EXPECT_EQ(PriorityClassAt(row.index), row.priorityClass);
        }
    }
    EXPECT_EQ(PriorityClassAt(6), 0u);
    EXPECT_EQ(PriorityClassAt(-1), 0u);
    EXPECT_EQ(PriorityFromText("16384"), 16384u);
    EXPECT_EQ(PriorityFromText("12x"), 0u);
    EXPECT_EQ(PriorityFromText(""), 0u);
    // Start times without leading zeros.
    EXPECT_EQ(StartTimeText(14, 3, 9), "14:3.9");
    EXPECT_EQ(StartTimeText(9, 5, 7), "9:5.7");
    EXPECT_EQ(StartTimeText(23, 59, 59), "23:59.59");
}

TEST(ModProc, ReadsAndChangesARunningProcess) {
    ChildProcess helper = proc_test::StartIdle();
    const uint32_t id = helper.id();
    EXPECT_EQ(GetProcPriority(id), "32");
    SetProcPriority(id, kBelowNormal);
    EXPECT_EQ(GetProcPriority(id), "16384");

    EXPECT_GT(std::stoull(GetProcMemory(id)), 0u);
    EXPECT_EQ(GetProcPath(id), testing_support::BesideTestProgram("proc_idle.exe"));
    EXPECT_TRUE(std::regex_match(GetProcStartTime(id), std::regex(R"(\d{1,2}:\d{1,2}\.\d{1,2})")))
        << GetProcStartTime(id);

    // Nothing to open: the failure values, not an error.
    EXPECT_EQ(GetProcPriority(kNoSuchProcess), "0");
    EXPECT_EQ(GetProcMemory(kNoSuchProcess), "0");
    EXPECT_EQ(GetProcPath(kNoSuchProcess), "");
    EXPECT_EQ(GetProcStartTime(kNoSuchProcess), "");
    EXPECT_FALSE(TerminateProc(kNoSuchProcess));
}

TEST(ModProc, EndsOnlyTheProcessCreatedAtTheExpectedTime) {
    ChildProcess helper = proc_test::StartIdle();
    const auto created = platform::ProcessCreationTime(helper.id());
    ASSERT_TRUE(created.has_value());
    // Another creation time stands for another program holding the identifier.
    EXPECT_FALSE(TerminateProc(helper.id(), *created + 1));
    EXPECT_TRUE(helper.Running());

    EXPECT_TRUE(TerminateProc(helper.id(), *created));
    const auto exitCode = helper.WaitForExit(std::chrono::seconds(10));
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    // Ended already (the test still holds a handle to it): nothing to end.
    EXPECT_FALSE(TerminateProc(helper.id()));
}
