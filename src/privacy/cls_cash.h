// The browser's URL cache and URL history: lists the source URLs of the
// cache entries, deletes entries by URL, the cookie entries or all the
// others, and clears the history.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace privacy {

// Cookie entry: URL begins with "Cookie" (case-sensitive); the browser names
// its cookie entries that way.
bool IsCookieUrl(std::string_view url);
// Non-cookie entry: the URL holds "Cookie" nowhere (case-sensitive). A URL
// with "Cookie" further in is neither kind.
bool IsNonCookieUrl(std::string_view url);

// Entries of other kinds than normal ones (type bit 0) are never listed.
bool IsListedEntry(uint32_t type);

class ClsCash {
public:
    // Appends the URL of every normal cache entry (type bit 0), in enumeration order.
    void GetCacheURLList(std::vector<std::string>& list) const;
    void ClearCash();     // every entry whose URL does not contain "Cookie"
    void ClearCookies();  // every entry whose URL begins with "Cookie"
    bool ClearHistory();  // false when the history object fails (Wine: not implemented)
    void DeleteCashEntry(const std::string& url);

private:
    // The list the last ClearCash or ClearCookies walked.
    std::vector<std::string> urls_;
};

}  // namespace privacy
