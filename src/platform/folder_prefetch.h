// Listing a folder tree on worker threads, handed out in depth-first
// pre-order (a folder's own listing, then each subfolder's tree in the order
// the listing gave them): exactly the folders, entries and order one thread
// walking the tree would see. Workers list the folders the reader needs
// soonest, and stay at most a bounded number of entries ahead of it.
//
// The workers only read folders; they touch no window and no settings file.
// They stop when Stop() is called or the owner goes, and are joined then.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/sync.h"

namespace platform {

class DirectoryReader;

struct ListedFolder {
    struct Entry {
        uint32_t nameOffset = 0;
        uint32_t nameLength = 0;
        uint32_t attributes = 0;
        uint64_t size = 0;
        uint64_t lastWriteTime = 0;  // FILETIME units
    };
    // Ends with "\"; the real System32 in either build (see NativeSystemPath).
    std::string path;
    // Every entry, "." and ".." included, as the system listed them; none when
    // the folder is skipped, cannot be listed, or the listing was stopped.
    std::vector<Entry> entries;
    std::wstring names;

    std::wstring_view Name(const Entry& entry) const {
        return std::wstring_view(names).substr(entry.nameOffset, entry.nameLength);
    }
    // A subfolder to descend into: a folder that is neither "." nor ".." nor
    // a junction or symbolic link (those lead outside the tree, or back into
    // it for ever).
    static bool Descends(const Entry& entry, std::wstring_view name);

private:
    friend class FolderPrefetch;
    std::vector<uint32_t> order_;  // child indexes from the root: pre-order
    std::vector<std::shared_ptr<ListedFolder>> subfolders_;
    bool listed_ = false;
};

class FolderPrefetch {
public:
    // Called on the workers with each folder's path (ending with "\") before
    // it is listed: true leaves it and everything below it out.
    using SkipRule = std::function<bool(const std::string& folderWithSlash)>;

    FolderPrefetch(const std::string& root, SkipRule skip, unsigned workers = 2, size_t entriesAhead = 65536);
    ~FolderPrefetch();  // stops and joins the workers
    FolderPrefetch(const FolderPrefetch&) = delete;
    FolderPrefetch& operator=(const FolderPrefetch&) = delete;

    // The next folder in pre-order; null at the end, after Stop(), or when
    // idle returns false. While a worker is still listing it, idle runs every
    // few milliseconds (the place to pump messages).
    std::shared_ptr<const ListedFolder> Next(const std::function<bool()>& idle);
    // Ends the walk; the workers leave the folder they are listing at once.
    // Safe from any thread.
    void Stop();

private:
    using Node = std::shared_ptr<ListedFolder>;
    struct LaterInOrder {
        bool operator()(const Node& a, const Node& b) const { return a->order_ > b->order_; }
    };

    void Work();
    void List(DirectoryReader& reader, ListedFolder& folder);
    bool MayTake() const;
    void WakeWorkers();

    SkipRule skip_;
    const size_t entriesAhead_;
    std::atomic<bool> stop_{false};
    Lock lock_;
    Condition workReady_;        // workers wait for work or room
    Condition folderReady_;      // the reader waits for a listing
    std::vector<Node> queue_;    // a heap: the earliest in pre-order on top
    std::vector<Node> pending_;  // the reader's stack, next on top
    Node wanted_;                // what the reader waits for
    size_t ahead_ = 0;           // entries listed, not yet handed out
    bool full_ = false;          // ahead_ reached entriesAhead_, not yet half freed
    unsigned sleepingWorkers_ = 0;
    bool readerWaiting_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace platform
