// Directory links for tests that check nothing follows a link.
#pragma once

#include <string>

namespace testing_support {

// Makes link a directory symbolic link to target; true when one shows up.
// Wine 8's CreateSymbolicLinkW answers TRUE and makes nothing, so there the
// link is made on the Linux side by /bin/ln; Wine shows it as a reparse point.
bool MakeFolderLink(const std::string& link, const std::string& target);

}  // namespace testing_support
