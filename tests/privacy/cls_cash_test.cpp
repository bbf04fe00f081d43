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
const std::string kSticky = "http://shop.example/sticky-only.css";

class ClsCashTest : public privacy_testing::UrlCacheTest {
protected:
    void FillCache() {
        Add(kCookie, platform::kNormalCacheEntry | platform::kCookieCacheEntry);
        Add(kCookieImage, platform::kNormalCacheEntry);
        Add(kPage, platform::kNormalCacheEntry);
        Add(kLowerCookie, platform::kNormalCacheEntry);
        Add(kSecondCookie, platform::kNormalCacheEntry | platform::kCookieCacheEntry);
        // An entry without the normal bit: never listed, never deleted.
        Add(kSticky, platform::kStickyCacheEntry);
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

TEST_F(ClsCashTest, ListAppendsEveryNormalEntryAndNothingElse) {
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
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kCookie, kSecondCookie, kCookieImage, kSticky));
    // A second clear finds nothing more to take.
    cash_.ClearCash();
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kCookie, kSecondCookie, kCookieImage, kSticky));
}

TEST_F(ClsCashTest, ClearCookiesTakesOnlyCookieEntries) {
    FillCache();
    cash_.ClearCookies();
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kCookieImage, kPage, kLowerCookie, kSticky));
}

TEST_F(ClsCashTest, BothClearsTogetherLeaveOnlyTheInBetweenAndNonNormalEntries) {
    FillCache();
    cash_.ClearCookies();
    cash_.ClearCash();
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kCookieImage, kSticky));
}

TEST_F(ClsCashTest, DeleteCashEntryTakesExactlyThatEntry) {
    FillCache();
    cash_.DeleteCashEntry(kSecondCookie);
    EXPECT_FALSE(InCache(kSecondCookie));
    EXPECT_EQ(AllCacheUrls().size(), 5u);
    // Gone already, or never there: nothing else changes.
    cash_.DeleteCashEntry(kSecondCookie);
    cash_.DeleteCashEntry("http://never.example/");
    EXPECT_EQ(AllCacheUrls().size(), 5u);
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
