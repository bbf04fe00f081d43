// Test data for the privacy page in the throw-away prefix, removed again when
// the test ends, even after a failed assertion.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/registry_procs.h"
#include "platform/handles.h"
#include "platform/url_cache.h"

namespace privacy_testing {

inline bool KeyExists(const std::string& path) { return core::RegKeyExists(core::RegRoot::CurrentUser, path); }

// Every program item's key is removed when this is made; those keys and
// every key made through SetValue when it goes.
class ProgramTraces {
public:
    ProgramTraces() { RemoveAll(); }
    ~ProgramTraces() { RemoveAll(); }
    void RemoveAll();
    void SetValue(const std::string& path, const std::string& name = "", const std::string& data = "");
    // The item's key (item 19: the 6.0 one; item 18: with "LastFolder" data).
    void AddProgram(int index);

private:
    std::vector<std::string> made_;
};

// The browsers' profile folders under the prefix's Local AppData, removed
// with everything in them when this is made and when it goes.
struct BrowserProfiles {
    BrowserProfiles() { RemoveAll(); }
    ~BrowserProfiles() { RemoveAll(); }
    static std::string Folder(int item);  // "...\User Data" or "...\Profiles"
    static void RemoveAll();
};

void PutFile(const std::string& file, const std::string& bytes = "x");

// The file opened without sharing, as a running program holds it.
platform::UniqueHandle HoldOpen(const std::string& path);

// TMP, which GetTempPathW reads first, points at a folder while this lives.
class TempVariable {
public:
    explicit TempVariable(const std::string& folder);
    ~TempVariable();

private:
    std::optional<std::wstring> old_;
};

// A URL cache that holds only what the test put into it, emptied again when
// the test ends.
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

class UrlCacheTest : public testing::Test {
protected:
    void SetUp() override { Empty(); }
    void TearDown() override { Empty(); }
    static void Empty() {
        for (const std::string& url : AllCacheUrls()) platform::DeleteUrlCacheEntryByUrl(url);
    }
    static void Add(const std::string& url) {
        const uint32_t cookie = url.starts_with("Cookie:") ? platform::kCookieCacheEntry : 0;
        ASSERT_TRUE(platform::AddUrlCacheEntry(url, platform::kNormalCacheEntry | cookie)) << url;
    }
    static void FillCache() {
        for (const std::string& url : {kCookie, kOtherCookie, kCookieImage, kPage}) Add(url);
    }
};

}  // namespace privacy_testing
