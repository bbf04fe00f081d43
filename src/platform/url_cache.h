// The browser's URL cache (wininet) and URL history (CUrlHistory), UTF-8 in
// and out.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Entry types, as the cache numbers them.
inline constexpr uint32_t kNormalCacheEntry = 0x1;
inline constexpr uint32_t kCookieCacheEntry = 0x100000;
inline constexpr uint32_t kUrlHistoryCacheEntry = 0x200000;

// Calls visit with the source URL and type of every cache entry, in
// enumeration order. A failing enumeration ends the walk quietly.
void ForEachUrlCacheEntry(const std::function<void(const std::string& url, uint32_t type)>& visit);

// Deletes the entry with that source URL; false when there is none or it is in use.
bool DeleteUrlCacheEntryByUrl(const std::string& url);

// Adds (or replaces) an entry of the given type without a local file.
bool AddUrlCacheEntry(const std::string& url, uint32_t type);

// Clears the browser's URL history; false when the history object cannot be
// made or refuses.
bool ClearUrlHistory();

}  // namespace platform
