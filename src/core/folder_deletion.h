// Emptying and removing folders without following links and without ever
// touching the places whose loss would break Windows, the user's profile or
// the program itself.
#pragma once

#include <string>
#include <vector>

#include "core/folder_guard.h"

namespace core {

// What DeleteFolder left alone on purpose, so that the caller can say so.
struct FolderDeletion {
    // Folders it refused to empty or remove (dangerous places, links given
    // as the folder itself, the path down to the program's own folder).
    std::vector<std::string> refusedFolders;
    // Files that stayed because they could not be deleted (mostly in use).
    int filesKept = 0;
    bool refused() const { return !refusedFolders.empty(); }
};

// Empties FolderPath, and removes it when DelMainFolder, judging every
// folder against places first:
// - the whole list of a folder is taken before anything in it is deleted;
// - a file has read-only, hidden and system cleared and is deleted; when it
//   cannot be deleted its attributes are put back;
// - a junction or symbolic link (or an entry that cannot be read any more)
//   is never entered: the link itself is removed when the system can
//   address it, and its target is left alone; a FolderPath that is itself a
//   link is left alone;
// - failures are skipped (files in use stay, counted in filesKept).
FolderDeletion DeleteFolderGuarded(const std::string& FolderPath, bool DelMainFolder, const ProtectedFolders& places);

// This machine's protected places, from Windows and the running program.
ProtectedFolders SystemProtectedFolders();

}  // namespace core
