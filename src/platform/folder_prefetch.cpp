#include "platform/folder_prefetch.h"

#include <algorithm>
#include <mutex>

#include "platform/directory_walk.h"
#include "platform/file_system.h"
#include "platform/utf.h"

namespace platform {

bool ListedFolder::Descends(const Entry& entry, std::wstring_view name) {
    return (entry.attributes & (kAttributeDirectory | kAttributeReparsePoint)) == kAttributeDirectory && name != L"." &&
           name != L"..";
}

FolderPrefetch::FolderPrefetch(const std::string& root, SkipRule skip, unsigned workers, size_t entriesAhead)
    : skip_(std::move(skip)), entriesAhead_(entriesAhead) {
    auto top = std::make_shared<ListedFolder>();
    top->path = root;
    if (top->path.empty() || top->path.back() != '\\') top->path += '\\';
    queue_.push_back(top);
    pending_.push_back(top);
    for (unsigned i = 0; i < std::max(1u, workers); ++i) workers_.emplace_back([this] { Work(); });
}

FolderPrefetch::~FolderPrefetch() {
    Stop();
    for (std::thread& worker : workers_) worker.join();
}

void FolderPrefetch::Stop() {
    {
        std::lock_guard<Lock> lock(lock_);
        stop_ = true;
    }
    workReady_.WakeAll();
    folderReady_.WakeAll();
}

bool FolderPrefetch::MayTake() const {
    // The folder the reader waits for is always taken: without it the reader
    // would never free the room the others wait for.
    return !queue_.empty() && (!full_ || queue_.front() == wanted_);
}

void FolderPrefetch::WakeWorkers() {
    // Under Wine every wake-up costs a trip to the server: only when needed.
    if (sleepingWorkers_ > 0) workReady_.WakeAll();
}

void FolderPrefetch::Work() {
    DirectoryReader reader;
    std::unique_lock<Lock> lock(lock_);
    for (;;) {
        while (!stop_ && !MayTake()) {
            ++sleepingWorkers_;
            workReady_.Wait(lock_);
            --sleepingWorkers_;
        }
        if (stop_) return;
        std::pop_heap(queue_.begin(), queue_.end(), LaterInOrder());
        Node folder = std::move(queue_.back());
        queue_.pop_back();
        lock.unlock();
        List(reader, *folder);
        lock.lock();
        folder->listed_ = true;
        ahead_ += folder->entries.size() + 1;
        if (ahead_ >= entriesAhead_) full_ = true;
        for (Node& sub : folder->subfolders_) {
            queue_.push_back(sub);
            std::push_heap(queue_.begin(), queue_.end(), LaterInOrder());
        }
        if (!folder->subfolders_.empty()) WakeWorkers();
        // The reader reports far faster than the workers list: it is woken
        // for a batch of folders, or when nothing more may come soon, not
        // for every folder (each wake-up costs two thread switches).
        if (readerWaiting_ && wanted_->listed_ && (full_ || queue_.empty() || ahead_ >= entriesAhead_ / 8))
            folderReady_.WakeAll();
    }
}

void FolderPrefetch::List(DirectoryReader& reader, ListedFolder& folder) {
    folder.path = NativeSystemPath(folder.path);
    if ((skip_ && skip_(folder.path)) || !reader.Open(folder.path)) return;
    DirectoryEntry entry;
    while (!stop_.load(std::memory_order_relaxed) && reader.Next(entry)) {
        ListedFolder::Entry& listed = folder.entries.emplace_back();
        listed.nameOffset = static_cast<uint32_t>(folder.names.size());
        listed.nameLength = static_cast<uint32_t>(entry.name.size());
        listed.attributes = entry.attributes;
        listed.size = entry.size;
        listed.lastWriteTime = entry.lastWriteTime;
        folder.names.append(entry.name);
        if (!ListedFolder::Descends(listed, entry.name)) continue;
        auto sub = std::make_shared<ListedFolder>();
        sub->path = folder.path + ToUtf8(entry.name) + '\\';
        sub->order_ = folder.order_;
        sub->order_.push_back(static_cast<uint32_t>(folder.subfolders_.size()));
        folder.subfolders_.push_back(std::move(sub));
    }
    reader.Close();
}

std::shared_ptr<const ListedFolder> FolderPrefetch::Next(const std::function<bool()>& idle) {
    std::unique_lock<Lock> lock(lock_);
    if (pending_.empty() || stop_) return nullptr;
    Node folder = pending_.back();
    while (!folder->listed_) {
        if (wanted_ != folder) {
            wanted_ = folder;
            WakeWorkers();
        }
        readerWaiting_ = true;
        // Short: a pump falls due while the reader waits, and a wait may
        // overshoot on a busy machine.
        folderReady_.Wait(lock_, 2);
        readerWaiting_ = false;
        if (stop_) return nullptr;
        if (folder->listed_) break;
        lock.unlock();
        const bool goOn = idle();
        lock.lock();
        if (!goOn || stop_) return nullptr;
    }
    pending_.pop_back();
    for (auto it = folder->subfolders_.rbegin(); it != folder->subfolders_.rend(); ++it) pending_.push_back(*it);
    // Handed out: what the workers hold ahead shrinks, and the subfolders
    // list no longer needs keeping here.
    ahead_ -= folder->entries.size() + 1;
    folder->subfolders_.clear();
    // Room again once half of it is free, so that the workers are not woken
    // for every folder handed out.
    if (full_ && ahead_ <= entriesAhead_ / 2) {
        full_ = false;
        WakeWorkers();
    }
    return folder;
}

}  // namespace platform
