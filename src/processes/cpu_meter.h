// Each process's share of processor time between two snapshots: the growth
// of its kernel and user time over the time that passed, spread over every
// processor.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/process_info.h"

namespace processes {

class CpuMeter {
public:
    explicit CpuMeter(unsigned processors) : processors_(processors ? processors : 1) {}

    // A snapshot's times, taken at now (100 ns units of a monotonic clock).
    void Sample(const std::vector<platform::ProcessEntry>& entries, uint64_t now);
    // 0..1 over the last two samples; 0 for a process new since the one
    // before (or one whose identifier passed to another process).
    double ShareOf(uint32_t processId) const;

private:
    struct Seen {
        uint32_t id;
        uint64_t creationTime;
        uint64_t cpuTime;
        double share;
    };
    static const Seen* Find(const std::vector<Seen>& seen, uint32_t processId);

    // Sorted by identifier; both kept between samples, so that a sample
    // allocates nothing once the process count settles.
    std::vector<Seen> previous_;
    std::vector<Seen> current_;
    uint64_t lastSample_ = 0;
    unsigned processors_;
};

// The share as whole percent: "0" .. "100".
std::string CpuText(double share);

}  // namespace processes
