// Where today's browsers keep their caches under the user's Local AppData:
// Chrome and Edge under "User Data\<profile>" ("Default", "Profile N"),
// Firefox under "Profiles\<profile>\cache2". Only the cache folders are
// named here; cookies, history and passwords live beside them and stay.
#pragma once

#include <string>
#include <vector>

namespace privacy {

// The folder that holds the item's profiles; "" for an item that is no browser.
std::string BrowserProfilesFolder(int item, const std::string& localAppData);

// The cache folders of every profile the item's browser has (a Chromium
// profile's three, present or not; a Firefox profile's cache2 when present).
// Empty: the browser has no profile here, and the item is disabled.
std::vector<std::string> BrowserCacheFolders(int item, const std::string& localAppData);

}  // namespace privacy
