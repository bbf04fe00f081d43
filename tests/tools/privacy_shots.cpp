// Shows the privacy page for a few seconds, so that privacy_shots.sh can
// take screenshots:
//   privacy_shots.exe top [THEME]        the page scrolled to the top
//   privacy_shots.exe programs [THEME]   scrolled to the Programs group
//   privacy_shots.exe progress [THEME]   the please-wait window over the page
//   privacy_shots.exe balloon [THEME]    after a clean that left a folder alone
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "controls/theme.h"
#include "platform/ui.h"
#include "platform/utf.h"
#include "privacy/frm_privacy_window.h"
#include "privacy/privacy_catalogue.h"
#include "shell/themes.h"
#include "support/scripted_prompts.h"

namespace {

void Pump(int milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        // Waiting in the message wait (not Sleep) lets Wine show what was drawn.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void AddKey(const char* path) {
    platform::UniqueRegKey key;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, platform::ToWide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.put(), nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"top";
    if (argc > 2) shell::ApplyTheme(std::stoi(argv[2]));
    platform::InitCommonControls();
    // Three programs with recent lists, the others absent.
    for (int index : {12, 15, 17}) AddKey(privacy::Catalogue()[index].keys[0]);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ClarimoShotsHost";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    ::RegisterClassW(&windowClass);
    const unsigned dpi = platform::SystemDpi();
    const int width = platform::ScaleForDpi(480, dpi), height = platform::ScaleForDpi(330, dpi);
    const int strip = platform::ScaleForDpi(36, dpi);
    const HWND host = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"ClarimoShotsHost", L"Clarimo - Privacy",
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, width + 40,
                                        height + strip + 60, nullptr, nullptr, windowClass.hInstance, nullptr);
    const HWND area = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                        10, 10, width, height, host, nullptr, nullptr, nullptr);
    const HWND buttons = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, height + 16,
                                           width, strip - 8, host, nullptr, nullptr, nullptr);

    testing_support::ScriptedPrompts prompts;
    privacy::FrmPrivacyWindow page(prompts);
    page.progressOpacity = 255;  // layered windows show black under Xvfb
    page.Create(area, buttons);
    ::SetWindowPos(page.Panel(), nullptr, 0, 0, width, height, SWP_NOZORDER);
    ::ShowWindow(page.Panel(), SW_SHOW);
    privacy::Frm_Privacy& logic = page.Logic();
    logic.SetChecked(0, true);
    logic.SetChecked(2, true);
    logic.SetChecked(11, true);
    page.Sync();
    Pump(500);

    if (mode == L"programs") {
        logic.Mnu_Pop_Programs_Click();
    } else if (mode == L"balloon") {
        logic.Balloon.ShowError(privacy::LeftAloneText({"C:\\"}));
    } else if (mode == L"progress") {
        Pump(1500);
        // The clean waits here, so that the window stays up for the shot.
        logic.onShowProgress([] { Pump(6000); });
        Pump(500);
        ::DestroyWindow(host);
        return 0;
    }
    page.Sync();
    ::SetFocus(page.CheckBox(mode == L"programs" ? 12 : 0));
    Pump(7000);
    ::DestroyWindow(host);
    return 0;
}
