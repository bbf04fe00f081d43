// Whole-file replacement that never leaves a half-written file behind.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Gives path the content bytes: they are written to a new file beside it,
// flushed to disk, then renamed over the old file in one step, so that an
// interruption leaves either the old file or the new one. Creates the file
// when it is missing. False, with the old file unchanged and no new file
// left behind, when any step fails.
bool ReplaceFileContent(const std::string& path, std::string_view bytes);

}  // namespace platform
