#include "shell/frm_options_window.h"

#include <algorithm>

#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/utf.h"
#include "platform/window_text.h"

namespace shell {
namespace {

constexpr char kJunkText[] =
    "Change junk files settings, add extensions to search for or edit the default extensions list and add folders "
    "to exclude from search.";

}  // namespace

Frm_OptionsWindow::Frm_OptionsWindow(Frm_Options& logic)
    : logic_(logic),
      junkOptions_(logic.JunkOptions),
      backup_(logic.LnkCs),
      restore_(logic.LnkRs),
      er_(logic.Er),
      info_(logic.Info) {}

Frm_OptionsWindow::~Frm_OptionsWindow() { Form_Unload(); }

bool Frm_OptionsWindow::Create(HWND parent) {
    if (!panel_.Create(parent)) return false;
    panel_.onCommand = [this](int id, int code, HWND control) { OnCommand(id, code, control); };
    panel_.onLayout = [this](int width, int height) { Layout(width, height); };
    panel_.onTimer = [this](UINT_PTR id) {
        if (id != kLoadTimer) return;
        ::KillTimer(panel_.hwnd(), kLoadTimer);
        logic_.Tm_Timer();
        ::ShowWindow(panel_.hwnd(), SW_SHOW);
    };
    Build();
    panel_.FollowTheme(controls::ThemeStage::OptionsPage);
    changed_ = logic_.changed.Connect([this] { Sync(); });
    logic_.Form_Load();
    ::SetTimer(panel_.hwnd(), kLoadTimer, 1, nullptr);
    RECT client;
    ::GetClientRect(panel_.hwnd(), &client);
    Layout(client.right, client.bottom);
    Sync();
    return true;
}

void Frm_OptionsWindow::Build() {
    panel_.AddControl(L"STATIC", "Theme Color:", SS_LEFT | SS_CENTERIMAGE, kLblTheme);
    HWND combo = panel_.AddControl(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kCmbTheme);
    for (const std::string& name : Frm_Options::ThemeNames()) {
        const std::wstring item = platform::ToWide(name);
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    panel_.AddThemedButton("Show confirmation dialog before removing files", BS_AUTOCHECKBOX | WS_TABSTOP, kChkCon);
    panel_.AddControl(L"STATIC", "Files Removal", SS_LEFT | SS_NOPREFIX, kGrpRemoval);
    panel_.AddThemedButton("Move removed files to recycle bin", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kOpt1);
    panel_.AddThemedButton("Delete files", BS_AUTORADIOBUTTON, kOpt2);
    panel_.AddThemedButton("Move removed files to : ", BS_AUTORADIOBUTTON, kOpt3);
    panel_.AddControl(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kTxtMove, WS_EX_CLIENTEDGE);
    panel_.AddControl(L"BUTTON", "Browse...", BS_PUSHBUTTON | WS_TABSTOP, kCmdBrowse);
    er_.Create(panel_.hwnd(), 0, 0, kEr);
    panel_.AddControl(L"STATIC", "Junk Files Option", SS_LEFT | SS_NOPREFIX, kGrpJunk);
    panel_.AddControl(L"STATIC", kJunkText, SS_LEFT | SS_NOPREFIX, kLblJunk);
    junkOptions_.Create(panel_.hwnd(), RECT{0, 0, 10, 10}, kJunkOptions);
    backup_.Create(panel_.hwnd(), RECT{0, 0, 10, 10}, kLnkCs);
    restore_.Create(panel_.hwnd(), RECT{0, 0, 10, 10}, kLnkRs);
    info_.Create(panel_.hwnd(), 0, 0, kInfo);
}

void Frm_OptionsWindow::Layout(int width, int height) {
    (void)height;
    HWND panel = panel_.hwnd();
    if (!panel) return;
    auto s = [this](int value96) { return panel_.Scale(value96); };
    auto place = [&](int id, int x, int y, int w, int h) {
        ::SetWindowPos(::GetDlgItem(panel, id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    platform::WindowDc dc(panel);
    auto textWidth = [&](const std::string& text) {
        return static_cast<int>(platform::MeasureText(dc.get(), panel_.Font(), text).cx);
    };
    const int lineHeight = static_cast<int>(platform::MeasureText(dc.get(), panel_.Font(), "Ag").cy);
    const int row = std::max(lineHeight + s(6), s(22));
    const int margin = s(16);
    const int right = std::max(width - margin, margin + s(300));
    const int balloon = er_.SidePixels();
    // A group: its caption on the top edge of a frame the panel draws.
    auto placeGroup = [&](int id, const std::string& caption, int top, int bottom) {
        place(id, margin + s(8), top, textWidth(caption) + s(8), lineHeight);
        panel_.SetGroupFrame(id, RECT{margin, top + lineHeight / 2, right, bottom});
    };

    int y = s(14);
    const int labelWidth = textWidth("Theme Color:") + s(8);
    place(kLblTheme, margin, y, labelWidth, row);
    place(kCmbTheme, margin + labelWidth, y, s(160), s(200));
    // The balloons size themselves (240 twips at the panel's DPI).
    place(kInfo, right - balloon, y + (row - balloon) / 2, balloon, balloon);
    y += row + s(8);
    place(kChkCon, margin, y, textWidth("Show confirmation dialog before removing files") + s(28), row);
    y += row + s(10);

    // Files Removal: each option button is its caption's width plus 300 twips.
    const int groupTop = y;
    const int inner = margin + s(12);
    y += lineHeight + s(6);
    const int twips300 = platform::TwipsToPixels(300, static_cast<unsigned>(panel_.Dpi()));
    place(kOpt1, inner, y, textWidth("Move removed files to recycle bin") + twips300, row);
    y += row;
    place(kOpt2, inner, y, textWidth("Delete files") + twips300, row);
    y += row;
    const int opt3Width = textWidth("Move removed files to : ") + twips300;
    place(kOpt3, inner, y, opt3Width, row);
    const int browseWidth = std::max(textWidth("Browse...") + s(20), s(80));
    const int browseLeft = right - s(12) - balloon - s(6) - browseWidth;
    const int editLeft = inner + opt3Width + s(2);
    place(kTxtMove, editLeft, y, std::max(browseLeft - s(6) - editLeft, s(60)), row);
    place(kCmdBrowse, browseLeft, y - s(1), browseWidth, row + s(2));
    place(kEr, browseLeft + browseWidth + s(6), y + (row - balloon) / 2, balloon, balloon);
    y += row + s(10);
    placeGroup(kGrpRemoval, "Files Removal", groupTop, y);
    y += s(10);

    // Junk Files Option: the explanation wraps to the group's width.
    const int junkTop = y;
    y += lineHeight + s(6);
    RECT textRect = {0, 0, right - s(12) - inner, 0};
    {
        platform::SelectionGuard useFont(dc.get(), panel_.Font());
        platform::DrawTextUtf8(dc.get(), kJunkText, textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    place(kLblJunk, inner, y, right - s(12) - inner, textRect.bottom);
    y += textRect.bottom + s(6);
    const SIZE junkLink = junkOptions_.PreferredSize();
    place(kJunkOptions, inner, y, junkLink.cx, junkLink.cy);
    y += junkLink.cy + s(10);
    placeGroup(kGrpJunk, "Junk Files Option", junkTop, y);
    y += s(14);

    const SIZE backupSize = backup_.PreferredSize();
    const SIZE restoreSize = restore_.PreferredSize();
    place(kLnkCs, margin + s(4), y, backupSize.cx, backupSize.cy);
    place(kLnkRs, margin + s(4) + backupSize.cx + s(24), y, restoreSize.cx, restoreSize.cy);
}

void Frm_OptionsWindow::Sync() {
    HWND panel = panel_.hwnd();
    if (!panel || syncing_) return;
    syncing_ = true;
    HWND combo = Control(kCmbTheme);
    if (::SendMessageW(combo, CB_GETCURSEL, 0, 0) != logic_.Cmb_Theme())
        ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(logic_.Cmb_Theme()), 0);
    ::CheckDlgButton(panel, kChkCon, logic_.ChkCon() ? BST_CHECKED : BST_UNCHECKED);
    ::CheckRadioButton(panel, kOpt1, kOpt3, kOpt1 + logic_.RemovalType() - 1);
    HWND edit = Control(kTxtMove);
    if (platform::WindowText(edit) != logic_.TxtMove()) {
        const std::wstring text = platform::ToWide(logic_.TxtMove());
        ::SetWindowTextW(edit, text.c_str());
    }
    syncing_ = false;
}

void Frm_OptionsWindow::OnCommand(int id, int code, HWND control) {
    if (syncing_) return;
    const bool clicked = code == BN_CLICKED;
    if (id == kCmbTheme && code == CBN_SELCHANGE) {
        logic_.Cmb_Theme_Click(static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0)));
    } else if (id == kChkCon && clicked) {
        logic_.ChkCon_Click(::IsDlgButtonChecked(panel_.hwnd(), kChkCon) == BST_CHECKED);
    } else if (id == kOpt1 && clicked) {
        logic_.Opt1_Click();
    } else if (id == kOpt2 && clicked) {
        logic_.Opt2_Click();
    } else if (id == kOpt3 && clicked) {
        logic_.Opt3_Click();
    } else if (id == kTxtMove && code == EN_CHANGE) {
        logic_.TxtMove_Change(platform::WindowText(control));
    } else if (id == kCmdBrowse && clicked) {
        logic_.Cmd_Browse_Click();
    } else {
        return;  // other notifications (EN_UPDATE, focus) change nothing
    }
    // A handler may have changed the choice back (an invalid folder).
    Sync();
}

void Frm_OptionsWindow::Form_Unload() {
    HWND combo = panel_.hwnd() ? Control(kCmbTheme) : nullptr;
    if (combo) ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

}  // namespace shell
