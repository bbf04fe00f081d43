// Shows the cookies manager over made-up cookie entries for a few seconds,
// so that tests/tools/cookies_shots.sh can take a screenshot.
//   cookies_shots.exe [empty]
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>
#include <vector>

#include "platform/ui.h"
#include "platform/url_cache.h"
#include "privacy/frm_cookies_window.h"

namespace {

void Pump(int milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (platform::TranslateDialogKeys(message)) continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        // Waiting in the message wait (not Sleep) lets Wine show what was drawn.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    platform::InitCommonControls();
    if (mode == L"empty") {
        std::vector<std::string> urls;
        platform::ForEachUrlCacheEntry([&urls](const std::string& url, uint32_t) { urls.push_back(url); });
        for (const std::string& url : urls) platform::DeleteUrlCacheEntryByUrl(url);
    } else {
        const char* sites[] = {"www.example.com/", "shop.example.org/", "news.example.net/account/",
                               "mail.example.com/", "a-rather-long-host-name.example.co.uk/preferences/"};
        for (const char* site : sites)
            platform::AddUrlCacheEntry(std::string("Cookie:user@") + site,
                                       platform::kNormalCacheEntry | platform::kCookieCacheEntry);
        platform::AddUrlCacheEntry("http://www.example.com/Cookie.gif", platform::kNormalCacheEntry);
    }
    privacy::FrmCookies logic;
    privacy::FrmCookiesWindow window(logic);
    if (!window.Create(nullptr)) return 1;
    if (mode != L"empty")
        ListView_SetItemState(window.List(), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Pump(7000);
    return 0;
}
