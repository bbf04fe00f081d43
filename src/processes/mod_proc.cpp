#include "processes/mod_proc.h"

#include <array>
#include <charconv>

#include "platform/process_info.h"

namespace processes {
namespace {

struct PriorityRow {
    uint32_t priorityClass;
    const char* name;
};
// In menu order.
constexpr std::array<PriorityRow, 6> kPriorities = {{
    {kRealTime, "Real Time"},
    {kHigh, "High"},
    {kAboveNormal, "Above Normal"},
    {kNormal, "Normal"},
    {kBelowNormal, "Below Normal"},
    {kLow, "Low"},
}};

}  // namespace

std::string GetProcPriority(uint32_t processId) { return std::to_string(platform::ProcessPriorityClass(processId)); }

void SetProcPriority(uint32_t processId, uint32_t priorityClass) {
    platform::SetProcessPriorityClass(processId, priorityClass);
}

std::string GetProcMemory(uint32_t processId) { return std::to_string(platform::ProcessWorkingSet(processId)); }

std::string GetProcPath(uint32_t processId) { return platform::ProcessImagePath(processId); }

std::string StartTimeText(int hour, int minute, int second) {
    return std::to_string(hour) + ":" + std::to_string(minute) + "." + std::to_string(second);
}

std::string GetProcStartTime(uint32_t processId) {
    const auto created = platform::ProcessCreationTime(processId);
    if (!created) return {};
    const auto time = platform::LocalClockTime(*created);
    return time ? StartTimeText(time->hour, time->minute, time->second) : std::string();
}

bool TerminateProc(uint32_t processId, std::optional<uint64_t> expectedCreationTime) {
    return platform::TerminateProcessById(processId, 0, expectedCreationTime);
}

std::string PriorityName(uint32_t priorityClass) { return kPriorities[PriorityIndex(priorityClass)].name; }

int PriorityIndex(uint32_t priorityClass) {
    for (size_t i = 0; i < kPriorities.size(); ++i)
        if (kPriorities[i].priorityClass == priorityClass) return static_cast<int>(i);
    return 3;
}

uint32_t PriorityClassAt(int index) {
    return index >= 0 && index < static_cast<int>(kPriorities.size()) ? kPriorities[index].priorityClass : 0;
}

uint32_t PriorityFromText(const std::string& text) {
    uint32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() ? value : 0;
}

}  // namespace processes
