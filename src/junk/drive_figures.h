// Label and space of drives, read on workers: a network drive that does not
// answer holds its own worker, never the interface thread nor the other
// drives. The answers are taken by the interface thread in arrival order.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace junk {

struct DriveFigures {
    std::string root;   // as asked
    std::string label;  // "" when none or unreadable
    bool spaceKnown = false;
    uint64_t total = 0;
    uint64_t freeToUser = 0;
};

class DriveFiguresReader {
public:
    DriveFiguresReader() = default;
    DriveFiguresReader(const DriveFiguresReader&) = delete;
    DriveFiguresReader& operator=(const DriveFiguresReader&) = delete;
    // Waits for the workers still asking the system; their answers are dropped.
    ~DriveFiguresReader();

    void Read(const std::string& root);
    std::vector<DriveFigures> TakeAnswers();
    // Reads started and not yet taken.
    bool Pending() const;

private:
    mutable std::mutex mutex_;
    std::vector<DriveFigures> answers_;
    std::vector<std::thread> workers_;
    size_t waiting_ = 0;
    std::atomic<bool> cancel_{false};
};

}  // namespace junk
