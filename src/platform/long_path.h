// Paths handed to the W functions. Long paths get the "\\?\" prefix so that
// files deeper than MAX_PATH can be found, sized and removed. Portable.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8 path -> wide path for a W call; adds "\\?\" (or "\\?\UNC\") to an
// absolute path of 248 characters or more, or one holding a name that ends
// in a dot or a blank, after turning "/" into "\".
std::wstring ToSystemPath(std::string_view utf8Path);

// The inverse for paths Windows hands back: drops a "\\?\" prefix.
std::string FromSystemPath(std::wstring_view widePath);

}  // namespace platform
