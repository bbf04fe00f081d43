// "Undo.ini" beside the program: what the last clean moved into the move
// folder, so that it can be moved back. It is a journal: a clean that moves
// starts it anew, and each file is appended (and flushed) before it is moved
// and marked done after, so a clean killed at any point leaves a file that
// says which moves may have happened.
//
//   [Undo]
//   Folder=D:\Moved\  (the move folder)
//   1=C:\Temp\a.tmp|a (2).tmp|1234|133786...   original|name in folder|size|time
//   1Done=1
//
// "|" cannot occur in a Windows path or name. Lines are UTF-8; an unfinished
// last line (a power cut in the middle of an append) is not read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace junk {

struct MovedFile {
    std::string Original;   // full path before the clean
    std::string MovedName;  // name in the move folder
    uint64_t Size = 0;
    uint64_t Time = 0;  // last write, FILETIME units
    bool Done = false;  // the move was confirmed
};

struct UndoRecord {
    std::string Folder;  // the move folder, with its trailing "\"
    std::vector<MovedFile> Files;
};

// "Undo.ini" in the folder of the settings files.
std::string UndoLogPath();

class UndoLogWriter {
public:
    explicit UndoLogWriter(std::string path) : path_(std::move(path)) {}
    // Replaces the record of the previous clean with an empty one.
    bool Begin(const std::string& folderWithSlash);
    // Before a move: false when it could not be written (then do not move).
    bool Moving(const MovedFile& file);
    // After the move of the file given last to Moving.
    bool Moved();

private:
    std::string path_;
    size_t count_ = 0;
};

UndoRecord ReadUndoLog(const std::string& path);

// True when the record names a file that was moved (done, or found moved).
bool HasMovedFiles(const std::string& path);

struct UndoOutcome {
    size_t Restored = 0;
    size_t NotRestored = 0;  // place taken, or gone from the move folder
};

// Moves the recorded files back, never over a file that took the place
// meanwhile; then keeps in the record only the files still waiting in the
// move folder (so a retry can bring them back), or removes it.
UndoOutcome UndoLastClean(const std::string& path);

}  // namespace junk
