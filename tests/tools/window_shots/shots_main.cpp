// The main window on one page, in the full or the compact view; every
// custom control in its states (gallery-controls), and the options and
// about pages as the main window shows them (gallery-options|about).
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
#include "core/results_tally.h"
#include "shell/frm_main.h"
#include "shell/frm_main_window.h"
#include "window_shots.h"

namespace shots {
namespace {

// A control's logic with its window over it.
template <class Logic, class Window>
struct Shown {
    Logic logic;
    Window window{logic};
};

// One letter a button: selected, hovered, pressed, disabled or plain.
void Pose(controls::PushControl& button, char look) {
    if (look == 's') button.OnKeyActivate();
    if (look == 'h') button.OnMouseMove(true);
    if (look == 'p') button.OnButtonDown(controls::MouseButton::Left);
    if (look == 'd') button.SetEnabled(false);
}

}  // namespace

int ShowMainWindow(const Request& request) {
    const int page = request.state.empty() ? 0 : std::stoi(request.state);
    shell::FrmMain form([] {});
    shell::FrmMainWindow window(form);
    if (!window.Show()) return 1;
    if (request.state.ends_with("compact")) form.SetCompactView(true);
    form.ShowPage(page);
    if (page == 0) {
        core::CleanedCount = 3;
        core::CleanedSize = 1536;
        form.ShowResult();
    }
    Stay(request);
    return 0;
}

int ShowGallery(const Request& request) {
    if (request.state != "controls") return ShowMainWindow({request.state == "about" ? "5" : "4", request.seconds});
    const auto host = MakeHost(L"Clarimo controls", 1250, 500);
    controls::PagePanel panel;
    panel.Create(Area(host->hwnd(), R(10, 10, 1200, 460)));
    ::ShowWindow(panel.hwnd(), SW_SHOW);
    const HWND parent = panel.hwnd();

    constexpr const char* kCaptions[] = {"Junk Files", "Privacy", "Startup Manager", "Processes", "Options", "About"};
    std::array<Shown<controls::TabButton, controls::TabButtonWindow>, 6> tabs;
    std::array<Shown<controls::RoundBtn, controls::RoundBtnWindow>, 6> rounds;
    for (int i = 0; i < 6; ++i) {
        tabs[i].logic.SetCaption(kCaptions[i]);
        tabs[i].logic.SetThemeColor(controls::ThemeColor);
        tabs[i].window.Create(parent, R(16, 16 + i * 34, 180, 32));
        Pose(tabs[i].logic, "shp  d"[i]);
        rounds[i].logic.SetCaption(i == 2 ? "Startup" : kCaptions[i]);
        rounds[i].window.Create(parent, R(220 + i * 96, 16, 90, 26));
        Pose(rounds[i].logic, " h s d"[i]);
    }

    // Themed plain, hovered and disabled links, and one in default colours.
    std::array<Shown<controls::Link, controls::LinkWindow>, 4> links;
    constexpr const char* kLinks[] = {"Manage Cookies", "Hovered link", "Disabled link", "Default colours"};
    for (int i = 0; i < 4; ++i) {
        controls::Link& link = links[i].logic;
        link.SetCaption(kLinks[i]);
        if (i < 3) {
            link.SetForeColor(controls::ThemeTextColor);
            link.SetBackColor(controls::ThemeBackColor);
            link.SetOverColor(controls::Blend(controls::ThemeTextColor, controls::kBlack, 160));
        }
        links[i].window.Create(parent, RECT{0, 0, 10, 10});
        const SIZE size = links[i].window.PreferredSize();
        ::MoveWindow(links[i].window.hwnd(), Scale(220 + i * 150), Scale(64), size.cx, size.cy, TRUE);
    }
    links[1].logic.OnMouseMove({}, true);
    links[2].logic.SetEnabled(false);

    std::array<Shown<controls::ProgBar, controls::ProgBarWindow>, 5> bars;
    for (int i = 0; i < 5; ++i) bars[i].window.Create(parent, R(220, 100 + i * 30, 400, 20));
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

    // An error, an information and a half-faded balloon.
    std::array<Shown<controls::ErrorMsg, controls::ErrorMsgWindow>, 3> balloons;
    for (int i = 0; i < 3; ++i) {
        balloons[i].window.Create(parent, Scale(660 + i * 30), Scale(100));
        balloons[i].logic.SetBackColor(controls::ThemeBackColor);
    }
    balloons[0].logic.ShowError("Selected folder Does not exists, Plaese select a valid folder.");
    balloons[1].logic.ShowInformation("You can't change the junk files settings while the junk files tool is running.");
    balloons[2].logic.ShowInformation("Half way");
    for (int i = 0; i < 3; ++i)  // fades run now rather than on their 1 ms timers
        for (int tick = 0; tick < (i < 2 ? 200 : 64); ++tick) balloons[i].logic.OnFadeTimer();
    Stay(request, host->hwnd());
    return 0;
}

}  // namespace shots
