#include "privacy/frm_privacy_window.h"

#include <windowsx.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "platform/gdi.h"
#include "platform/ui.h"
#include "platform/utf.h"
#include "platform/window_text.h"
#include "privacy/frm_cookies_window.h"
#include "privacy/frm_privacy_prog_window.h"

namespace privacy {
namespace {

int TwipsToScroll(int twips, int programsTop) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * programsTop / Frm_Privacy::kProgramsScrollTwips));
}

int ScrollToTwips(int pixels, int programsTop) {
    return static_cast<int>(
        std::lround(static_cast<double>(pixels) * Frm_Privacy::kProgramsScrollTwips / std::max(programsTop, 1)));
}

}  // namespace

FrmPrivacyWindow::FrmPrivacyWindow(core::Prompts& prompts)
    : prompts_(prompts), lnk1_(logic_.Lnk1), balloon_(logic_.Balloon) {
    for (controls::HookedPagePanel* panel : {&panel_, &items_})
        panel->onMessage = [this, panel](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            return PanelMessage(panel->hwnd(), message, wParam, lParam, result);
        };
}

FrmPrivacyWindow::~FrmPrivacyWindow() {
    logic_.onChanged = nullptr;
    logic_.onShowProgress = nullptr;
    logic_.onManageCookies = nullptr;
}

bool FrmPrivacyWindow::Create(HWND parent, HWND buttonParent) {
    platform::InitCommonControls();
    if (!panel_.Create(parent)) return false;
    view_ = panel_.AddControl(L"STATIC", "", WS_CLIPCHILDREN, 0, WS_EX_CONTROLPARENT);
    if (!view_ || !items_.Create(view_)) return false;
    ::ShowWindow(items_.hwnd(), SW_SHOW);
    scrollBar_ = panel_.AddControl(L"SCROLLBAR", "", SBS_VERT, kScrollBar);
    logic_.owner = panel_.hwnd();
    Build(buttonParent ? buttonParent : panel_.hwnd());

    panel_.onLayout = [this](int, int) { Layout(); };
    items_.onCommand = [this](int id, int code, HWND control) { OnItemCommand(id, code, control); };
    const auto dpiChanged = [this] {
        for (HWND child = ::GetWindow(items_.hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(items_.Font()), TRUE);
        for (HWND button : CommandButtons())
            ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(panel_.Font()), TRUE);
        SetCaptionFonts();
        LayoutButtons();
        Layout();
    };
    items_.onDpiChanged = dpiChanged;
    theme_ = controls::SubscribeTheme(controls::ThemeStage::PrivacyPage, [this] {
        panel_.Recolour();
        items_.Recolour();
        lnk1_.logic().Refresh();
    });

    logic_.onChanged = [this] { Sync(); };
    logic_.onShowProgress = [this](const std::function<void()>& clean) { RunProgress(clean); };
    logic_.onManageCookies = [this] { OpenCookies(); };
    logic_.Form_Load();
    Layout();
    Sync();
    return true;
}

void FrmPrivacyWindow::Build(HWND buttonParent) {
    for (int g = 0; g < kGroupCount; ++g)
        groupCaptions_[g] = items_.AddControl(L"STATIC", GroupCaption(static_cast<ItemGroup>(g)), SS_LEFT | SS_NOPREFIX,
                                              kGroupFirst + g);
    SetCaptionFonts();
    for (int i = 0; i < kItemCount; ++i) {
        // BS_NOTIFY: a box that takes the focus says so, to be scrolled into view.
        checks_[i] =
            items_.AddThemedButton(logic_.Chk()[i].caption, BS_AUTOCHECKBOX | BS_NOTIFY | WS_TABSTOP, kChkFirst + i);
    }
    lnk1_.Create(items_.hwnd(), RECT{0, 0, 10, 10}, kLnk1);
    logic_.Lnk1.MouseUp = [this](const controls::MouseEventArgs& args) {
        if (args.button != controls::MouseButton::Right) return;
        POINT cursor;
        ::GetCursorPos(&cursor);
        ShowMenu(cursor);
    };
    balloon_.Create(items_.hwnd(), 0, 0, kBalloon);

    toolTips_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                      0, 0, 0, 0, panel_.hwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ::SendMessageW(toolTips_.get(), TTM_SETMAXTIPWIDTH, 0, panel_.Scale(400));
    for (HWND check : checks_) {
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = items_.hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(check);
        tool.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(toolTips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const auto button = [&](const wchar_t* caption, int id) {
        HWND created =
            ::CreateWindowExW(0, L"BUTTON", caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 10, 10,
                              buttonParent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        ::SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(panel_.Font()), FALSE);
        return created;
    };
    clean_.reset(button(L"Clean", kCmdClean));
    tools_.reset(button(L"Tools", kTools));
    LayoutButtons();
}

void FrmPrivacyWindow::SetCaptionFonts() {
    for (HWND caption : groupCaptions_)
        ::SendMessageW(caption, WM_SETFONT, reinterpret_cast<WPARAM>(items_.BoldFont()), TRUE);
}

void FrmPrivacyWindow::LayoutButtons() {
    HWND strip = ::GetParent(clean_.get());
    if (strip == panel_.hwnd()) return;  // placed by Layout
    RECT client;
    ::GetClientRect(strip, &client);
    const int width = panel_.Scale(88), gap = panel_.Scale(8);
    const int height = client.bottom > 0 ? std::min<int>(client.bottom, panel_.Scale(26)) : panel_.Scale(26);
    ::SetWindowPos(clean_.get(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(tools_.get(), nullptr, width + gap, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrmPrivacyWindow::Layout() {
    if (!items_.hwnd() || !scrollBar_) return;
    RECT client;
    ::GetClientRect(panel_.hwnd(), &client);
    const int inset = panel_.Scale(3);
    const int barWidth = panel_.Scale(17);
    int bottom = client.bottom - inset;
    if (::GetParent(clean_.get()) == panel_.hwnd()) {
        // No strip: the buttons sit at the page's foot.
        const int height = panel_.Scale(26), width = panel_.Scale(88), gap = panel_.Scale(8);
        const int top = client.bottom - inset - gap - height;
        ::SetWindowPos(tools_.get(), nullptr, client.right - inset - gap - width, top, width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetWindowPos(clean_.get(), nullptr, client.right - inset - 2 * (gap + width), top, width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        bottom = top - gap;
    }
    const int viewWidth = std::max<int>(client.right - 2 * inset - barWidth, 1);
    const int viewHeight = std::max(bottom - inset, 1);
    ::SetWindowPos(view_, nullptr, inset, inset, viewWidth, viewHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(scrollBar_, nullptr, inset + viewWidth, inset, barWidth, viewHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutItems();
    ::SetWindowPos(items_.hwnd(), nullptr, 0, -ScrollPixels(), viewWidth, std::max(contentHeight_, viewHeight),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ScrollToPixels(ScrollPixels());
}

void FrmPrivacyWindow::LayoutItems() {
    RECT viewRect;
    ::GetClientRect(view_, &viewRect);
    const int width = viewRect.right;
    auto s = [this](int value96) { return items_.Scale(value96); };
    platform::WindowDc dc(items_.hwnd());
    const auto textSize = [&](HFONT font, const std::string& text) {
        return platform::MeasureText(dc.get(), font, text);
    };
    const int lineHeight = static_cast<int>(textSize(items_.BoldFont(), "Ag").cy);
    const int row = std::max(lineHeight + s(5), s(21));
    const int margin = s(8);
    const int inner = margin + s(12);
    const int right = width - margin;
    const int side = balloon_.SidePixels();
    const SIZE link = lnk1_.PreferredSize();
    const auto place = [](HWND control, int x, int y, int w, int h) {
        ::SetWindowPos(control, nullptr, x, y, std::max(w, 1), h, SWP_NOZORDER | SWP_NOACTIVATE);
    };

    int y = s(6);
    int item = 0;
    const int lastOfGroup[kGroupCount] = {kLastWindowsItem, kLastIeItem, kLastProgramItem, kLastBrowserItem};
    for (int g = 0; g < kGroupCount; ++g) {
        const int groupTop = y;
        if (g == 2) programsTop_ = std::max(groupTop - s(2), 1);
        const std::string caption = GroupCaption(static_cast<ItemGroup>(g));
        place(groupCaptions_[g], margin + s(8), y, static_cast<int>(textSize(items_.BoldFont(), caption).cx) + s(6),
              lineHeight);
        if (g == 0) place(balloon_.hwnd(), right - s(10) - side, y + (lineHeight - side) / 2, side, side);
        y += lineHeight + s(2);
        for (; item <= lastOfGroup[g]; ++item) {
            int checkWidth = right - s(8) - inner;
            if (item == kCookiesItem) {
                checkWidth -= link.cx + s(8);
                place(lnk1_.hwnd(), right - s(10) - link.cx, y + (row - link.cy) / 2, link.cx, link.cy);
            }
            place(checks_[item], inner, y, checkWidth, row);
            y += row;
        }
        y += s(6);
        items_.SetGroupFrame(kGroupFirst + g, RECT{margin, groupTop + lineHeight / 2, right, y});
        y += s(10);
    }
    contentHeight_ = y;
}

int FrmPrivacyWindow::MaxScrollPixels() const {
    RECT viewRect;
    ::GetClientRect(view_, &viewRect);
    return std::max(contentHeight_ - static_cast<int>(viewRect.bottom), 0);
}

int FrmPrivacyWindow::ScrollPixels() const {
    return std::clamp(TwipsToScroll(logic_.ScrollTwips(), programsTop_), 0, MaxScrollPixels());
}

void FrmPrivacyWindow::ScrollToPixels(int pixels) {
    pixels = std::clamp(pixels, 0, MaxScrollPixels());
    RECT viewRect, itemRect;
    ::GetClientRect(view_, &viewRect);
    ::GetWindowRect(items_.hwnd(), &itemRect);
    ::MapWindowPoints(HWND_DESKTOP, view_, reinterpret_cast<POINT*>(&itemRect), 2);
    if (itemRect.top != -pixels)
        ::SetWindowPos(items_.hwnd(), nullptr, 0, -pixels, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max(contentHeight_ - 1, 0);
    info.nPage = static_cast<UINT>(viewRect.bottom);
    info.nPos = pixels;
    ::SetScrollInfo(scrollBar_, SB_CTL, &info, TRUE);
}

void FrmPrivacyWindow::OnScroll(WPARAM wParam) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ::GetScrollInfo(scrollBar_, SB_CTL, &info);
    const int line = items_.Scale(21);
    int position = info.nPos;
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            position -= line;
            break;
        case SB_LINEDOWN:
            position += line;
            break;
        case SB_PAGEUP:
            position -= static_cast<int>(info.nPage);
            break;
        case SB_PAGEDOWN:
            position += static_cast<int>(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = MaxScrollPixels();
            break;
        default:
            return;
    }
    position = std::clamp(position, 0, MaxScrollPixels());
    logic_.Sb_Change(ScrollToTwips(position, programsTop_));
    ScrollToPixels(position);
}

void FrmPrivacyWindow::EnsureVisible(HWND control) {
    RECT viewRect, rect;
    ::GetClientRect(view_, &viewRect);
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, items_.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    const int current = ScrollPixels();
    int wanted = current;
    if (rect.top < current)
        wanted = rect.top - items_.Scale(4);
    else if (rect.bottom > current + viewRect.bottom)
        wanted = rect.bottom - viewRect.bottom + items_.Scale(4);
    if (wanted == current) return;
    wanted = std::clamp(wanted, 0, MaxScrollPixels());
    logic_.Sb_Change(ScrollToTwips(wanted, programsTop_));
    ScrollToPixels(wanted);
}

void FrmPrivacyWindow::Sync() {
    if (!items_.hwnd() || syncing_) return;
    syncing_ = true;
    for (int i = 0; i < kItemCount; ++i) {
        const PrivacyItem& item = logic_.Chk()[i];
        if (platform::WindowText(checks_[i]) != item.caption) platform::SetWindowTextUtf8(checks_[i], item.caption);
        if ((::IsWindowEnabled(checks_[i]) != FALSE) != item.enabled) ::EnableWindow(checks_[i], item.enabled);
        const WPARAM state = item.checked ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(::SendMessageW(checks_[i], BM_GETCHECK, 0, 0)) != state)
            ::SendMessageW(checks_[i], BM_SETCHECK, state, 0);
        const std::wstring tip = platform::ToWide(item.toolTip);
        TOOLINFOW tool = {};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = items_.hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(checks_[i]);
        tool.lpszText = const_cast<wchar_t*>(tip.c_str());
        ::SendMessageW(toolTips_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::EnableWindow(clean_.get(), logic_.CmdCleanEnabled());
    ScrollToPixels(ScrollPixels());
    syncing_ = false;
}

void FrmPrivacyWindow::OnItemCommand(int id, int code, HWND control) {
    if (code == BN_SETFOCUS) EnsureVisible(control);
    if (syncing_ || code != BN_CLICKED) return;
    const int index = id - kChkFirst;
    if (index < 0 || index >= kItemCount) return;
    logic_.SetChecked(index, ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED);
    Sync();
}

bool FrmPrivacyWindow::HandleButtonCommand(HWND button) {
    if (!button) return false;
    if (button == clean_.get()) {
        logic_.Cmd_Clean_Click();
        Sync();
        return true;
    }
    if (button == tools_.get()) {
        RECT r;
        ::GetWindowRect(tools_.get(), &r);
        ShowMenu({r.left, r.bottom});
        return true;
    }
    return false;
}

void FrmPrivacyWindow::Mnu_Pop_Refresh_Click() {
    logic_.Mnu_Pop_Refresh_Click();
    Sync();
}

void FrmPrivacyWindow::Focus() {
    if (panel_.hwnd()) ::SetFocus(panel_.hwnd());
}

void FrmPrivacyWindow::ShowMenu(POINT screen) {
    const MenuState state = logic_.PrepareMenu();
    // One row per menu item (a row without text is a separator) and what it does.
    struct Item {
        UINT id;
        const wchar_t* text;
        bool enabled;
        void (Frm_Privacy::*action)();
    };
    const Item items[] = {
        {kMenuSelectAll, L"&Select All", state.selectAllEnabled, &Frm_Privacy::Mnu_Pop_SelectAll_Click},
        {kMenuDeselectAll, L"&Deselect All", state.deselectAllEnabled, &Frm_Privacy::Mnu_Pop_DeselectAll_Click},
        {},
        {kMenuWindows, L"Select Windows", true, &Frm_Privacy::Mnu_Pop_Windows_Click},
        {kMenuIe, L"Select IE", true, &Frm_Privacy::Mnu_Pop_Ie_Click},
        {kMenuPrograms, L"Select Programs", true, &Frm_Privacy::Mnu_Pop_Programs_Click},
        {},
        {kMenuRefresh, L"Refresh", true, &Frm_Privacy::Mnu_Pop_Refresh_Click},
    };
    platform::UniqueMenu menu(::CreatePopupMenu());
    for (const Item& item : items) {
        if (!item.text)
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(menu.get(), MF_STRING | (item.enabled ? 0 : MF_GRAYED), item.id, item.text);
    }

    const UINT command =
        trackMenu ? trackMenu(menu.get(), screen)
                  : static_cast<UINT>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                       screen.x, screen.y, 0, panel_.hwnd(), nullptr));
    const auto chosen = std::find_if(std::begin(items), std::end(items),
                                     [command](const Item& item) { return item.text && item.id == command; });
    if (chosen == std::end(items)) return;
    (logic_.*chosen->action)();
    Sync();
}

void FrmPrivacyWindow::RunProgress(const std::function<void()>& clean) {
    FrmPrivacyProg form(clean);
    FrmPrivacyProgWindow window(form);
    window.ShowModal(TopWindow(), progressOpacity);
}

void FrmPrivacyWindow::OpenCookies() { ShowCookiesManager(TopWindow()); }

HWND FrmPrivacyWindow::TopWindow() const {
    HWND top = panel_.hwnd() ? ::GetAncestor(panel_.hwnd(), GA_ROOT) : nullptr;
    return top ? top : panel_.hwnd();
}

bool FrmPrivacyWindow::PanelMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_CONTEXTMENU: {
            // A right click anywhere on the page, or Shift+F10 and the Apps
            // key, which open the menu under the focused box.
            POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (at.x == -1 && at.y == -1) {
                RECT box;
                ::GetWindowRect(::GetFocus(), &box);
                at = {box.left, box.bottom};
            }
            ShowMenu(at);
            return true;
        }
        case WM_KEYDOWN:
            if (window == panel_.hwnd() && (wParam == VK_NEXT || wParam == VK_PRIOR)) {
                OnScroll(wParam == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP);
                return true;
            }
            return false;
        case WM_GETDLGCODE:
            if (window == panel_.hwnd()) {
                result = DLGC_WANTARROWS;
                return true;
            }
            return false;
        case WM_VSCROLL:
            if (window == panel_.hwnd()) {
                OnScroll(wParam);
                return true;
            }
            return false;
        case WM_MOUSEWHEEL: {
            const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            for (int i = 0; i < std::abs(notches) * 3; ++i) OnScroll(notches > 0 ? SB_LINEUP : SB_LINEDOWN);
            return true;
        }
    }
    return false;
}

}  // namespace privacy
