#include "cash_fixture.h"

#include <algorithm>

#include "platform/url_cache.h"

namespace privacy_testing {

std::vector<std::string> AllCacheUrls() {
    std::vector<std::string> urls;
    platform::ForEachUrlCacheEntry([&urls](const std::string& url, uint32_t) { urls.push_back(url); });
    return urls;
}

void EmptyUrlCache() {
    for (const std::string& url : AllCacheUrls()) platform::DeleteUrlCacheEntryByUrl(url);
}

bool InCache(const std::string& url) {
    std::vector<std::string> urls = AllCacheUrls();
    return std::find(urls.begin(), urls.end(), url) != urls.end();
}

void UrlCacheTest::Add(const std::string& url, uint32_t type) {
    ASSERT_TRUE(platform::AddUrlCacheEntry(url, type)) << url;
    ASSERT_TRUE(InCache(url)) << url;
}

}  // namespace privacy_testing
