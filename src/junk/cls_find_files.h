// The file search engine: walks a folder tree depth-first (all files of a
// folder before anything below it, subfolders in the order the file system
// lists them) and reports every file whose bare name matches one of a list
// of patterns. Worker threads list the folders ahead of it (FolderPrefetch);
// the events are raised on the calling user-interface thread, in the order
// and number one thread walking the tree would raise them. It yields to the
// message loop through a throttled pump, so handlers (a Stop button, the
// window closing, timers) run in the middle of a search; the only thing they
// may do to the engine is CancelSearch.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/directory_walk.h"
#include "platform/folder_prefetch.h"
#include "platform/throttled_pump.h"

namespace junk {

class PatternList;

class ClsFindFiles {
public:
    ClsFindFiles();
    ~ClsFindFiles();  // cancels, and joins the workers
    ClsFindFiles(const ClsFindFiles&) = delete;
    ClsFindFiles& operator=(const ClsFindFiles&) = delete;

    // Full path (no trailing "\") of the subfolder found most recently.
    std::string CurrentFolder;
    // Full path of the file that matched most recently, and what the folder
    // listing said of it (no further file access is needed to list it).
    std::string FoundFile;
    uint64_t FoundFileSize = 0;
    uint64_t FoundFileTime = 0;  // last write, FILETIME units
    uint32_t FoundFileAttributes = 0;

    // Raised for every directory entry read ("." and ".." included), before
    // it is examined; the handler reads CurrentFolder.
    std::function<void()> FindPathChanged;
    // Raised once for every matching file; the handler reads FoundFile and
    // may call CancelSearch.
    std::function<void()> FindResultChanged;

    // Clears the cancel flag and reads what the search skips: the skipped
    // folders of "Fts.ini", the folder removed files are moved to (while
    // removal moves them) and, when SkpDap is on, the Download Accelerator
    // temporary folder. Called once before the first FindFile of a scan.
    void StartFind();
    // Searches the tree rooted at path ("C:", "C:\" or any folder) for the
    // patterns ("*.tmp;*.bak", "," also separates; "" means "*.*"). Returns
    // when the tree is done or the search was cancelled. Folders that are
    // junctions or symbolic links are never entered: they lead outside the
    // tree, or back into it for ever.
    void FindFile(const std::string& patterns, const std::string& path);
    // true: sets the cancel flag and stops the workers listing ahead;
    // false: clears the flag. Safe from inside the events.
    void CancelSearch(bool stop);
    bool Cancelled() const { return cancelled_; }

    // What StartFind read (for the options shown, and for tests).
    const std::vector<std::string>& SkipFolders() const { return skipFolders_; }
    const std::string& DapFolder() const { return dapFolder_; }

    // The pump the search yields through; BeforePump is the place to draw
    // the path label.
    platform::ThrottledPump& Pump() { return pump_; }

private:
    bool Skipped(const std::string& folderWithSlash) const;
    // Raises the events of one listed folder.
    void Report(const PatternList& patterns, const platform::ListedFolder& folder);

    bool cancelled_ = false;
    bool running_ = false;
    std::optional<platform::FolderPrefetch> prefetch_;  // of the search running
    // Pumps at least every 10 ms: a wait for the workers may overshoot its
    // interval by a few milliseconds, and no stretch should reach 16 ms.
    platform::ThrottledPump pump_{10.0};
    std::vector<std::string> skipFolders_;
    std::vector<std::u32string> skipKeys_;  // folded, each ending with "\"
    std::string dapFolder_;
    std::u32string dapKey_;
    std::u32string nameBuffer_;
};

}  // namespace junk
