#include "window_shots.h"

#include <cwchar>
#include <string_view>

#include "core/settings.h"
#include "platform/dpi.h"
#include "platform/ui.h"
#include "platform/utf.h"
#include "shell/themes.h"
#include "support/temp_folder.h"

namespace shots {
namespace {

constexpr struct {
    std::string_view name;
    int (*show)(const Request&);
} kAreas[] = {
    {"main", ShowMainWindow},  // main-PAGE[-compact]
    {"gallery", ShowGallery},  // gallery-options|about|controls
    {"privacy", ShowPrivacy},  // privacy-top|programs|browsers|balloon|progress
    {"cookies", ShowCookies},  // cookies
    {"proc", ShowProcesses},   // proc-details|modules|menu
    {"startup", ShowStartup},  // startup-page|add|all
    {"junk", ShowJunk},        // junk-results|menu|undo|options
    {"update", ShowUpdate},    // update-checking|offered
};

}  // namespace

int Scale(int value96) { return platform::ScaleForDpi(value96, platform::SystemDpi()); }

RECT R(int left, int top, int width, int height) {
    return RECT{Scale(left), Scale(top), Scale(left + width), Scale(top + height)};
}

HWND Area(HWND parent, const RECT& place) {
    return ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, place.left,
                             place.top, place.right - place.left, place.bottom - place.top, parent, nullptr, nullptr,
                             nullptr);
}

std::unique_ptr<testing_support::TestWindow> MakeHost(const wchar_t* title, int width, int height) {
    auto host = std::make_unique<testing_support::TestWindow>(Scale(width), Scale(height));
    ::SetWindowTextW(host->hwnd(), title);
    return host;
}

void Stay(const Request& request, HWND dialog) {
    dialog ? testing_support::PumpDialogMessages(dialog, request.seconds * 1000)
           : testing_support::PumpMessages(request.seconds * 1000);
}

}  // namespace shots

int wmain(int argc, wchar_t** argv) {
    const std::string shot = argc > 1 ? platform::ToUtf8(argv[1]) : "main-0";
    const int theme = argc > 2 ? _wtoi(argv[2]) : 0;
    const size_t dash = shot.find('-');
    const std::string area = shot.substr(0, dash);
    const shots::Request request{dash == std::string::npos ? "" : shot.substr(dash + 1),
                                 argc > 3 ? _wtoi(argv[3]) : 30};

    // The pointer away from the windows: no hover look or tool tip.
    ::SetCursorPos(0, 0);
    platform::InitCommonControls();
    testing_support::TempFolder settings;
    core::SetSettingsPaths(settings.path());
    core::WriteIni(core::MainIniPath, "Options", "Thm", std::to_string(theme));
    shell::ApplyTheme(theme);
    for (const auto& [name, show] : shots::kAreas)
        if (name == area) return show(request);
    return 2;
}
