#include "junk/drive_figures.h"

#include <system_error>
#include <utility>

#include "platform/file_probe.h"
#include "platform/file_system.h"

namespace junk {

DriveFiguresReader::~DriveFiguresReader() {
    cancel_ = true;
    for (std::thread& worker : workers_)
        if (worker.joinable()) worker.join();
}

void DriveFiguresReader::Read(const std::string& root) {
    {
        const std::lock_guard lock(mutex_);
        ++waiting_;
    }
    const auto read = [this, root] {
        DriveFigures figures;
        figures.root = root;
        figures.label = platform::VolumeLabel(root);
        if (!cancel_) {
            if (const auto space = platform::GetDiskSpace(root)) {
                figures.spaceKnown = true;
                figures.total = space->total;
                figures.freeToUser = space->freeToUser;
            }
        }
        const std::lock_guard lock(mutex_);
        answers_.push_back(std::move(figures));
    };
    try {
        workers_.emplace_back(read);
    } catch (const std::system_error&) {
        DriveFigures unknown;  // no thread to be had: the row keeps no figures
        unknown.root = root;
        const std::lock_guard lock(mutex_);
        answers_.push_back(std::move(unknown));
    }
}

std::vector<DriveFigures> DriveFiguresReader::TakeAnswers() {
    const std::lock_guard lock(mutex_);
    waiting_ -= answers_.size();
    return std::exchange(answers_, {});
}

bool DriveFiguresReader::Pending() const {
    const std::lock_guard lock(mutex_);
    return waiting_ > 0;
}

}  // namespace junk
