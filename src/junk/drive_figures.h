// Label and space of drives, read on workers: a network drive that does not
// answer holds its own worker, never the interface thread nor the other
// drives. The answers are taken by the interface thread in arrival order.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
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
    DriveFiguresReader();
    DriveFiguresReader(const DriveFiguresReader&) = delete;
    DriveFiguresReader& operator=(const DriveFiguresReader&) = delete;
    // Waits for no worker: one still asking the system ends on its own when
    // the system answers, and its answer is dropped. A drive that never
    // answers cannot hold the program's end.
    ~DriveFiguresReader();

    void Read(const std::string& root);
    std::vector<DriveFigures> TakeAnswers();

private:
    // Shared with the workers, which may outlive the reader.
    struct Answers {
        std::mutex mutex;
        std::vector<DriveFigures> list;
        std::atomic<bool> cancel{false};
    };
    std::shared_ptr<Answers> answers_;
};

}  // namespace junk
