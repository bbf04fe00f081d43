// Texts of the junk page that need no operating system. Portable.
#pragma once

#include <string>
#include <string_view>

namespace junk {

// "1 Hour, 2 Minutes, 5 Seconds": each non-zero part, singular for 1; an
// hour count hides the seconds, and the seconds show only beside minutes
// when there are no hours.
std::string ElapsedTimeText(int hours, int minutes, int seconds);

// "name (n).ext" for the file name "name.ext"; "name (n)" when the name has
// no extension (a leading dot does not start one).
std::string NumberedName(const std::string& fileName, int n);

// The extension of a file name or path, lower-cased ASCII, without the dot;
// "" when there is none.
std::string LowerExtension(const std::string& path);

}  // namespace junk
