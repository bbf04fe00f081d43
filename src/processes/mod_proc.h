// The process procedures the process page, its menu and the details window
// share: priority, memory, path, start time, ending a process, and the
// names and menu positions of the priority classes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace processes {

constexpr uint32_t kRealTime = 256;
constexpr uint32_t kHigh = 128;
constexpr uint32_t kAboveNormal = 32768;
constexpr uint32_t kNormal = 32;
constexpr uint32_t kBelowNormal = 16384;
constexpr uint32_t kLow = 64;

// The class as decimal text; "0" when the process cannot be opened.
std::string GetProcPriority(uint32_t processId);
void SetProcPriority(uint32_t processId, uint32_t priorityClass);
// The working set in bytes as decimal text; "0" on failure.
std::string GetProcMemory(uint32_t processId);
// The executable's full path; "" on failure.
std::string GetProcPath(uint32_t processId);
// The creation time of day, local, as "H:M.S" without leading zeros; "" on
// failure.
std::string GetProcStartTime(uint32_t processId);
std::string StartTimeText(int hour, int minute, int second);
// Non-zero when the process was ended (exit code 0). With a creation time,
// only a process created at that time is ended.
bool TerminateProc(uint32_t processId, std::optional<uint64_t> expectedCreationTime = std::nullopt);

// "Real Time", "High", "Above Normal", "Normal", "Below Normal", "Low";
// any other value is "Normal".
std::string PriorityName(uint32_t priorityClass);
// Menu position 0..5 in the order above; any other value gives 3.
int PriorityIndex(uint32_t priorityClass);
// The class at menu position 0..5; 0 for any other index.
uint32_t PriorityClassAt(int index);
// Decimal text as a class; 0 for anything else.
uint32_t PriorityFromText(const std::string& text);

}  // namespace processes
