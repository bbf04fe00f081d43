// Whole-file replacement that never leaves a half-written file behind, and
// journal appends that reach the disk before the caller goes on.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// The whole file's bytes; a missing file gives true and no bytes. False
// when it exists but cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Gives path the content bytes: they are written to a new file beside it,
// flushed to disk, then renamed over the old file in one step, so that an
// interruption leaves either the old file or the new one. Creates the file
// when it is missing. False, with the old file unchanged and no new file
// left behind, when any step fails.
bool ReplaceFileContent(const std::string& path, std::string_view bytes);

// Adds bytes at the end of path (created when missing) in one write, and
// flushes them to disk before it answers. A kill leaves the file as it was
// or with all of bytes; a power cut may leave part of them, so a reader of
// such a journal drops an unfinished last line.
bool AppendFileContent(const std::string& path, std::string_view bytes);

}  // namespace platform
