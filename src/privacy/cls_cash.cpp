#include "privacy/cls_cash.h"

namespace privacy {

bool IsCookieUrl(std::string_view url) { return url.substr(0, 6) == "Cookie"; }

bool IsNonCookieUrl(std::string_view url) { return url.find("Cookie") == std::string_view::npos; }

void ClsCash::GetCacheURLList(std::vector<std::string>&) const {}

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

bool ClsCash::ClearHistory() { return false; }

void ClsCash::DeleteCashEntry(const std::string&) {}

}  // namespace privacy
