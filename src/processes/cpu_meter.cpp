#include "processes/cpu_meter.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace processes {

const CpuMeter::Seen* CpuMeter::Find(const std::vector<Seen>& seen, uint32_t processId) {
    const auto found =
        std::lower_bound(seen.begin(), seen.end(), processId, [](const Seen& s, uint32_t id) { return s.id < id; });
    return found != seen.end() && found->id == processId ? &*found : nullptr;
}

void CpuMeter::Sample(const std::vector<platform::ProcessEntry>& entries, uint64_t now) {
    std::swap(previous_, current_);
    current_.clear();
    for (const auto& entry : entries)
        if (entry.countersKnown) current_.push_back({entry.id, entry.creationTime, entry.cpuTime, 0.0});
    std::sort(current_.begin(), current_.end(), [](const Seen& a, const Seen& b) { return a.id < b.id; });
    const uint64_t elapsed = lastSample_ != 0 && now > lastSample_ ? now - lastSample_ : 0;
    lastSample_ = now;
    if (elapsed == 0) return;
    const double capacity = static_cast<double>(elapsed) * processors_;
    for (Seen& seen : current_) {
        const Seen* before = Find(previous_, seen.id);
        if (!before || before->creationTime != seen.creationTime || seen.cpuTime < before->cpuTime) continue;
        seen.share = std::min(static_cast<double>(seen.cpuTime - before->cpuTime) / capacity, 1.0);
    }
}

double CpuMeter::ShareOf(uint32_t processId) const {
    const Seen* seen = Find(current_, processId);
    return seen ? seen->share : 0.0;
}

std::string CpuText(double share) { return std::to_string(std::lround(share * 100)); }

}  // namespace processes
