// Test data for the privacy page, removed again when the test ends, even
// after a failed assertion: registry keys at their real places under
// HKEY_CURRENT_USER and the browsers' profile folders (both in the
// throw-away prefix), the temporary folder's variables, and the URL cache.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/registry_procs.h"
#include "platform/handles.h"
#include "platform/url_cache.h"

namespace privacy_testing {

// Every program item's key is removed when this is made; those keys and
// every key made through SetValue when it goes.
class ProgramTraces {
public:
    ProgramTraces() { RemoveAll(); }
    ProgramTraces(const ProgramTraces&) = delete;
    ProgramTraces& operator=(const ProgramTraces&) = delete;
    ~ProgramTraces() { RemoveAll(); }
    void RemoveAll();
    // A string value ("" writes data of size 0); an empty name only makes the key.
    void SetValue(const std::string& path, const std::string& name = "", const std::string& data = "");
    // The item's key (item 19: the 6.0 one; item 18: with "LastFolder" data).
    void AddProgram(int index);
    static bool KeyExists(const std::string& path) { return core::RegKeyExists(core::RegRoot::CurrentUser, path); }

private:
    std::vector<std::string> made_;
};

// The browsers' profile folders under the prefix's Local AppData, removed
// with everything in them when this is made and when it goes.
class BrowserProfiles {
public:
    BrowserProfiles() { RemoveAll(); }
    BrowserProfiles(const BrowserProfiles&) = delete;
    BrowserProfiles& operator=(const BrowserProfiles&) = delete;
    ~BrowserProfiles() { RemoveAll(); }
    static std::string Folder(int item);  // "...\User Data" or "...\Profiles"
    static void RemoveAll();
};

// Writes a file, making its folders first.
void PutFile(const std::string& file, const std::string& bytes = "x");

// The file opened without sharing, as a running program holds it.
platform::UniqueHandle HoldOpen(const std::string& path);

// TMP and TEMP (what GetTempPathW reads) point at a folder while this lives.
class TempVariables {
public:
    explicit TempVariables(const std::string& folder);
    TempVariables(const TempVariables&) = delete;
    TempVariables& operator=(const TempVariables&) = delete;
    ~TempVariables();

private:
    std::wstring old_[2];
    bool had_[2] = {};
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
