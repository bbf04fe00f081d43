// Running processes: the Toolhelp snapshots, and what one process tells
// about itself (memory, priority class, image path, start time), plus
// ending it. Every handle is closed before a function returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace platform {

struct ProcessEntry {
    uint32_t id = 0;
    uint32_t threads = 0;
    std::string exeFile;  // a bare name on NT, a full path on Windows 98/Me
    // Known when the snapshot came from the system's process information.
    bool countersKnown = false;
    uint64_t workingSet = 0;
    uint64_t creationTime = 0;   // FILETIME (UTC)
    uint32_t priorityClass = 0;  // 0 when the snapshot does not tell it
    uint32_t parentId = 0;       // the process that started it (it may have ended since)
    uint64_t cpuTime = 0;        // kernel and user time, 100 ns units (when countersKnown)
};

// Every process of a fresh snapshot, in the snapshot's order: from one
// SystemProcessInformation call where Windows has it (NT), which also gives
// each working set, creation time and priority class without opening the
// process, else from a Toolhelp snapshot (Windows 98/Me).
std::vector<ProcessEntry> SnapshotProcesses();

// The same, for a caller that asks again and again (the process page's
// one-second tick): the system's buffer and the entries are kept between
// snapshots, and a process listed at the same place as last time keeps its
// converted name.
class ProcessSnapshot {
public:
    const std::vector<ProcessEntry>& Take();
    // Only the system call into the kept buffer: what a snapshot cannot
    // go below. False when Windows refuses.
    bool QuerySystem();

private:
    std::vector<unsigned long long> buffer_;
    std::vector<ProcessEntry> entries_;
};
std::vector<ProcessEntry> ToolhelpProcesses();

struct ModuleEntry {
    std::string name;
    std::string path;
};
// The modules of a process, the executable first; empty when they cannot
// be listed (no access, ended).
std::vector<ModuleEntry> SnapshotModules(uint32_t processId);

// A process opened for query and memory read, held so that repeated
// questions cost no further opening (and its identifier cannot pass to
// another process while it is held).
class ProcessQuery {
public:
    ProcessQuery() = default;
    static ProcessQuery Open(uint32_t processId);
    explicit operator bool() const { return handle_.valid(); }

    uint32_t PriorityClass() const;  // 0 on failure
    uint64_t WorkingSet() const;     // 0 on failure
    std::string ImagePath() const;   // "" on failure
    std::optional<uint64_t> CreationTime() const;

private:
    UniqueHandle handle_;
};

// What one handle opened for query and memory read gives at once.
struct ProcessFacts {
    uint64_t workingSet = 0;     // 0 when it could not be read
    uint32_t priorityClass = 0;  // 0 when it could not be read
};
ProcessFacts QueryProcessFacts(uint32_t processId);

// GetPriorityClass through a handle with query rights only; 0 on failure.
uint32_t ProcessPriorityClass(uint32_t processId);
bool SetProcessPriorityClass(uint32_t processId, uint32_t priorityClass);
// Working set in bytes; 0 on failure.
uint64_t ProcessWorkingSet(uint32_t processId);
// Full path of the executable: QueryFullProcessImageNameW where Windows has
// it (it also answers for 64-bit processes seen from a 32-bit one), else the
// main module's name. "" on failure.
std::string ProcessImagePath(uint32_t processId);
// Creation time as a FILETIME value (UTC); nullopt when it cannot be read.
std::optional<uint64_t> ProcessCreationTime(uint32_t processId);

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};
// A FILETIME value (UTC) as the local time of day.
std::optional<ClockTime> LocalClockTime(uint64_t fileTime);

// Ends the process with exitCode. When expectedCreationTime is given, the
// process is ended only if the opened process was created at that time, so
// that an identifier reused by another program is never ended.
bool TerminateProcessById(uint32_t processId, uint32_t exitCode,
                          std::optional<uint64_t> expectedCreationTime = std::nullopt);

uint32_t CurrentProcessId();
// The number of logical processors; at least 1.
unsigned ProcessorCount();

}  // namespace platform
