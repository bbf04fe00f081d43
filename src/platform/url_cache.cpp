#include "platform/url_cache.h"

// clang-format off
#include <windows.h>
#include <wininet.h>
#include <urlhist.h>
// clang-format on

#include <vector>

#include "platform/handles.h"
#include "platform/utf.h"

namespace platform {

void CloseUrlCacheFind(HANDLE find) noexcept { ::FindCloseUrlCache(find); }

namespace {

// {3C374A40-BAE4-11CF-BF7D-00AA006946EE} and {AFA0DC11-C313-11D0-831A-00C04FD5AE38},
// spelled out so that no GUID library is needed.
constexpr GUID kUrlHistoryClass = {0x3c374a40, 0xbae4, 0x11cf, {0xbf, 0x7d, 0x00, 0xaa, 0x00, 0x69, 0x46, 0xee}};
constexpr GUID kUrlHistoryStg2 = {0xafa0dc11, 0xc313, 0x11d0, {0x83, 0x1a, 0x00, 0xc0, 0x4f, 0xd5, 0xae, 0x38}};

// One entry's variable-size record; 8-byte units keep the structure aligned.
class EntryBuffer {
public:
    INTERNET_CACHE_ENTRY_INFOW* info() { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(words_.data()); }
    DWORD size() const { return static_cast<DWORD>(words_.size() * sizeof(uint64_t)); }
    void grow(DWORD bytes) { words_.resize((bytes + sizeof(uint64_t) - 1) / sizeof(uint64_t)); }
    // The record's first field holds the size of the buffer.
    void stamp() { info()->dwStructSize = size(); }

private:
    std::vector<uint64_t> words_ = std::vector<uint64_t>(128);
};

void Visit(INTERNET_CACHE_ENTRY_INFOW* info, const std::function<void(const std::string& url, uint32_t type)>& visit) {
    std::string url = info->lpszSourceUrlName ? ToUtf8(info->lpszSourceUrlName) : std::string();
    visit(url, info->CacheEntryType);
}

}  // namespace

void ForEachUrlCacheEntry(const std::function<void(const std::string& url, uint32_t type)>& visit) {
    EntryBuffer buffer;
    UniqueUrlCacheFind find;
    for (int attempt = 0; attempt < 2 && !find; ++attempt) {
        DWORD needed = buffer.size();
        buffer.stamp();
        find.reset(::FindFirstUrlCacheEntryW(nullptr, buffer.info(), &needed));
        if (!find) {
            if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return;
            buffer.grow(needed);
        }
    }
    if (!find) return;
    Visit(buffer.info(), visit);
    for (;;) {
        DWORD needed = buffer.size();
        buffer.stamp();
        if (::FindNextUrlCacheEntryW(find.get(), buffer.info(), &needed)) {
            Visit(buffer.info(), visit);
            continue;
        }
        // A larger record than any before: grow once and ask again.
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) return;
        buffer.grow(needed);
        needed = buffer.size();
        buffer.stamp();
        if (!::FindNextUrlCacheEntryW(find.get(), buffer.info(), &needed)) return;
        Visit(buffer.info(), visit);
    }
}

bool DeleteUrlCacheEntryByUrl(const std::string& url) { return ::DeleteUrlCacheEntryW(ToWide(url).c_str()) != FALSE; }

bool AddUrlCacheEntry(const std::string& url, uint32_t type) {
    FILETIME none{};
    return ::CommitUrlCacheEntryW(ToWide(url).c_str(), nullptr, none, none, type, nullptr, 0, nullptr, nullptr) !=
           FALSE;
}

bool ClearUrlHistory() {
    ComApartment apartment;
    ComPtr<IUrlHistoryStg2> history;
    if (FAILED(history.create(kUrlHistoryClass, kUrlHistoryStg2))) return false;
    return SUCCEEDED(history->ClearHistory());
}

}  // namespace platform
