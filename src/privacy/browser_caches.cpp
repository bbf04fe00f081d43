#include "privacy/browser_caches.h"

#include <algorithm>
#include <cctype>

#include "platform/file_system.h"
#include "privacy/privacy_catalogue.h"

namespace privacy {
namespace {

// Chromium names its profiles "Default" and "Profile 1", "Profile 2", ...;
// "System Profile" and "Guest Profile" hold no browsing of their own.
bool IsChromiumProfile(const std::string& name) {
    const std::string upper = platform::UpperCaseForComparison(name);
    const std::string_view prefix = "PROFILE ";
    if (upper == "DEFAULT") return true;
    if (upper.size() <= prefix.size() || !upper.starts_with(prefix)) return false;
    return std::all_of(upper.begin() + static_cast<std::ptrdiff_t>(prefix.size()), upper.end(),
                       [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

std::string BrowserProfilesFolder(int item, const std::string& localAppData) {
    if (localAppData.empty()) return {};
    switch (item) {
        case kChromeItem:
            return localAppData + "\\Google\\Chrome\\User Data";
        case kEdgeItem:
            return localAppData + "\\Microsoft\\Edge\\User Data";
        case kFirefoxItem:
            return localAppData + "\\Mozilla\\Firefox\\Profiles";
    }
    return {};
}

std::vector<std::string> BrowserCacheFolders(int item, const std::string& localAppData) {
    const std::string root = BrowserProfilesFolder(item, localAppData);
    std::vector<platform::DirEntry> entries;
    std::vector<std::string> folders;
    if (root.empty() || !platform::ListFolder(root, entries)) return folders;
    const bool firefox = item == kFirefoxItem;
    for (const platform::DirEntry& entry : entries) {
        if (!entry.isFolder() || (!firefox && !IsChromiumProfile(entry.name))) continue;
        const std::string profile = root + "\\" + entry.name;
        if (firefox) {
            if (platform::FolderExists(profile + "\\cache2")) folders.push_back(profile + "\\cache2");
            continue;
        }
        // A Chromium profile counts even before its caches are made; emptying a missing one does nothing.
        for (const char* cache : {"Cache", "Code Cache", "GPUCache"}) folders.push_back(profile + "\\" + cache);
    }
    return folders;
}

}  // namespace privacy
