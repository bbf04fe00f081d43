// The privacy page (top, scrolled to the Programs group, at its end with a
// Chrome profile present, with the balloon, under the please-wait window) and
// the cookies manager.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
// clang-format on

#include "core/cls_file_folder.h"
#include "platform/handles.h"
#include "platform/url_cache.h"
#include "platform/utf.h"
#include "privacy/frm_cookies_window.h"
#include "privacy/frm_privacy_window.h"
#include "privacy/privacy_catalogue.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "window_shots.h"

namespace shots {

int ShowPrivacy(const Request& request) {
    // Three programs with recent lists, the others absent.
    for (int index : {12, 15, 17}) {
        platform::UniqueRegKey key;
        ::RegCreateKeyExW(HKEY_CURRENT_USER, platform::ToWide(privacy::Catalogue()[index].keys[0]).c_str(), 0, nullptr,
                          0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    }
    const bool browsers = request.state == "browsers", programs = request.state == "programs";
    if (browsers)
        testing_support::MakeFolder(core::ClsFileFolder().GetSpecialFolder(CSIDL_LOCAL_APPDATA) +
                                    "\\Google\\Chrome\\User Data\\Default");
    const auto host = MakeHost(L"Clarimo - Privacy", 500, 400);
    const HWND area = Area(host->hwnd(), R(10, 10, 480, 330));
    testing_support::ScriptedPrompts prompts;
    privacy::FrmPrivacyWindow page(prompts);
    page.progressOpacity = 255;  // layered windows show black under Xvfb
    page.Create(area, Area(host->hwnd(), R(10, 346, 480, 40)));
    ::SetWindowPos(page.Panel(), nullptr, 0, 0, Scale(480), Scale(330), SWP_NOZORDER);
    ::ShowWindow(page.Panel(), SW_SHOW);
    privacy::Frm_Privacy& logic = page.Logic();
    for (int item : {0, 2, 11}) logic.SetChecked(item, true);
    page.Sync();
    testing_support::PumpMessages(500);

    if (programs) logic.Mnu_Pop_Programs_Click();
    if (request.state == "balloon") logic.Balloon.ShowError(privacy::LeftAloneText({"C:\\"}));
    if (request.state == "progress") {
        testing_support::PumpMessages(1500);
        // The clean waits here, so that the window stays up for the shot.
        logic.onShowProgress([&] { Stay(request); });
        return 0;
    }
    page.Sync();
    ::SetFocus(page.CheckBox(programs ? 12 : browsers ? privacy::kChromeItem : 0));
    if (browsers) ::SendMessageW(page.Panel(), WM_VSCROLL, SB_BOTTOM, 0);
    Stay(request);
    return 0;
}

int ShowCookies(const Request& request) {
    for (const char* site : {"www.example.com/", "shop.example.org/", "news.example.net/account/", "mail.example.com/",
                             "a-rather-long-host-name.example.co.uk/preferences/"})
        platform::AddUrlCacheEntry(std::string("Cookie:user@") + site,
                                   platform::kNormalCacheEntry | platform::kCookieCacheEntry);
    platform::AddUrlCacheEntry("http://www.example.com/Cookie.gif", platform::kNormalCacheEntry);
    privacy::FrmCookies logic;
    privacy::FrmCookiesWindow window(logic);
    if (!window.Create(nullptr)) return 1;
    ListView_SetItemState(window.List(), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Stay(request, window.Window());
    return 0;
}

}  // namespace shots
