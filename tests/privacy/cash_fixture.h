// A URL cache that holds only what the test put into it, emptied again when
// the test ends.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/url_cache.h"

namespace privacy_testing {

inline const std::string kCookie = "Cookie:user@shop.example/";
inline const std::string kOtherCookie = "Cookie:user@news.example/";
// "Cookie" inside, but not at the start: neither a cookie nor a non-cookie.
inline const std::string kCookieImage = "http://shop.example/img/Cookie.gif";
inline const std::string kPage = "http://shop.example/index.html";

inline std::vector<std::string> AllCacheUrls() {
    std::vector<std::string> urls;
    platform::ForEachUrlCacheEntry([&urls](const std::string& url, uint32_t) { urls.push_back(url); });
    return urls;
}

inline bool InCache(const std::string& url) {
    const std::vector<std::string> urls = AllCacheUrls();
    return std::find(urls.begin(), urls.end(), url) != urls.end();
}

class UrlCacheTest : public testing::Test {
protected:
    void SetUp() override { Empty(); }
    void TearDown() override { Empty(); }
    static void Empty() {
        for (const std::string& url : AllCacheUrls()) platform::DeleteUrlCacheEntryByUrl(url);
    }
    static void Add(const std::string& url) {
        const bool cookie = url.starts_with("Cookie:");
        const uint32_t type = platform::kNormalCacheEntry | (cookie ? platform::kCookieCacheEntry : 0);
        ASSERT_TRUE(platform::AddUrlCacheEntry(url, type)) << url;
    }
    static void FillCache() {
        for (const std::string& url : {kCookie, kOtherCookie, kCookieImage, kPage}) Add(url);
    }
};

}  // namespace privacy_testing
