// The Windows shell: recycle bin, opening and properties, the restart
// prompt, path compaction.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/window_handle.h"

namespace platform {

// Sends a file or folder to the recycle bin without asking, with the
// shell's progress display and no error boxes. Should the item not fit the
// recycle bin, the shell asks before destroying it. True when the shell
// reports success.
bool MoveToRecycleBin(const std::string& path);

// Empties the recycle bin of every drive. confirm: the shell asks and shows
// its progress; otherwise it does neither. Updates the desktop icon.
bool EmptyRecycleBin(WindowHandle owner, bool confirm);

struct RecycleBinContents {
    uint64_t items = 0;
    uint64_t bytes = 0;
};
std::optional<RecycleBinContents> QueryRecycleBin();

// ShellExecuteW with SW_SHOWNORMAL; an empty verb is the default verb.
// True when the shell started something.
bool ShellOpen(WindowHandle owner, const std::string& verb, const std::string& file, const std::string& parameters,
               const std::string& folder);

// The shell's properties sheet of path; the instance value the shell
// reports (above 32 on success).
intptr_t ShowPropertiesSheet(const std::string& path, WindowHandle owner);

// The shell's "restart Windows?" prompt (shell32 ordinal 59) owned by owner.
void ShowRestartPrompt(WindowHandle owner);

// path shortened with an ellipsis to fit widthPixels in the font of the
// device context (the screen's default font when null).
std::string CompactPathToWidth(void* deviceContext, const std::string& path, int widthPixels);

}  // namespace platform
