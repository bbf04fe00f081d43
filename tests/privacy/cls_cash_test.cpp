#include "privacy/cls_cash.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cash_fixture.h"
#include "platform/url_cache.h"

using privacy::ClsCash;
using privacy::IsCookieUrl;
using privacy::IsNonCookieUrl;
using privacy_testing::AllCacheUrls;
using privacy_testing::InCache;
using testing::UnorderedElementsAre;

namespace {

const std::string kCookie = "Cookie:user@shop.example/";
const std::string kSecondCookie = "Cookie:user@news.example/";
// "Cookie" inside, but neither at the start nor missing: no clear takes it.
const std::string kCookieImage = "http://shop.example/img/Cookie.gif";
const std::string kPage = "http://shop.example/index.html";
const std::string kLowerCookie = "cookie:user@lower.example/";

class ClsCashTest : public privacy_testing::UrlCacheTest {
protected:
    void FillCache() {
        Add(kCookie, platform::kNormalCacheEntry | platform::kCookieCacheEntry);
        Add(kCookieImage, platform::kNormalCacheEntry);
        Add(kPage, platform::kNormalCacheEntry);
        Add(kLowerCookie, platform::kNormalCacheEntry);
        Add(kSecondCookie, platform::kNormalCacheEntry | platform::kCookieCacheEntry);
    }
    ClsCash cash_;
};

TEST(CookieTest, OnlyAUrlBeginningWithTheCapitalisedWordIsACookie) {
    EXPECT_TRUE(IsCookieUrl("Cookie:user@site/"));
    EXPECT_TRUE(IsCookieUrl("Cookie"));
    EXPECT_FALSE(IsCookieUrl("cookie:user@site/"));
    EXPECT_FALSE(IsCookieUrl("http://site/Cookie.gif"));
    EXPECT_FALSE(IsCookieUrl("Cooki"));
    EXPECT_FALSE(IsCookieUrl(""));

    EXPECT_TRUE(IsNonCookieUrl("http://site/page.html"));
    EXPECT_TRUE(IsNonCookieUrl("cookie:user@site/"));
    EXPECT_TRUE(IsNonCookieUrl(""));
    EXPECT_FALSE(IsNonCookieUrl("http://site/Cookie.gif"));
    EXPECT_FALSE(IsNonCookieUrl("Cookie:user@site/"));
}

// Wine marks every entry it stores as normal, so entries of other kinds
// exist only on Windows: the type test is checked on its own.
TEST(CookieTest, OnlyNormalEntriesAreListed) {
    EXPECT_TRUE(privacy::IsListedEntry(platform::kNormalCacheEntry));
    EXPECT_TRUE(privacy::IsListedEntry(platform::kNormalCacheEntry | platform::kCookieCacheEntry));
    EXPECT_FALSE(privacy::IsListedEntry(platform::kCookieCacheEntry));
    EXPECT_FALSE(privacy::IsListedEntry(platform::kUrlHistoryCacheEntry));
    EXPECT_FALSE(privacy::IsListedEntry(0));
}

TEST_F(ClsCashTest, ListAppendsEveryEntryAfterWhatTheListHeld) {
    std::vector<std::string> list;
    cash_.GetCacheURLList(list);
    EXPECT_TRUE(list.empty());

    FillCache();
    list = {"kept"};
    cash_.GetCacheURLList(list);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0], "kept");
    std::vector<std::string> listed(list.begin() + 1, list.end());
    EXPECT_THAT(listed, UnorderedElementsAre(kCookie, kSecondCookie, kCookieImage, kPage, kLowerCookie));
}

TEST_F(ClsCashTest, ClearCashTakesWhatHoldsNoCookieWordAndKeepsTheRest) {
    FillCache();
    cash_.ClearCash();
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kCookie, kSecondCookie, kCookieImage));
    // A second clear finds nothing more to take.
    cash_.ClearCash();
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kCookie, kSecondCookie, kCookieImage));
}

TEST_F(ClsCashTest, ClearCookiesTakesOnlyCookieEntries) {
    FillCache();
    cash_.ClearCookies();
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kCookieImage, kPage, kLowerCookie));
}

TEST_F(ClsCashTest, BothClearsTogetherLeaveOnlyUrlsWithTheWordInside) {
    FillCache();
    cash_.ClearCookies();
    cash_.ClearCash();
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kCookieImage));
}

TEST_F(ClsCashTest, DeleteCashEntryTakesExactlyThatEntry) {
    FillCache();
    cash_.DeleteCashEntry(kSecondCookie);
    EXPECT_FALSE(InCache(kSecondCookie));
    EXPECT_EQ(AllCacheUrls().size(), 4u);
    // Gone already, or never there: nothing else changes.
    cash_.DeleteCashEntry(kSecondCookie);
    cash_.DeleteCashEntry("http://never.example/");
    EXPECT_EQ(AllCacheUrls().size(), 4u);
}

TEST_F(ClsCashTest, NonAsciiUrlsRoundTrip) {
    const std::string url = "http://shop.example/\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0.html";
    Add(url, platform::kNormalCacheEntry);
    std::vector<std::string> list;
    cash_.GetCacheURLList(list);
    EXPECT_THAT(list, UnorderedElementsAre(url));
    cash_.ClearCash();
    EXPECT_FALSE(InCache(url));
}

TEST_F(ClsCashTest, ManyEntriesAreAllListed) {
    // Long URLs make records larger than the walk's first buffer.
    std::string tail(1500, 'a');
    for (int i = 0; i < 40; ++i)
        Add("http://many.example/" + std::to_string(i) + "/" + tail, platform::kNormalCacheEntry);
    std::vector<std::string> list;
    cash_.GetCacheURLList(list);
    EXPECT_EQ(list.size(), 40u);
}

}  // namespace
