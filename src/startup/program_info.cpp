#include "startup/program_info.h"

#include <mutex>

#include "core/general.h"
#include "platform/file_icons.h"
#include "platform/startup_sources.h"
#include "startup/startup_model.h"

namespace startup {
namespace {

namespace sys = platform::startup_sources;

// The first part of a command: the text inside its leading quotes, or up to
// the first blank.
std::string FirstPart(const std::string& command) {
    const std::string text = TrimBlanks(command);
    if (!text.empty() && text.front() == '"') return text.substr(1, text.find('"', 1) - 1);
    return text.substr(0, text.find(' '));
}

std::string Unquoted(const std::string& command) {
    std::string text = TrimBlanks(command);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    return text;
}

}  // namespace

std::string ResolveProgramPath(const std::string& command) {
    const std::string expanded = command.find('%') == std::string::npos ? command : sys::ExpandEnvironment(command);
    std::string path = core::GetProgramPath(expanded);
    if (!path.empty()) return path;
    // A script or document given by its path alone, blanks and all.
    path = Unquoted(expanded);
    if (path.find(":\\") != std::string::npos && sys::FileExists(path)) return path;
    path = FirstPart(expanded);
    if (path.find_first_of("\\/:") == std::string::npos) return sys::FindOnSearchPath(path);
    return path.find(":\\") != std::string::npos ? path : std::string();
}

ProgramInfo ReadProgramInfo(const std::string& command, bool withIcons) {
    ProgramInfo info;
    info.path = ResolveProgramPath(command);
    info.exists = sys::FileExists(info.path);
    if (info.exists && withIcons) {
        info.largeIcon = platform::LoadFileIcon(info.path, true);
        info.smallIcon = platform::LoadFileIcon(info.path, false);
    }
    return info;
}

ProgramInfoLoader::ProgramInfoLoader(std::function<void()> ready) : ready_(std::move(ready)) {}

ProgramInfoLoader::~ProgramInfoLoader() {
    {
        const std::lock_guard<platform::Lock> hold(lock_);
        stop_ = true;
        queue_.clear();
    }
    wake_.WakeAll();
    if (worker_.joinable()) worker_.join();
}

void ProgramInfoLoader::Request(const std::vector<std::string>& commands) {
    if (commands.empty()) return;
    {
        const std::lock_guard<platform::Lock> hold(lock_);
        queue_.insert(queue_.end(), commands.begin(), commands.end());
    }
    if (!worker_.joinable()) worker_ = std::thread([this] { Run(); });
    wake_.WakeAll();
}

std::vector<ProgramInfoLoader::Result> ProgramInfoLoader::TakeResults() {
    const std::lock_guard<platform::Lock> hold(lock_);
    std::vector<Result> taken;
    taken.swap(results_);
    return taken;
}

void ProgramInfoLoader::Run() {
    // The shell's icon calls want COM on the calling thread.
    const platform::ComApartment com;
    std::unique_lock<platform::Lock> hold(lock_);
    while (!stop_) {
        if (queue_.empty()) {
            wake_.Wait(lock_);
            continue;
        }
        const std::string command = std::move(queue_.front());
        queue_.pop_front();
        hold.unlock();
        auto info = std::make_shared<const ProgramInfo>(ReadProgramInfo(command, true));
        hold.lock();
        if (stop_) break;
        // One message for the results that wait: the interface thread takes
        // them all at once, and a message per result would queue ahead of
        // the user's input.
        const bool first = results_.empty();
        results_.emplace_back(command, std::move(info));
        hold.unlock();
        if (first && ready_) ready_();
        hold.lock();
    }
}

}  // namespace startup
