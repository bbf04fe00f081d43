#include "shell/frm_main_window.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <memory>

#include "controls/custom_window.h"
#include "controls/error_msg.h"
#include "controls/error_msg_window.h"
#include "controls/page_panel.h"
#include "controls/round_btn.h"
#include "controls/round_btn_window.h"
#include "controls/tab_button.h"
#include "controls/tab_button_window.h"
#include "controls/theme.h"
#include "core/cls_file_folder.h"
#include "core/general.h"
#include "core/maker.h"
#include "core/system_prompts.h"
#include "platform/gdi.h"
#include "platform/handles.h"
#include "platform/ui.h"
#include "platform/utf.h"
#include "shell/frm_about.h"
#include "shell/frm_about_window.h"
#include "shell/frm_options.h"
#include "shell/frm_options_window.h"
#include "shell/tool_pages.h"
#include "update/update_wizard.h"

namespace shell {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoMain";
constexpr int kCloseId = 100;
constexpr int kTabId = 110;   // + page
constexpr int kAreaId = 120;  // + page
constexpr int kButtonStripId = 130;
constexpr int kResultId = 131;
constexpr int kPTipId = 132;
constexpr int kToggleId = 134;      // PicTog2: to the compact view
constexpr int kToggleFullId = 135;  // PicTog: back to the full view
constexpr int kLogoId = 136;
constexpr int kRoundId = 140;  // + page
constexpr const char* kRoundCaptions[FrmMain::kPageCount] = {"Junk Files", "Privacy", "Startup",
                                                             "Processes",  "Options", "About"};
// The compact view is 665 twips (44 pixels at 96 DPI) lower.
constexpr int kCompactSaving = 44;
constexpr int kRoundWidth = 80;
constexpr int kRoundHeight = 30;
constexpr int kPrivacyTipId = 133;
constexpr UINT_PTR kTipMoveTimer = 1;
constexpr UINT_PTR kTipDrowTimer = 2;
constexpr UINT_PTR kResultTimer = 3;
constexpr const char* kTabCaptions[FrmMain::kPageCount] = {"Junk Files", "Privacy", "Startup Manager",
                                                           "Processes",  "Options", "About"};
// Lengths at 96 DPI.
constexpr int kClientWidth = 660;
constexpr int kClientHeight = 480;
constexpr int kHeaderHeight = 48;
constexpr int kTabWidth = 150;
constexpr int kTabHeight = 34;
constexpr int kTipHeight = 22;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMargin = 11;
constexpr int kFontPoints = 9;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

}  // namespace

struct FrmMainWindow::State {
    explicit State(FrmMain& f) : form(f) {}

    FrmMain& form;
    HWND window = nullptr;
    HWND closeButton = nullptr;
    HWND buttonStrip = nullptr;
    HWND resultStrip = nullptr;
    HWND pTip = nullptr;
    HWND toggle = nullptr;
    HWND toggleFull = nullptr;
    HWND toolTips = nullptr;
    std::array<controls::RoundBtn, FrmMain::kPageCount> rounds;
    std::array<std::unique_ptr<controls::RoundBtnWindow>, FrmMain::kPageCount> roundWindows;
    controls::ErrorMsg privacyTip;
    std::unique_ptr<controls::ErrorMsgWindow> privacyTipWindow;
    std::function<void()> restart;
    std::array<controls::TabButton, FrmMain::kPageCount> tabs;
    std::array<std::unique_ptr<controls::TabButtonWindow>, FrmMain::kPageCount> tabWindows;
    std::array<controls::PagePanel, FrmMain::kPageCount> areas;
    core::SystemPrompts prompts;
    std::unique_ptr<Frm_Options> options;
    std::unique_ptr<Frm_OptionsWindow> optionsWindow;
    std::unique_ptr<Frm_About> about;
    std::unique_ptr<Frm_AboutWindow> aboutWindow;
    std::unique_ptr<ToolPages> pages;
    controls::ThemeSubscription themeSubscription;
    controls::ThemeSubscription finishSubscription;
    unsigned dpi = 96;
    platform::UniqueFont font;
    platform::UniqueIcon bigIcon;
    platform::UniqueIcon smallIcon;
    platform::UniqueAcceleratorTable accelerators;
    std::function<void()> destroyed;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ButtonStripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void ApplyDpi(unsigned newDpi);
    void Layout();
    void Close(bool byCloseButton);
    void Build();
    void Bind();
    void Recolour();
    void Paint(HDC dc);
    void DrawTog(const DRAWITEMSTRUCT& item) const;
    void AddToolTip(HWND control, const wchar_t* text) const;
    RECT LogoRect() const;
    bool OverLogo() const;
    RECT TipRect() const;
};

LRESULT CALLBACK FrmMainWindow::State::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State* state = nullptr;
    if (message == WM_NCCREATE) {
        state = static_cast<State*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        state->window = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    } else {
        state = reinterpret_cast<State*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!state) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        state->window = nullptr;
        state->closeButton = nullptr;
        if (state->destroyed) state->destroyed();
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return state->Handle(message, wParam, lParam);
}

// The pages' command buttons live in the strip: their clicks go on to the
// main window.
LRESULT CALLBACK FrmMainWindow::State::ButtonStripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                       DWORD_PTR) {
    if (message == WM_COMMAND || message == WM_NOTIFY)
        return ::SendMessageW(::GetParent(strip), message, wParam, lParam);
    return ::DefSubclassProc(strip, message, wParam, lParam);
}

void FrmMainWindow::State::Close(bool byCloseButton) {
    // A close that arrives while the shut-down runs is ignored.
    if (form.Unloading()) return;
    if (byCloseButton)
        form.Cmd_Close_Click();
    else
        form.Form_Unload();
    // Only reached when a test gave the form an end that returns.
    if (window) ::DestroyWindow(window);
}

LRESULT FrmMainWindow::State::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam && pages && ::GetParent(reinterpret_cast<HWND>(lParam)) == buttonStrip) {
                pages->OnButtonCommand(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
                return 0;
            }
            switch (LOWORD(wParam)) {
                case kToggleId:
                    form.SetCompactView(true);
                    return 0;
                case kToggleFullId:
                    form.SetCompactView(false);
                    return 0;

                case kCloseId:
                case IDOK:
                case IDCANCEL:
                    // The button and Alt+C (kCloseId), Enter (IDOK), Esc (IDCANCEL).
                    Close(true);
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            Close(false);
            return 0;
        case WM_TIMER:
            if (wParam == kTipMoveTimer) {
                if (!form.TipMove_Timer()) {
                    ::KillTimer(window, kTipMoveTimer);
                    ::SetTimer(window, kTipDrowTimer, 1, nullptr);
                }
            } else if (wParam == kTipDrowTimer) {
                if (!form.TipDrow_Timer()) ::KillTimer(window, kTipDrowTimer);
            } else if (wParam == kResultTimer) {
                form.TmResult_Timer();
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID == kToggleId || item->CtlID == kToggleFullId) {
                DrawTog(*item);
                return TRUE;
            }
            break;
        }
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == window && LOWORD(lParam) == HTCLIENT && OverLogo()) {
                ::SetCursor(platform::LoadCursorResource(1));
                return TRUE;
            }
            break;
        case WM_LBUTTONUP:
            // Plogo: a release on the logo opens the maker's home page.
            if (OverLogo())
                core::ClsFileFolder().OpenFileFolder(window,
                                                     std::string(core::maker::kWebSite) + core::maker::kHomePagePath);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            HDC dc = ::BeginPaint(window, &ps);
            Paint(dc);
            ::EndPaint(window, &ps);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == resultStrip) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                ::SetTextColor(dc, RGB(64, 64, 64));
                ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_QUERYENDSESSION:
            return form.Form_QueryEndSession() ? TRUE : FALSE;
        case WM_ENDSESSION:
            form.Form_EndSession(wParam != FALSE);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && closeButton) ::SetFocus(closeButton);
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                           suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            ApplyDpi(HIWORD(wParam));
            return 0;
        }
        case WM_DESTROY:
            platform::DisableDialogKeys(window);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void FrmMainWindow::State::ApplyDpi(unsigned newDpi) {
    dpi = newDpi;
    font = platform::CreateUiFont(dpi, kFontPoints);
    if (closeButton) ::SendMessageW(closeButton, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    if (resultStrip) ::SendMessageW(resultStrip, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    if (pTip) ::SendMessageW(pTip, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    bigIcon = platform::LoadIconResource("QX2ICON", platform::ScaleForDpi(32, dpi));
    smallIcon = platform::LoadIconResource("QX2ICON", platform::ScaleForDpi(16, dpi));
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    Layout();
}

void FrmMainWindow::State::Layout() {
    RECT client{};
    ::GetClientRect(window, &client);
    const int width = platform::ScaleForDpi(kButtonWidth, dpi);
    const int height = platform::ScaleForDpi(kButtonHeight, dpi);
    const int margin = platform::ScaleForDpi(kMargin, dpi);
    ::SetWindowPos(closeButton, nullptr, client.right - margin - width, client.bottom - margin - height, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const int header = platform::ScaleForDpi(kHeaderHeight, dpi);
    const int tabWidth = platform::ScaleForDpi(kTabWidth, dpi);
    const int tabHeight = platform::ScaleForDpi(kTabHeight, dpi);
    const int tip = platform::ScaleForDpi(kTipHeight, dpi);
    const bool compact = form.CompactView;
    const int roundWidth = platform::ScaleForDpi(kRoundWidth, dpi);
    const int roundHeight = platform::ScaleForDpi(kRoundHeight, dpi);
    for (int page = 0; page < FrmMain::kPageCount; ++page) {
        if (tabWindows[page] && tabWindows[page]->hwnd()) {
            ::SetWindowPos(tabWindows[page]->hwnd(), nullptr, margin, header + tip + margin + page * (tabHeight + 4),
                           tabWidth, tabHeight, SWP_NOZORDER | SWP_NOACTIVATE);
            ::ShowWindow(tabWindows[page]->hwnd(), compact ? SW_HIDE : SW_SHOW);
        }
        if (roundWindows[page] && roundWindows[page]->hwnd()) {
            // In the header band, right of the program's name.
            ::SetWindowPos(roundWindows[page]->hwnd(), nullptr,
                           client.right - margin - (FrmMain::kPageCount - page) * (roundWidth + 4),
                           (header - roundHeight) / 2, roundWidth, roundHeight, SWP_NOZORDER | SWP_NOACTIVATE);
            ::ShowWindow(roundWindows[page]->hwnd(), compact ? SW_SHOW : SW_HIDE);
        }
    }
    // The view toggle of the other view, at the tip line's right end.
    const int toggleSize = tip - platform::ScaleForDpi(2, dpi);
    for (HWND picture : {toggle, toggleFull}) {
        ::SetWindowPos(picture, nullptr, client.right - margin - toggleSize, header + 2, toggleSize, toggleSize,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(picture, (picture == toggleFull) == compact ? SW_SHOW : SW_HIDE);
    }
    TOOLINFOW logoTool{};
    logoTool.cbSize = sizeof logoTool;
    logoTool.hwnd = window;
    logoTool.uId = kLogoId;
    logoTool.rect = LogoRect();
    ::SendMessageW(toolTips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&logoTool));
    const int areaLeft = compact ? margin : margin * 2 + tabWidth;
    const int areaTop = header + tip + margin;
    const int areaWidth = client.right - areaLeft - margin;
    const int areaHeight = client.bottom - areaTop - margin * 2 - height;
    for (auto& area : areas)
        if (area.hwnd())
            ::SetWindowPos(area.hwnd(), nullptr, areaLeft, areaTop, areaWidth, areaHeight,
                           SWP_NOZORDER | SWP_NOACTIVATE);
    // The tool panels fill their areas.
    for (auto& area : areas) {
        if (!area.hwnd()) continue;
        for (HWND child = ::GetWindow(area.hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            ::SetWindowPos(child, nullptr, 0, 0, areaWidth, areaHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const int stripTop = client.bottom - margin - height;
    // Room for three command buttons, left of Close.
    const int gap = platform::ScaleForDpi(6, dpi);
    const int stripWidth = 3 * width + 2 * gap;
    ::SetWindowPos(buttonStrip, nullptr, client.right - margin - width - gap - stripWidth, stripTop, stripWidth, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (pages) pages->SetButtonSize(width, height, gap);
    // The result strip lies over the button strip while it shows.
    ::SetWindowPos(resultStrip, HWND_TOP, margin, stripTop, client.right - width - margin * 3, height, SWP_NOACTIVATE);
    // The restart note and its balloon sit under the page area.
    ::SetWindowPos(pTip, nullptr, areaLeft, stripTop, platform::ScaleForDpi(218, dpi), height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (privacyTipWindow && privacyTipWindow->hwnd())
        ::SetWindowPos(privacyTipWindow->hwnd(), nullptr, areaLeft + platform::ScaleForDpi(220, dpi), stripTop, 0, 0,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    ::InvalidateRect(window, nullptr, TRUE);
}

RECT FrmMainWindow::State::TipRect() const {
    RECT client{};
    ::GetClientRect(window, &client);
    const int header = platform::ScaleForDpi(kHeaderHeight, dpi);
    const int margin = platform::ScaleForDpi(kMargin, dpi);
    return RECT{margin, header + 2, client.right - margin - platform::ScaleForDpi(kTipHeight + 4, dpi),
                header + platform::ScaleForDpi(kTipHeight, dpi) + 2};
}

void FrmMainWindow::State::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(window, &client);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    platform::UniqueBrush faceBrush(::CreateSolidBrush(face));
    ::FillRect(dc, &client, faceBrush.get());
    // Header: the logo and the program's name on the theme's gradient, with
    // a thin line from the theme colour to white under the tip line.
    const COLORREF theme = controls::ResolveColor(controls::ThemeColor);
    RECT header{0, 0, client.right, platform::ScaleForDpi(kHeaderHeight, dpi)};
    platform::GradientHorizontal(dc, header, theme, controls::ResolveColor(controls::ThemeLightColor));
    const int tipBottom = header.bottom + platform::ScaleForDpi(kTipHeight + 3, dpi);
    platform::GradientHorizontal(dc, RECT{0, tipBottom, client.right, tipBottom + 2}, theme, RGB(255, 255, 255));
    platform::UniqueFont titleFont = platform::CreateUiFont(dpi, 16);
    const HGDIOBJ old = ::SelectObject(dc, titleFont.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    const RECT logo = LogoRect();
    ::DrawIconEx(dc, logo.left, logo.top, bigIcon.get(), logo.right - logo.left, logo.bottom - logo.top, 0, nullptr,
                 DI_NORMAL);
    RECT title = header;
    title.left = logo.right + platform::ScaleForDpi(kMargin, dpi);
    // The compact view's round buttons take the band; the caption names the
    // program there.
    const std::wstring name = platform::ToWide(FrmMain::InitialCaption());
    if (!form.CompactView) ::DrawTextW(dc, name.c_str(), -1, &title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    // Tip line, faded in from the background.
    ::SelectObject(dc, font.get());
    RECT tip = TipRect();
    const controls::Color text = controls::ResolveColor(controls::ThemeTextColor);
    ::SetTextColor(dc, controls::Blend(static_cast<controls::Color>(face), text, form.TipBlend()));
    const std::wstring shown = platform::ToWide(form.TipShown());
    ::DrawTextW(dc, shown.c_str(), -1, &tip, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(dc, old);
}

void FrmMainWindow::State::DrawTog(const DRAWITEMSTRUCT& item) const {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    RECT box = item.rcItem;
    platform::FillSolid(item.hDC, box, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF fill = FrmMain::ToggleColor(controls::ResolveColor(controls::ThemeColor), selected);
    const COLORREF border = controls::ResolveColor(controls::ThemeColor);
    platform::RoundRectangle(item.hDC, box, platform::ScaleForDpi(6, dpi), fill, border);
    // An arrow: up to the compact view, down back to the full view.
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    const int d = std::max(2, static_cast<int>(box.right - box.left) / 5);
    const int dir = item.CtlID == kToggleId ? -1 : 1;
    const POINT arrow[3] = {{cx - d, cy - dir * d / 2}, {cx + d, cy - dir * d / 2}, {cx, cy + dir * d}};
    platform::UniqueBrush arrowBrush(::CreateSolidBrush(border));
    platform::UniquePen arrowPen(::CreatePen(PS_SOLID, 1, border));
    {
        const platform::SelectionGuard brush(item.hDC, arrowBrush.get());
        const platform::SelectionGuard pen(item.hDC, arrowPen.get());
        ::Polygon(item.hDC, arrow, 3);
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus = box;
        ::InflateRect(&focus, -2, -2);
        ::DrawFocusRect(item.hDC, &focus);
    }
}

RECT FrmMainWindow::State::LogoRect() const {
    const int size = platform::ScaleForDpi(32, dpi);
    const int top = (platform::ScaleForDpi(kHeaderHeight, dpi) - size) / 2;
    const int left = platform::ScaleForDpi(kMargin, dpi);
    return RECT{left, top, left + size, top + size};
}

bool FrmMainWindow::State::OverLogo() const {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(window, &cursor);
    const RECT logo = LogoRect();
    return ::PtInRect(&logo, cursor) != FALSE;
}

void FrmMainWindow::State::AddToolTip(HWND control, const wchar_t* text) const {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FrmMainWindow::State::Recolour() {
    for (auto& tab : tabs) tab.SetThemeColor(controls::ThemeColor);
    for (HWND picture : {toggle, toggleFull})
        if (picture) ::InvalidateRect(picture, nullptr, TRUE);
    for (auto& area : areas)
        if (area.hwnd()) area.Recolour();
    if (window) ::InvalidateRect(window, nullptr, TRUE);
}

void FrmMainWindow::State::Build() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    for (int page = 0; page < FrmMain::kPageCount; ++page) {
        areas[page].Create(window, kAreaId + page);
        tabs[page].SetCaption(kTabCaptions[page]);
        tabs[page].SetThemeColor(controls::ThemeColor);
        tabs[page].Click = [this, page] { form.TabButtonClick(page); };
        tabWindows[page] = std::make_unique<controls::TabButtonWindow>(tabs[page]);
        tabWindows[page]->Create(window, RECT{0, 0, 10, 10}, kTabId + page);
    }
    buttonStrip = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonStripId)), instance, nullptr);
    ::SetWindowSubclass(buttonStrip, &State::ButtonStripProc, 0, 0);
    resultStrip = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_LEFT | SS_CENTERIMAGE, 0, 0, 0, 0, window,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kResultId)), instance, nullptr);
    pTip = ::CreateWindowExW(0, L"STATIC", L"(*) These items will require restart.",
                             WS_CHILD | SS_LEFT | SS_CENTERIMAGE, 0, 0, 0, 0, window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPTipId)), instance, nullptr);
    privacyTipWindow = std::make_unique<controls::ErrorMsgWindow>(privacyTip);
    privacyTipWindow->Create(window, 0, 0, kPrivacyTipId);
    // Ctrl+click on the balloon restarts Windows (after asking).
    privacyTip.Click = [this] {
        form.PrivacyTipClick(
            ::GetKeyState(VK_CONTROL) < 0, restart ? restart : [this] { core::RestartWindows(prompts); });
    };
    // The view toggles are owner-drawn buttons, so that the keyboard reaches
    // them; their text names them for screen readers.
    toggle = ::CreateWindowExW(0, L"BUTTON", L"Switch to compact view", WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0,
                               0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToggleId)), instance, nullptr);
    toggleFull =
        ::CreateWindowExW(0, L"BUTTON", L"Switch to full view", WS_CHILD | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0,
                          window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToggleFullId)), instance, nullptr);
    toolTips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    AddToolTip(toggle, L"Switch to compact view");
    AddToolTip(toggleFull, L"Switch to full view");
    TOOLINFOW logoTool{};
    logoTool.cbSize = sizeof logoTool;
    logoTool.uFlags = TTF_SUBCLASS;
    logoTool.hwnd = window;
    logoTool.uId = kLogoId;
    logoTool.lpszText = const_cast<wchar_t*>(L"Click to visit Clarimo Home Page.");
    ::SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&logoTool));
    for (int page = 0; page < FrmMain::kPageCount; ++page) {
        rounds[page].SetCaption(kRoundCaptions[page]);
        rounds[page].Click = [this, page] { form.RoundButtonClick(page); };
        roundWindows[page] = std::make_unique<controls::RoundBtnWindow>(rounds[page]);
        roundWindows[page]->Create(window, RECT{0, 0, 10, 10}, kRoundId + page);
    }
    options = std::make_unique<Frm_Options>(prompts);
    optionsWindow = std::make_unique<Frm_OptionsWindow>(*options);
    optionsWindow->Create(areas[4].hwnd());
    // A restore ends the program through the normal shut-down, once the
    // options page's handler has returned.
    options->unloadMainWindow = [this] { ::PostMessageW(window, WM_CLOSE, 0, 0); };
    about = std::make_unique<Frm_About>(prompts);
    about->showUpdate = [this] { update::ShowUpdateWizard(window); };
    aboutWindow = std::make_unique<Frm_AboutWindow>(*about);
    aboutWindow->Create(areas[5].hwnd());
    pages = std::make_unique<ToolPages>(form, prompts, *options, ToolPages::PrivacyButtons{[this](bool enabled) {
                                            tabs[1].SetEnabled(enabled);
                                            rounds[1].SetEnabled(enabled);
                                        }});
    pages->Create({areas[0].hwnd(), areas[1].hwnd(), areas[2].hwnd(), areas[3].hwnd()}, buttonStrip);
    themeSubscription = controls::SubscribeTheme(controls::ThemeStage::MainWindow, [this] { Recolour(); });
    finishSubscription = controls::SubscribeTheme(controls::ThemeStage::Finish, [this] {
        if (window) ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        if (form.CurrentPage == 4) form.DrowTipText(FrmMain::PageTip(4));
    });
}

void FrmMainWindow::State::Bind() {
    FrmMainView& view = form.View;
    view.showPageArea = [this](int page) {
        for (int other = 0; other < FrmMain::kPageCount; ++other)
            if (other != page && areas[other].hwnd()) ::ShowWindow(areas[other].hwnd(), SW_HIDE);
        if (areas[page].hwnd()) ::ShowWindow(areas[page].hwnd(), SW_SHOW);
    };
    view.selectButtons = [this](int page) {
        for (int other = 0; other < FrmMain::kPageCount; ++other) {
            tabs[other].SetSelectButton(other == page);
            rounds[other].SelectButton(other == page);
        }
    };
    view.viewChanged = [this](bool compact) {
        const int height = kClientHeight - (compact ? kCompactSaving : 0);
        const SIZE size = platform::WindowSizeForClient(kClientWidth, height, kStyle, kExStyle, dpi);
        ::SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Layout();
    };
    view.showPrivacyTip = [this](bool shown) {
        ::ShowWindow(pTip, shown ? SW_SHOW : SW_HIDE);
        if (shown) {
            privacyTip.SetToolTipFontColor(controls::ThemeTextColor);
            privacyTip.ShowInformation(
                "(*) These items will require restart to make the clean process take effect\r\nUse Ctrl+Click to "
                "restart your computer.");
        } else {
            privacyTip.HideMessage();
        }
    };
    view.showResultStrip = [this](bool shown) {
        if (!shown) {
            ::ShowWindow(resultStrip, SW_HIDE);
            return;
        }
        // Slides up from the window's bottom edge to its place (Layout's).
        RECT place{};
        ::GetWindowRect(resultStrip, &place);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        RECT client{};
        ::GetClientRect(window, &client);
        ::ShowWindow(resultStrip, SW_SHOWNA);
        constexpr int kSteps = 6;
        for (int step = kSteps; step >= 0; --step) {
            const int top = place.top + static_cast<int>(client.bottom - place.top) * step / kSteps;
            ::SetWindowPos(resultStrip, HWND_TOP, place.left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
            ::UpdateWindow(window);
            if (step > 0) ::Sleep(8);
        }
    };
    view.resultText = [this](const std::string& text) { platform::SetWindowTextUtf8(resultStrip, text); };
    view.enableResultTimer = [this](bool on) {
        if (on)
            ::SetTimer(window, kResultTimer, FrmMain::kResultMs, nullptr);
        else
            ::KillTimer(window, kResultTimer);
    };
    view.tipChanged = [this] {
        const RECT tip = TipRect();
        ::InvalidateRect(window, &tip, FALSE);
    };
    view.enableTipTimers = [this](bool on) {
        ::KillTimer(window, kTipDrowTimer);
        if (on)
            ::SetTimer(window, kTipMoveTimer, 10, nullptr);
        else
            ::KillTimer(window, kTipMoveTimer);
    };
}

FrmMainWindow::FrmMainWindow(FrmMain& form) : state_(std::make_unique<State>(form)) {}

FrmMainWindow::~FrmMainWindow() {
    state_->form.OnCaptionChanged({});
    state_->destroyed = nullptr;
    if (state_->window) ::DestroyWindow(state_->window);
}

const wchar_t* FrmMainWindow::ClassName() { return kClassName; }

platform::WindowHandle FrmMainWindow::Handle() const { return state_->window; }

platform::WindowHandle FrmMainWindow::PageArea(int page) const {
    return page >= 0 && page < FrmMain::kPageCount ? state_->areas[page].hwnd() : nullptr;
}

platform::WindowHandle FrmMainWindow::ButtonStrip() const { return state_->buttonStrip; }

platform::WindowHandle FrmMainWindow::TabButton(int page) const {
    return page >= 0 && page < FrmMain::kPageCount && state_->tabWindows[page] ? state_->tabWindows[page]->hwnd()
                                                                               : nullptr;
}

platform::WindowHandle FrmMainWindow::ResultStrip() const { return state_->resultStrip; }

platform::WindowHandle FrmMainWindow::PrivacyNote() const { return state_->pTip; }

controls::ErrorMsg& FrmMainWindow::PrivacyTip() { return state_->privacyTip; }

void FrmMainWindow::SetRestart(std::function<void()> restart) { state_->restart = std::move(restart); }

void FrmMainWindow::OnDestroyed(std::function<void()> listener) { state_->destroyed = std::move(listener); }

bool FrmMainWindow::Show() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!::GetClassInfoExW(instance, kClassName, &windowClass)) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &State::WindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kClassName;
        if (!::RegisterClassExW(&windowClass)) return false;
    }

    State& state = *state_;
    const std::wstring caption = platform::ToWide(state.form.Caption());
    if (!::CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                           nullptr, instance, &state))
        return false;
    state.closeButton =
        ::CreateWindowExW(0, L"BUTTON", L"Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                          state.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), instance, nullptr);
    state.Build();
    state.Bind();

    state.dpi = platform::WindowDpi(state.window);
    const SIZE size = platform::WindowSizeForClient(kClientWidth, kClientHeight, kStyle, kExStyle, state.dpi);
    platform::CenterOnWorkArea(state.window, size.cx, size.cy);
    state.ApplyDpi(state.dpi);

    // Alt+C closes, as the button's caption cannot carry a mnemonic. Every
    // key press in the window reaches the form (F5, the key history).
    ACCEL keys[] = {{FALT | FVIRTKEY, 'C', kCloseId}};
    state.accelerators.reset(::CreateAcceleratorTableW(keys, 1));
    platform::EnableDialogKeys(state.window, state.accelerators.get(),
                               [&form = state.form](unsigned keyCode) { form.KeyDown(keyCode); });
    if (!state.form.pause) state.form.pause = [](double seconds) { core::Pause(seconds); };

    state.form.OnCaptionChanged([this](const std::string& text) { platform::SetWindowTextUtf8(state_->window, text); });
    state.form.Form_Load();
    platform::SetWindowTextUtf8(state.window, state.form.Caption());

    ::ShowWindow(state.window, SW_SHOWNORMAL);
    ::RedrawWindow(state.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::SetForegroundWindow(state.window);
    ::SetFocus(state.closeButton);
    return true;
}

}  // namespace shell
