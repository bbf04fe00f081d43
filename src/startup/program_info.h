// What the page shows about the program a command starts: where Windows
// would find it, whether it is there, and its icons. Reading that waits on
// the file system (a Run entry on a disconnected share waits for the network
// time-out), so the page has it read on a worker thread.
#pragma once

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/handles.h"
#include "platform/sync.h"

namespace startup {

struct ProgramInfo {
    std::string path;  // "" when the command names no program
    bool exists = false;
    platform::UniqueIcon largeIcon;  // empty: the default program picture
    platform::UniqueIcon smallIcon;
};
using ProgramInfoPtr = std::shared_ptr<const ProgramInfo>;

// The program of a command as Windows would start it: environment variables
// expanded, a path up to its ".exe", a whole command that names a file, or a
// bare program name found on the search path. The command is not changed.
std::string ResolveProgramPath(const std::string& command);
ProgramInfo ReadProgramInfo(const std::string& command, bool withIcons);

// One worker that reads the commands it is given, in order. It touches no
// window: each result waits in a queue that the interface thread empties
// with TakeResults(), and ready (set before the first Request) tells that
// thread, from the worker, that results wait: once, until they are taken.
// The worker stops when the loader goes and is joined then; a read already
// under way is finished first.
class ProgramInfoLoader {
public:
    using Result = std::pair<std::string, ProgramInfoPtr>;

    explicit ProgramInfoLoader(std::function<void()> ready = {});
    ~ProgramInfoLoader();
    ProgramInfoLoader(const ProgramInfoLoader&) = delete;
    ProgramInfoLoader& operator=(const ProgramInfoLoader&) = delete;

    void Request(const std::vector<std::string>& commands);
    std::vector<Result> TakeResults();

private:
    void Run();

    std::function<void()> ready_;
    platform::Lock lock_;
    platform::Condition wake_;
    std::deque<std::string> queue_;
    std::vector<Result> results_;
    std::atomic<bool> stop_{false};
    std::thread worker_;
};

}  // namespace startup
