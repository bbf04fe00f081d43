#include "privacy/browser_caches.h"

#include <algorithm>
#include <cctype>

#include "platform/file_system.h"
#include "privacy/privacy_catalogue.h"

namespace privacy {
namespace {

bool IsFolder(const std::string& path) {
    const auto attributes = platform::GetAttributes(path);
    return attributes && (*attributes & platform::attributes::kDirectory) != 0;
}

bool SameText(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// Chromium names its profiles "Default" and "Profile 1", "Profile 2", ...;
// "System Profile" and "Guest Profile" hold no browsing of their own.
bool IsChromiumProfile(const std::string& name) {
    const std::string prefix = "Profile ";
    if (SameText(name, "Default")) return true;
    if (name.size() <= prefix.size() || !SameText(name.substr(0, prefix.size()), prefix)) return false;
    return std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
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
            if (IsFolder(profile + "\\cache2")) folders.push_back(profile + "\\cache2");
            continue;
        }
        // A Chromium profile counts even before its caches are made; emptying a missing one does nothing.
        for (const char* cache : {"Cache", "Code Cache", "GPUCache"}) folders.push_back(profile + "\\" + cache);
    }
    return folders;
}

}  // namespace privacy
