#include "shell/frm_about_window.h"

#include <algorithm>

#include "platform/gdi.h"

namespace shell {
namespace {

constexpr char kDescription[] =
    "Clarimo frees disk space, removes usage traces, and controls the programs that start with Windows and the "
    "processes that run.";

}  // namespace

Frm_AboutWindow::Frm_AboutWindow(Frm_About& logic)
    : logic_(logic), home_(logic.LnkHome), email_(logic.LnkEmail), readme_(logic.LnkReadme), update_(logic.LnkUpdate) {}

bool Frm_AboutWindow::Create(HWND parent) {
    if (!panel_.Create(parent)) return false;
    panel_.onLayout = [this](int width, int height) { Layout(width, height); };
    panel_.onDpiChanged = [this] {
        MakeTitleFont();
        ::SendMessageW(Control(kLblName), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), TRUE);
    };
    Build();
    panel_.FollowTheme(controls::ThemeStage::AboutPage);
    RECT client;
    ::GetClientRect(panel_.hwnd(), &client);
    Layout(client.right, client.bottom);
    ::ShowWindow(panel_.hwnd(), SW_SHOW);
    return true;
}

void Frm_AboutWindow::MakeTitleFont() {
    LOGFONTW description = {};
    ::GetObjectW(panel_.Font(), sizeof(description), &description);
    description.lfHeight = description.lfHeight * 2;
    description.lfWeight = FW_BOLD;
    titleFont_.reset(::CreateFontIndirectW(&description));
}

void Frm_AboutWindow::Build() {
    HWND icon = panel_.AddControl(L"STATIC", "", SS_ICON | SS_REALSIZEIMAGE | SS_CENTERIMAGE, kIcon);
    const auto programIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"QX2ICON", IMAGE_ICON,
                                                             panel_.Scale(32), panel_.Scale(32), LR_SHARED));
    if (programIcon)
        ::SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(programIcon), 0);
    else
        ::ShowWindow(icon, SW_HIDE);
    HWND name = panel_.AddControl(L"STATIC", Frm_About::ProgramName(), SS_LEFT | SS_NOPREFIX, kLblName);
    MakeTitleFont();
    ::SendMessageW(name, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
    panel_.AddControl(L"STATIC", Frm_About::VersionText(), SS_LEFT | SS_NOPREFIX, kLblVersion);
    panel_.AddControl(L"STATIC", kDescription, SS_LEFT | SS_NOPREFIX, kLblDescription);
    home_.Create(panel_.hwnd(), RECT{0, 0, 10, 10}, kLnkHome);
    email_.Create(panel_.hwnd(), RECT{0, 0, 10, 10}, kLnkEmail);
    readme_.Create(panel_.hwnd(), RECT{0, 0, 10, 10}, kLnkReadme);
    update_.Create(panel_.hwnd(), RECT{0, 0, 10, 10}, kLnkUpdate);
}

void Frm_AboutWindow::Layout(int width, int height) {
    (void)height;
    HWND panel = panel_.hwnd();
    if (!panel) return;
    auto s = [this](int value96) { return panel_.Scale(value96); };
    auto place = [&](HWND control, int x, int y, int w, int h) {
        ::SetWindowPos(control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    platform::WindowDc dc(panel);
    const int margin = s(20);
    const int right = std::max(width - margin, margin + s(300));
    int x = margin;
    int y = s(18);
    HWND icon = Control(kIcon);
    // Its own style bit: IsWindowVisible is false for every child while the
    // page is hidden, which would leave the icon unplaced in the corner.
    if (::GetWindowLongW(icon, GWL_STYLE) & WS_VISIBLE) {
        place(icon, margin, y, s(32), s(32));
        x += s(32) + s(12);
    }
    const SIZE title = platform::MeasureText(dc.get(), titleFont_.get(), Frm_About::ProgramName());
    place(Control(kLblName), x, y, title.cx + s(8), title.cy);
    y += std::max<int>(title.cy, s(32)) + s(6);
    const int lineHeight = platform::MeasureText(dc.get(), panel_.Font(), "Ag").cy;
    place(Control(kLblVersion), x, y, right - x, lineHeight);
    y += lineHeight + s(12);
    RECT textRect = {0, 0, right - x, 0};
    {
        platform::SelectionGuard useFont(dc.get(), panel_.Font());
        platform::DrawTextUtf8(dc.get(), kDescription, textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    place(Control(kLblDescription), x, y, right - x, textRect.bottom);
    y += textRect.bottom + s(16);
    for (controls::LinkWindow* link : {&home_, &email_, &readme_, &update_}) {
        const SIZE size = link->PreferredSize();
        place(link->hwnd(), x, y, size.cx, size.cy);
        y += size.cy + s(6);
    }
}

}  // namespace shell
