// The options page, the about page and every custom control in its states:
// gallery (all of them) or gallery-options|about|controls (one at a time, for
// high DPI).
#include <windows.h>

#include <array>
#include <string>

#include "controls/error_msg_window.h"
#include "controls/link_window.h"
#include "controls/page_panel.h"
#include "controls/prog_bar_window.h"
#include "controls/round_btn_window.h"
#include "controls/tab_button_window.h"
#include "controls/theme.h"
#include "shell/frm_about_window.h"
#include "shell/frm_options_window.h"
#include "support/scripted_prompts.h"
#include "window_shots.h"

namespace shots {
namespace {

// A control's logic with its window over it.
template <class Logic, class Window>
struct Shown {
    Logic logic;
    Window window{logic};
};

RECT R(int left, int top, int right, int bottom) { return RECT{Scale(left), Scale(top), Scale(right), Scale(bottom)}; }

}  // namespace

int ShowGallery(const Request& request) {
    const std::string& part = request.state;
    const auto host = MakeHost(L"Clarimo controls", 1250, 920);
    const HWND frame = host->hwnd();

    // The two pages and the controls, each in an area of its own as the main
    // window holds them: side by side for "gallery", else the one asked.
    const bool all = part.empty();
    const struct {
        const char* name;
        RECT whenAll;
    } parts[] = {
        {"options", R(10, 10, 610, 430)}, {"about", R(620, 10, 1210, 430)}, {"controls", R(10, 440, 1210, 900)}};
    HWND areas[3];
    for (int i = 0; i < 3; ++i) {
        const RECT& place = parts[i].whenAll;
        areas[i] = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_CLIPCHILDREN, all ? place.left : Scale(10),
                                     all ? place.top : Scale(10), place.right - place.left, place.bottom - place.top,
                                     frame, nullptr, nullptr, nullptr);
        ::ShowWindow(areas[i], all || part == parts[i].name ? SW_SHOW : SW_HIDE);
    }
    const HWND optionsArea = areas[0], aboutArea = areas[1], panelArea = areas[2];
    testing_support::ScriptedPrompts prompts;
    shell::Frm_Options options(prompts);
    shell::Frm_OptionsWindow optionsWindow(options);
    optionsWindow.Create(optionsArea);
    shell::Frm_About about(prompts);
    shell::Frm_AboutWindow aboutWindow(about);
    aboutWindow.Create(aboutArea);

    // The controls in their states, on a page-coloured panel.
    controls::PagePanel panel;
    panel.Create(panelArea);
    ::ShowWindow(panel.hwnd(), SW_SHOW);

    std::array<Shown<controls::TabButton, controls::TabButtonWindow>, 6> tabs;
    std::array<Shown<controls::RoundBtn, controls::RoundBtnWindow>, 6> rounds;
    const char* captions[] = {"Junk Files", "Privacy", "Startup Manager", "Processes", "Options", "About"};
    for (int i = 0; i < 6; ++i) {
        tabs[i].logic.SetCaption(captions[i]);
        tabs[i].logic.SetThemeColor(controls::ThemeColor);
        tabs[i].window.Create(panel.hwnd(), R(16, 16 + i * 34, 196, 16 + i * 34 + 32));
        rounds[i].logic.SetCaption(i == 2 ? "Startup" : captions[i]);
        rounds[i].window.Create(panel.hwnd(), R(220 + i * 96, 16, 220 + i * 96 + 90, 42));
    }
    tabs[0].logic.SetSelectButton(true);
    tabs[1].logic.OnMouseMove(true);
    tabs[2].logic.OnButtonDown(controls::MouseButton::Left);
    tabs[5].logic.SetEnabled(false);
    rounds[3].logic.SelectButton(true);
    rounds[1].logic.OnMouseMove(true);
    rounds[5].logic.SetEnabled(false);

    std::array<Shown<controls::Link, controls::LinkWindow>, 4> links;
    const char* linkCaptions[] = {"Manage Cookies", "Hovered link", "Disabled link", "Default colours"};
    for (int i = 0; i < 4; ++i) {
        controls::Link& link = links[i].logic;
        link.SetCaption(linkCaptions[i]);
        if (i < 3) {
            link.SetForeColor(controls::ThemeTextColor);
            link.SetBackColor(controls::ThemeBackColor);
            link.SetOverColor(controls::Blend(controls::ThemeTextColor, controls::kBlack, 160));
        }
        links[i].window.Create(panel.hwnd(), RECT{0, 0, 10, 10});
        const SIZE size = links[i].window.PreferredSize();
        ::MoveWindow(links[i].window.hwnd(), Scale(220 + i * 150), Scale(64), size.cx, size.cy, TRUE);
    }
    links[1].logic.OnMouseMove({}, true);
    links[2].logic.SetEnabled(false);

    std::array<Shown<controls::ProgBar, controls::ProgBarWindow>, 5> bars;
    for (int i = 0; i < 5; ++i) bars[i].window.Create(panel.hwnd(), R(220, 100 + i * 30, 620, 100 + i * 30 + 20));
    bars[0].logic.SetBarValue(0);
    bars[1].logic.SetBarValue(40);
    bars[2].logic.SetBarMax(3);
    bars[2].logic.SetBarValue(3);
    bars[3].logic.SetBarSegments(true);
    bars[3].logic.SetBarValue(65);
    bars[3].logic.SetBarProgressColor(controls::ThemeColor);
    bars[4].logic.SetBarValue(50);
    bars[4].logic.SetShowText(true);
    bars[4].logic.SetBarText("Deleting : C:\\Temp\\old.tmp");
    bars[4].logic.SetBarProgressColor(controls::ThemeLightColor);

    // An error, an information and a half-faded balloon, with the page's own
    // two; the fades run now rather than on their 1 ms timers.
    std::array<Shown<controls::ErrorMsg, controls::ErrorMsgWindow>, 3> balloons;
    for (int i = 0; i < 3; ++i) {
        balloons[i].window.Create(panel.hwnd(), Scale(660 + i * 30), Scale(100));
        balloons[i].logic.SetBackColor(controls::ThemeBackColor);
    }
    const std::string folderError = "Selected folder Does not exists, Plaese select a valid folder.";
    const std::string busyInformation =
        "You can't change the junk files settings while the junk files tool is running.";
    balloons[0].logic.ShowError(folderError);
    balloons[1].logic.ShowInformation(busyInformation);
    balloons[2].logic.ShowInformation("Half way");
    options.Info.ShowInformation(busyInformation);
    options.Er.ShowError(folderError);
    for (int i = 0; i < 200; ++i)
        for (controls::ErrorMsg* balloon : {&balloons[0].logic, &balloons[1].logic, &options.Info, &options.Er})
            balloon->OnFadeTimer();
    for (int i = 0; i < 64; ++i) balloons[2].logic.OnFadeTimer();

    ::ShowWindow(frame, SW_SHOW);
    ::UpdateWindow(frame);

    Stay(request, frame);
    return 0;
}

}  // namespace shots
