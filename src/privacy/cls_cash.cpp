#include "privacy/cls_cash.h"

#include "platform/url_cache.h"

namespace privacy {

bool IsCookieUrl(std::string_view url) { return url.substr(0, 6) == "Cookie"; }

bool IsNonCookieUrl(std::string_view url) { return url.find("Cookie") == std::string_view::npos; }

bool IsListedEntry(uint32_t type) { return (type & platform::kNormalCacheEntry) != 0; }

void ClsCash::GetCacheURLList(std::vector<std::string>& list) const {
    platform::ForEachUrlCacheEntry([&list](const std::string& url, uint32_t type) {
        if (IsListedEntry(type)) list.push_back(url);
    });
}

// Both clears walk a list taken before the first deletion, so deleting never
// disturbs the enumeration.
void ClsCash::ClearCash() {
    urls_.clear();
    GetCacheURLList(urls_);
    for (const std::string& url : urls_)
        if (IsNonCookieUrl(url)) DeleteCashEntry(url);
}

void ClsCash::ClearCookies() {
    urls_.clear();
    GetCacheURLList(urls_);
    for (const std::string& url : urls_)
        if (IsCookieUrl(url)) DeleteCashEntry(url);
}

bool ClsCash::ClearHistory() { return platform::ClearUrlHistory(); }

void ClsCash::DeleteCashEntry(const std::string& url) { platform::DeleteUrlCacheEntryByUrl(url); }

}  // namespace privacy
