// Directory links for tests that check nothing follows a link.
#pragma once

#include <string>

namespace testing_support {

// Makes link a directory symbolic link to target (both full paths; link
// must not exist). On Windows through CreateSymbolicLinkW, which needs the
// privilege or developer mode. Wine 8's CreateSymbolicLinkW answers TRUE and
// makes nothing, so under Wine the link is made on the Linux side: /bin/ln,
// started through Wine's "\\?\unix\" namespace, with both paths mapped by
// wine_get_unix_file_name; Wine then shows it with the reparse-point bit.
// True when a link shows up at link.
bool MakeFolderLink(const std::string& link, const std::string& target);

}  // namespace testing_support
