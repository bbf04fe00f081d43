#include "privacy/cls_cash.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cash_fixture.h"

using namespace privacy;
using namespace privacy_testing;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

namespace {

class ClsCashTest : public UrlCacheTest {
protected:
    ClsCash cash_;
};

TEST_F(ClsCashTest, ListAppendsEveryEntryAfterWhatTheListHeld) {
    std::vector<std::string> list = {"kept"};
    cash_.GetCacheURLList(list);
    EXPECT_THAT(list, ElementsAre("kept"));
    FillCache();
    // Non-ASCII, and a record larger than the walk's first buffer.
    const std::string wide = "http://shop.example/\xD0\x9F\xD0\xB0\xD0\xBF/" + std::string(1500, 'a');
    Add(wide);
    cash_.GetCacheURLList(list);
    EXPECT_THAT(list, UnorderedElementsAre("kept", kCookie, kOtherCookie, kCookieImage, kPage, wide));
    // Wine stores every entry as a normal one, so only Windows has the other kinds.
    EXPECT_TRUE(IsListedEntry(platform::kNormalCacheEntry | platform::kCookieCacheEntry));
    EXPECT_FALSE(IsListedEntry(platform::kCookieCacheEntry));
    EXPECT_FALSE(IsListedEntry(platform::kUrlHistoryCacheEntry));
}

}  // namespace
