// Text rules for paths and drive names. Portable: no Windows header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// path + "\" unless it already ends in "\" (so "" becomes "\").
std::string WithTrailingSlash(std::string_view path);

// The folder that holds path, as text only (nothing is looked up):
// "C:\a\b.txt" -> "C:\a", "C:\a" -> "C:\", "C:\" -> "", "a.txt" -> "".
// A trailing "\" is ignored; "/" counts as a separator.
std::string ParentFolderText(std::string_view path);

// How many characters of a file name Windows forbids: " | > < ? * : / \.
int64_t CountForbiddenNameCharacters(std::string_view name);

// Display name of a drive list entry: "c: [SYSTEM]" -> "SYSTEM (C:) "; an
// entry without a label ("a:") -> "A:\".
std::string DriveDisplayName(std::string_view driveListEntry);

// True when text holds something other than blanks (U+0020).
bool HasNonBlank(std::string_view text);

}  // namespace core
