#include "privacy/frm_cookies.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cash_fixture.h"
#include "platform/url_cache.h"

using privacy::FrmCookies;
using privacy_testing::AllCacheUrls;
using privacy_testing::InCache;
using testing::ElementsAre;
using testing::UnorderedElementsAre;

namespace {

const std::string kFirst = "Cookie:user@first.example/";
const std::string kSecond = "Cookie:user@second.example/";
const std::string kImage = "http://first.example/Cookie.gif";
const std::string kPage = "http://first.example/";

class FrmCookiesTest : public privacy_testing::UrlCacheTest {
protected:
    void FillCache() {
        Add(kFirst, platform::kNormalCacheEntry | platform::kCookieCacheEntry);
        Add(kImage, platform::kNormalCacheEntry);
        Add(kSecond, platform::kNormalCacheEntry | platform::kCookieCacheEntry);
        Add(kPage, platform::kNormalCacheEntry);
    }
    FrmCookies form_;
};

TEST_F(FrmCookiesTest, EmptyCacheGivesAnEmptyListWithBothButtonsDisabled) {
    Add(kImage, platform::kNormalCacheEntry);
    form_.Form_Load();
    EXPECT_TRUE(form_.Rows().empty());
    EXPECT_FALSE(form_.RemoveEnabled());
    EXPECT_FALSE(form_.ClearEnabled());
    EXPECT_EQ(form_.LabelText(), "Cookies Number : 0");
}

TEST_F(FrmCookiesTest, ListsCookiesOnlyAndRemoveFollowsTheSelection) {
    FillCache();
    int changes = 0;
    form_.onChange = [&changes] { ++changes; };
    form_.Form_Load();
    EXPECT_GT(changes, 0);
    EXPECT_THAT(form_.Rows(), UnorderedElementsAre(kFirst, kSecond));
    EXPECT_FALSE(form_.RemoveEnabled());  // nothing selected yet
    EXPECT_TRUE(form_.ClearEnabled());
    EXPECT_EQ(form_.LabelText(), "Cookies Number : 2");

    form_.SelectRow(1);
    form_.Lv_Click();
    EXPECT_TRUE(form_.RemoveEnabled());
    form_.SelectRow(5);  // past the end: no row
    form_.Lv_Click();
    EXPECT_FALSE(form_.RemoveEnabled());

    form_.SelectRow(1);
    const std::string removed = form_.Rows()[1];
    const std::string kept = form_.Rows()[0];
    form_.Cmd_Remove_Click();
    EXPECT_FALSE(InCache(removed));
    EXPECT_THAT(form_.Rows(), ElementsAre(kept));
    EXPECT_EQ(form_.SelectedRow(), -1);
    EXPECT_FALSE(form_.RemoveEnabled());
    EXPECT_TRUE(form_.ClearEnabled());
    EXPECT_EQ(form_.LabelText(), "Cookies Number : 1");
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kept, kImage, kPage));

    // Remove without a selection deletes nothing.
    form_.Cmd_Remove_Click();
    EXPECT_THAT(form_.Rows(), ElementsAre(kept));
}

TEST_F(FrmCookiesTest, RefreshReloadsAndAlwaysDisablesRemove) {
    FillCache();
    form_.Form_Load();
    form_.SelectRow(0);
    form_.Lv_Click();
    ASSERT_TRUE(form_.RemoveEnabled());
    const std::string later = "Cookie:user@later.example/";
    Add(later, platform::kNormalCacheEntry | platform::kCookieCacheEntry);
    form_.Cmd_Refresh_Click();
    EXPECT_FALSE(form_.RemoveEnabled());
    EXPECT_THAT(form_.Rows(), UnorderedElementsAre(kFirst, kSecond, later));
    EXPECT_EQ(form_.LabelText(), "Cookies Number : 3");
}

TEST_F(FrmCookiesTest, ClearAllTakesEveryCookieAndNothingElse) {
    FillCache();
    form_.Form_Load();
    form_.Cmd_Clear_Click();
    EXPECT_TRUE(form_.Rows().empty());
    EXPECT_FALSE(form_.ClearEnabled());
    EXPECT_FALSE(form_.RemoveEnabled());
    EXPECT_EQ(form_.LabelText(), "Cookies Number : 0");
    EXPECT_THAT(AllCacheUrls(), UnorderedElementsAre(kImage, kPage));
}

}  // namespace
