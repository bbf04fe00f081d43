// The options page, the about page and every custom control in its states:
// gallery (all of them) or gallery-options|about|controls (one at a time, for
// high DPI).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

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

HWND MakeWindow(const wchar_t* className, const wchar_t* title, DWORD style, HWND parent, int x, int y, int w, int h) {
    return ::CreateWindowExW(0, className, title, style, x, y, w, h, parent, nullptr, ::GetModuleHandleW(nullptr),
                             nullptr);
}

RECT R(int left, int top, int right, int bottom) { return RECT{Scale(left), Scale(top), Scale(right), Scale(bottom)}; }

}  // namespace

int ShowGallery(const Request& request) {
    const std::string& part = request.state;
    const auto host = MakeHost(L"Clarimo controls", 1250, 920);
    const HWND frame = host->hwnd();

    // The two pages, each in an area of its own as the main window holds them.
    const bool all = part.empty();
    const int areaStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    HWND optionsArea = MakeWindow(L"STATIC", L"", areaStyle, frame, Scale(10), Scale(10), Scale(600), Scale(420));
    HWND aboutArea =
        MakeWindow(L"STATIC", L"", areaStyle, frame, all ? Scale(620) : Scale(10), Scale(10), Scale(590), Scale(420));
    HWND panelArea =
        MakeWindow(L"STATIC", L"", areaStyle, frame, Scale(10), all ? Scale(440) : Scale(10), Scale(1200), Scale(460));
    ::ShowWindow(optionsArea, all || part == "options" ? SW_SHOW : SW_HIDE);
    ::ShowWindow(aboutArea, all || part == "about" ? SW_SHOW : SW_HIDE);
    ::ShowWindow(panelArea, all || part == "controls" ? SW_SHOW : SW_HIDE);
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

    std::vector<std::unique_ptr<controls::TabButton>> tabs;
    std::vector<std::unique_ptr<controls::TabButtonWindow>> tabWindows;
    const char* tabCaptions[] = {"Junk Files", "Privacy", "Startup Manager", "Processes", "Options", "About"};
    for (int i = 0; i < 6; ++i) {
        auto tab = std::make_unique<controls::TabButton>();
        tab->SetCaption(tabCaptions[i]);
        tab->SetThemeColor(controls::ThemeColor);
        auto window = std::make_unique<controls::TabButtonWindow>(*tab);
        window->Create(panel.hwnd(), R(16, 16 + i * 34, 196, 16 + i * 34 + 32));
        if (i == 0) tab->SetSelectButton(true);
        if (i == 1) tab->OnMouseMove(true);
        if (i == 2) tab->OnButtonDown(controls::MouseButton::Left);
        if (i == 5) tab->SetEnabled(false);
        tabs.push_back(std::move(tab));
        tabWindows.push_back(std::move(window));
    }

    std::vector<std::unique_ptr<controls::RoundBtn>> rounds;
    std::vector<std::unique_ptr<controls::RoundBtnWindow>> roundWindows;
    const char* roundCaptions[] = {"Junk Files", "Privacy", "Startup", "Processes", "Options", "About"};
    for (int i = 0; i < 6; ++i) {
        auto round = std::make_unique<controls::RoundBtn>();
        round->SetCaption(roundCaptions[i]);
        auto window = std::make_unique<controls::RoundBtnWindow>(*round);
        window->Create(panel.hwnd(), R(220 + i * 96, 16, 220 + i * 96 + 90, 42));
        rounds.push_back(std::move(round));
        roundWindows.push_back(std::move(window));
    }
    rounds[3]->SelectButton(true);
    rounds[1]->OnMouseMove(true);
    rounds[5]->SetEnabled(false);

    std::vector<std::unique_ptr<controls::Link>> links;
    std::vector<std::unique_ptr<controls::LinkWindow>> linkWindows;
    const char* linkCaptions[] = {"Manage Cookies", "Hovered link", "Disabled link", "Default colours"};
    for (int i = 0; i < 4; ++i) {
        auto link = std::make_unique<controls::Link>();
        link->SetCaption(linkCaptions[i]);
        if (i < 3) {
            link->SetForeColor(controls::ThemeTextColor);
            link->SetBackColor(controls::ThemeBackColor);
            link->SetOverColor(controls::Blend(controls::ThemeTextColor, controls::kBlack, 160));
        }
        auto window = std::make_unique<controls::LinkWindow>(*link);
        window->Create(panel.hwnd(), RECT{0, 0, 10, 10});
        const SIZE size = window->PreferredSize();
        ::MoveWindow(window->hwnd(), Scale(220 + i * 150), Scale(64), size.cx, size.cy, TRUE);
        if (i == 1) link->OnMouseMove({}, true);
        if (i == 2) link->SetEnabled(false);
        links.push_back(std::move(link));
        linkWindows.push_back(std::move(window));
    }

    std::vector<std::unique_ptr<controls::ProgBar>> bars;
    std::vector<std::unique_ptr<controls::ProgBarWindow>> barWindows;
    for (int i = 0; i < 5; ++i) {
        auto bar = std::make_unique<controls::ProgBar>();
        auto window = std::make_unique<controls::ProgBarWindow>(*bar);
        window->Create(panel.hwnd(), R(220, 100 + i * 30, 620, 100 + i * 30 + 20));
        bars.push_back(std::move(bar));
        barWindows.push_back(std::move(window));
    }
    bars[0]->SetBarValue(0);
    bars[1]->SetBarValue(40);
    bars[2]->SetBarMax(3);
    bars[2]->SetBarValue(3);
    bars[3]->SetBarSegments(true);
    bars[3]->SetBarValue(65);
    bars[3]->SetBarProgressColor(controls::ThemeColor);
    bars[4]->SetBarValue(50);
    bars[4]->SetShowText(true);
    bars[4]->SetBarText("Deleting : C:\\Temp\\old.tmp");
    bars[4]->SetBarProgressColor(controls::ThemeLightColor);

    controls::ErrorMsg error;
    controls::ErrorMsg information;
    controls::ErrorMsg fading;
    controls::ErrorMsgWindow errorWindow(error);
    controls::ErrorMsgWindow informationWindow(information);
    controls::ErrorMsgWindow fadingWindow(fading);
    errorWindow.Create(panel.hwnd(), Scale(660), Scale(100));
    informationWindow.Create(panel.hwnd(), Scale(690), Scale(100));
    fadingWindow.Create(panel.hwnd(), Scale(720), Scale(100));
    for (controls::ErrorMsg* balloon : {&error, &information, &fading}) balloon->SetBackColor(controls::ThemeBackColor);
    error.ShowError("Selected folder Does not exists, Plaese select a valid folder.");
    information.ShowInformation("You can't change the junk files settings while the junk files tool is running.");
    fading.ShowInformation("Half way");
    // Run the fades now rather than on their 1 ms timers.
    for (int i = 0; i < 200; ++i) {
        error.OnFadeTimer();
        information.OnFadeTimer();
        if (i < 64) fading.OnFadeTimer();
    }
    // The page's own balloons too.
    options.Info.ShowInformation("You can't change the junk files settings while the junk files tool is running.");
    options.Er.ShowError("Selected folder Does not exists, Plaese select a valid folder.");
    for (int i = 0; i < 200; ++i) {
        options.Info.OnFadeTimer();
        options.Er.OnFadeTimer();
    }

    ::ShowWindow(frame, SW_SHOW);
    ::UpdateWindow(frame);

    Stay(request, frame);
    return 0;
}

}  // namespace shots
