#include "junk/drive_figures.h"

#include <system_error>
#include <thread>
#include <utility>

#include "platform/file_probe.h"
#include "platform/file_system.h"

namespace junk {

DriveFiguresReader::DriveFiguresReader() : answers_(std::make_shared<Answers>()) {}

DriveFiguresReader::~DriveFiguresReader() { answers_->cancel = true; }

void DriveFiguresReader::Read(const std::string& root) {
    const auto read = [answers = answers_, root] {
        DriveFigures figures;
        figures.root = root;
        figures.label = platform::VolumeLabel(root);
        if (!answers->cancel) {
            if (const auto space = platform::GetDiskSpace(root)) {
                figures.spaceKnown = true;
                figures.total = space->total;
                figures.freeToUser = space->freeToUser;
            }
        }
        const std::lock_guard lock(answers->mutex);
        if (!answers->cancel) answers->list.push_back(std::move(figures));
    };
    try {
        std::thread(read).detach();
    } catch (const std::system_error&) {
        DriveFigures unknown;  // no thread to be had: the row keeps no figures
        unknown.root = root;
        const std::lock_guard lock(answers_->mutex);
        answers_->list.push_back(std::move(unknown));
    }
}

std::vector<DriveFigures> DriveFiguresReader::TakeAnswers() {
    const std::lock_guard lock(answers_->mutex);
    return std::exchange(answers_->list, {});
}

}  // namespace junk
