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
#include "controls/tool_tip.h"
#include "core/cls_file_folder.h"
#include "core/general.h"
#include "core/maker.h"
#include "core/system_prompts.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/handles.h"
#include "platform/message_pump.h"
#include "platform/ui.h"
#include "platform/utf.h"
#include "platform/window_text.h"
#include "shell/frm_about.h"
#include "shell/frm_about_window.h"
#include "shell/frm_options.h"
#include "shell/frm_options_window.h"
#include "shell/main_layout.h"
#include "shell/tool_pages.h"
#include "update/update_wizard.h"

namespace shell {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoMain";
constexpr int kCloseId = 100;
constexpr int kNextPageId = 101;      // Ctrl+Tab
constexpr int kPreviousPageId = 102;  // Ctrl+Shift+Tab
constexpr int kTabId = 110;           // + page
constexpr int kAreaId = 120;          // + page
constexpr int kButtonStripId = 130;
constexpr int kResultId = 131;
constexpr int kPTipId = 132;
constexpr int kPrivacyTipId = 133;
constexpr int kToggleId = 134;      // PicTog2: to the compact view
constexpr int kToggleFullId = 135;  // PicTog: back to the full view
constexpr int kLogoId = 136;
constexpr int kRoundId = 140;  // + page
constexpr const char* kTabCaptions[kPageCount] = {"Junk Files", "Privacy", "Startup Manager",
                                                  "Processes",  "Options", "About"};
constexpr const char* kRoundCaptions[kPageCount] = {"Junk Files", "Privacy", "Startup",
                                                    "Processes",  "Options", "About"};
constexpr UINT_PTR kTipMoveTimer = 1;
constexpr UINT_PTR kTipDrowTimer = 2;
constexpr UINT_PTR kResultTimer = 3;
constexpr int kFontPoints = 9;
constexpr int kTitlePoints = 16;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

RECT ToRect(const Box& box) { return RECT{box.left, box.top, box.right, box.bottom}; }

void Place(HWND window, const Box& box, bool shown = true) {
    if (!window) return;
    ::SetWindowPos(window, nullptr, box.left, box.top, box.Width(), box.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(window, shown && !box.Empty() ? SW_SHOW : SW_HIDE);
}

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id) {
    return ::CreateWindowExW(0, className, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

// The window itself: the controls, the layout, the keys and the painting.
class FrmMainWindow::Frame : public controls::CustomWindow {
public:
    explicit Frame(FrmMain& f) : form(f) {}
    ~Frame() override {
        form.windowPosition = nullptr;
        // The pages' windows go with their parent while the pages still exist.
        if (hwnd()) ::DestroyWindow(hwnd());
    }

    bool Open();

    FrmMain& form;
    HWND closeButton = nullptr;
    HWND buttonStrip = nullptr;
    HWND resultStrip = nullptr;
    HWND pTip = nullptr;
    HWND toggle = nullptr;
    HWND toggleFull = nullptr;
    HWND toolTips = nullptr;
    // The control that had the focus when the window was last deactivated.
    HWND lastFocus = nullptr;
    std::array<controls::RoundBtn, kPageCount> rounds;
    std::array<std::unique_ptr<controls::RoundBtnWindow>, kPageCount> roundWindows;
    controls::ErrorMsg privacyTip;
    std::unique_ptr<controls::ErrorMsgWindow> privacyTipWindow;
    std::function<void()> restart;
    std::array<controls::TabButton, kPageCount> tabs;
    std::array<std::unique_ptr<controls::TabButtonWindow>, kPageCount> tabWindows;
    std::array<controls::PagePanel, kPageCount> areas;
    core::SystemPrompts prompts;
    std::unique_ptr<Frm_Options> options;
    std::unique_ptr<Frm_OptionsWindow> optionsWindow;
    std::unique_ptr<Frm_About> about;
    std::unique_ptr<Frm_AboutWindow> aboutWindow;
    std::unique_ptr<ToolPages> pages;
    controls::ThemeSubscription finishSubscription;
    MainLayout layout;
    platform::UniqueFont font;
    platform::UniqueFont titleFont;
    platform::UniqueIcon bigIcon;
    platform::UniqueIcon smallIcon;
    platform::UniqueAcceleratorTable accelerators;
    std::function<void()> destroyed;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;
    void OnDpiChanged() override;
    void OnThemeChanged() override;

private:
    static LRESULT CALLBACK ButtonStripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR);
    bool OnCommand(int id, int code, HWND control);
    void Close(bool byCloseButton);
    void SwitchPage(int step);
    void OnActivate(bool active);
    void ApplyDpi();
    void Layout();
    void Build();
    void Bind();
    void DrawTog(const DRAWITEMSTRUCT& item) const;
    void AddToolTip(HWND control, const wchar_t* text) const;
    bool OverLogo() const;
};

// The pages' command buttons live in the strip: their clicks go on to the
// main window.
LRESULT CALLBACK FrmMainWindow::Frame::ButtonStripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                       DWORD_PTR) {
    if (message == WM_COMMAND || message == WM_NOTIFY)
        return ::SendMessageW(::GetParent(strip), message, wParam, lParam);
    return ::DefSubclassProc(strip, message, wParam, lParam);
}

void FrmMainWindow::Frame::Close(bool byCloseButton) {
    // A close that arrives while the shut-down runs is ignored.
    if (form.Unloading()) return;
    if (byCloseButton)
        form.Cmd_Close_Click();
    else
        form.Form_Unload();
    // Only reached when a test gave the form an end that returns.
    if (hwnd()) ::DestroyWindow(hwnd());
}

void FrmMainWindow::Frame::SwitchPage(int step) {
    // The next page whose tab is enabled (the junk page disables privacy
    // while it works).
    const int current = PageIndex(PageFromIndex(form.CurrentPage).value_or(Page::Junk));
    for (int offset = 1; offset < kPageCount; ++offset) {
        const int page = (current + step * offset + kPageCount * kPageCount) % kPageCount;
        if (!tabs[page].Enabled()) continue;
        form.TabButtonClick(page);
        return;
    }
}

void FrmMainWindow::Frame::OnActivate(bool active) {
    if (!active) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd(), focus)) lastFocus = focus;
        return;
    }
    // Back to the control that had the focus; the first control otherwise.
    HWND target = lastFocus;
    if (!target || !::IsWindow(target) || !::IsWindowVisible(target) || !::IsWindowEnabled(target))
        target = ::GetNextDlgTabItem(hwnd(), nullptr, FALSE);
    if (target) ::SetFocus(target);
}

bool FrmMainWindow::Frame::OnCommand(int id, int code, HWND control) {
    if (control && pages && ::GetParent(control) == buttonStrip) {
        pages->OnButtonCommand(control, id, code);
        return true;
    }
    switch (id) {
        case kToggleId:
            form.SetCompactView(true);
            return true;
        case kToggleFullId:
            form.SetCompactView(false);
            return true;
        case kCloseId:  // the button, and Alt+C
            Close(true);
            return true;
        case kNextPageId:
        case kPreviousPageId:
            SwitchPage(id == kNextPageId ? 1 : -1);
            return true;
        case IDOK:
        case IDCANCEL:
            // Not a dialog: Enter and Esc never end the program.
            return true;
        default:
            return false;
    }
}

LRESULT FrmMainWindow::Frame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
            break;
        case WM_CLOSE:
            Close(false);
            return 0;
        case WM_TIMER:
            if (wParam == kTipMoveTimer) {
                if (!form.TipMove_Timer()) {
                    ::KillTimer(hwnd(), kTipMoveTimer);
                    ::SetTimer(hwnd(), kTipDrowTimer, 1, nullptr);
                }
            } else if (wParam == kTipDrowTimer) {
                if (!form.TipDrow_Timer()) ::KillTimer(hwnd(), kTipDrowTimer);
            } else if (wParam == kResultTimer) {
                form.TmResult_Timer();
            }
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlID == kToggleId || item->CtlID == kToggleFullId) {
                DrawTog(*item);
                return TRUE;
            }
            break;
        }
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == hwnd() && LOWORD(lParam) == HTCLIENT && OverLogo()) {
                ::SetCursor(platform::HandCursor());
                return TRUE;
            }
            break;
        case WM_LBUTTONUP:
            // Plogo: a release on the logo opens the maker's home page.
            if (OverLogo())
                core::ClsFileFolder().OpenFileFolder(hwnd(),
                                                     std::string(core::maker::kWebSite) + core::maker::kHomePagePath);
            return 0;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == resultStrip) {
                HDC dc = reinterpret_cast<HDC>(wParam);
                ::SetTextColor(dc, RGB(64, 64, 64));
                ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_DEVICECHANGE:
            // Broadcast to top-level windows only: the pages that list drives
            // are children.
            for (HWND child = ::GetWindow(hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                ::SendMessageW(child, WM_DEVICECHANGE, wParam, lParam);
            return TRUE;
        case WM_QUERYENDSESSION:
            return form.Form_QueryEndSession() ? TRUE : FALSE;
        case WM_ENDSESSION:
            form.Form_EndSession(wParam != FALSE);
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DESTROY:
            platform::DisableDialogKeys(hwnd());
            return 0;
        case WM_NCDESTROY:
            closeButton = nullptr;
            if (destroyed) destroyed();
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

void FrmMainWindow::Frame::OnDpiChanged() { ApplyDpi(); }

void FrmMainWindow::Frame::ApplyDpi() {
    const unsigned dpi = static_cast<unsigned>(Dpi());
    font = platform::CreateUiFont(dpi, kFontPoints);
    titleFont = platform::CreateUiFont(dpi, kTitlePoints);
    for (HWND control : {closeButton, resultStrip, pTip})
        if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    bigIcon = platform::LoadIconResource("QX2ICON", platform::ScaleForDpi(32, dpi));
    smallIcon = platform::LoadIconResource("QX2ICON", platform::ScaleForDpi(16, dpi));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    Layout();
}

void FrmMainWindow::Frame::Layout() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const bool compact = form.CompactView;
    layout = LayOutMainWindow(client.right, client.bottom, static_cast<unsigned>(Dpi()), compact);
    Place(closeButton, layout.close);
    for (int page = 0; page < kPageCount; ++page) {
        if (tabWindows[page]) Place(tabWindows[page]->hwnd(), layout.tabs[page]);
        if (roundWindows[page]) Place(roundWindows[page]->hwnd(), layout.rounds[page]);
    }
    // The view toggle of the other view.
    Place(toggle, layout.toggle, !compact);
    Place(toggleFull, layout.toggle, compact);
    TOOLINFOW logoTool{};
    logoTool.cbSize = sizeof logoTool;
    logoTool.hwnd = hwnd();
    logoTool.uId = kLogoId;
    logoTool.rect = ToRect(layout.logo);
    ::SendMessageW(toolTips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&logoTool));
    // The page areas (one shows at a time) and the tool panels that fill them.
    const Box& area = layout.pageArea;
    for (auto& page : areas) {
        if (!page.hwnd()) continue;
        ::SetWindowPos(page.hwnd(), nullptr, area.left, area.top, area.Width(), area.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        for (HWND child = ::GetWindow(page.hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            ::SetWindowPos(child, nullptr, 0, 0, area.Width(), area.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const Box strip = layout.ButtonStrip(3);
    ::SetWindowPos(buttonStrip, nullptr, strip.left, strip.top, strip.Width(), strip.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (pages) pages->SetButtonSize(layout.buttonWidth, layout.buttonHeight, layout.buttonGap);
    const Box& result = layout.resultStrip;
    ::SetWindowPos(resultStrip, HWND_TOP, result.left, result.top, result.Width(), result.Height(), SWP_NOACTIVATE);
    const Box& note = layout.privacyNote;
    ::SetWindowPos(pTip, nullptr, note.left, note.top, note.Width(), note.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (privacyTipWindow && privacyTipWindow->hwnd())
        ::SetWindowPos(privacyTipWindow->hwnd(), nullptr, layout.privacyBalloon.left, layout.privacyBalloon.top, 0, 0,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void FrmMainWindow::Frame::Paint(HDC dc, const RECT& client) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    platform::FillSolid(dc, client, face);
    // Header: the logo and the program's name on the theme's gradient, with
    // a thin line from the theme colour to white under the tip line.
    const COLORREF theme = controls::ResolveColor(controls::ThemeColor);
    const RECT header = ToRect(layout.header);
    platform::GradientHorizontal(dc, header, theme, controls::ResolveColor(controls::ThemeLightColor));
    const int lineTop = layout.tip.bottom + platform::ScaleForDpi(3, static_cast<unsigned>(Dpi()));
    platform::GradientHorizontal(dc, RECT{0, lineTop, client.right, lineTop + 2}, theme, RGB(255, 255, 255));
    ::SetBkMode(dc, TRANSPARENT);
    const Box& logo = layout.logo;
    if (bigIcon)
        ::DrawIconEx(dc, logo.left, logo.top, bigIcon.get(), logo.Width(), logo.Height(), 0, nullptr, DI_NORMAL);
    // The compact view's round buttons take the band; the caption names the
    // program there.
    if (!layout.title.Empty()) {
        platform::SelectionGuard useTitle(dc, titleFont.get());
        ::SetTextColor(dc, RGB(255, 255, 255));
        RECT title = ToRect(layout.title);
        platform::DrawTextUtf8(dc, FrmMain::InitialCaption(), title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    // Tip line, faded in from the background.
    platform::SelectionGuard useFont(dc, font.get());
    const controls::Color text = controls::ResolveColor(controls::ThemeTextColor);
    ::SetTextColor(dc, controls::Blend(static_cast<controls::Color>(face), text, form.TipBlend()));
    RECT tip = ToRect(layout.tip);
    platform::DrawTextUtf8(dc, form.TipShown(), tip, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void FrmMainWindow::Frame::DrawTog(const DRAWITEMSTRUCT& item) const {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    RECT box = item.rcItem;
    platform::FillSolid(item.hDC, box, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF fill = FrmMain::ToggleColor(controls::ResolveColor(controls::ThemeColor), selected);
    const COLORREF border = controls::ResolveColor(controls::ThemeColor);
    platform::RoundRectangle(item.hDC, box, Scale(6), fill, border);
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

bool FrmMainWindow::Frame::OverLogo() const {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(hwnd(), &cursor);
    const RECT logo = ToRect(layout.logo);
    return ::PtInRect(&logo, cursor) != FALSE;
}

void FrmMainWindow::Frame::AddToolTip(HWND control, const wchar_t* text) const {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FrmMainWindow::Frame::OnThemeChanged() {
    for (auto& tab : tabs) tab.SetThemeColor(controls::ThemeColor);
    for (HWND picture : {toggle, toggleFull})
        if (picture) ::InvalidateRect(picture, nullptr, TRUE);
    for (auto& area : areas)
        if (area.hwnd()) area.Recolour();
    Invalidate();
}

void FrmMainWindow::Frame::Build() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    HWND window = hwnd();
    closeButton = CreateChild(window, L"BUTTON", L"Close", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, kCloseId);
    for (int page = 0; page < kPageCount; ++page) {
        areas[page].Create(window, kAreaId + page);
        tabs[page].SetCaption(kTabCaptions[page]);
        tabs[page].SetThemeColor(controls::ThemeColor);
        tabs[page].Click = [this, page] { form.TabButtonClick(page); };
        tabWindows[page] = std::make_unique<controls::TabButtonWindow>(tabs[page]);
        tabWindows[page]->Create(window, RECT{0, 0, 10, 10}, kTabId + page);
    }
    buttonStrip = ::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonStripId)), instance, nullptr);
    ::SetWindowSubclass(buttonStrip, &Frame::ButtonStripProc, 0, 0);
    resultStrip = CreateChild(window, L"STATIC", L"", SS_LEFT | SS_CENTERIMAGE, kResultId);
    pTip = CreateChild(window, L"STATIC", L"(*) These items will require restart.", SS_LEFT | SS_CENTERIMAGE, kPTipId);
    privacyTipWindow = std::make_unique<controls::ErrorMsgWindow>(privacyTip);
    privacyTipWindow->Create(window, 0, 0, kPrivacyTipId);
    // Ctrl+click on the balloon restarts Windows (after asking).
    privacyTip.Click = [this] {
        form.PrivacyTipClick(
            ::GetKeyState(VK_CONTROL) < 0, restart ? restart : [this] { core::RestartWindows(prompts); });
    };
    // The view toggles are owner-drawn buttons, so that the keyboard reaches
    // them; their text names them for screen readers.
    toggle = CreateChild(window, L"BUTTON", L"Switch to compact view", WS_TABSTOP | BS_OWNERDRAW, kToggleId);
    toggleFull = CreateChild(window, L"BUTTON", L"Switch to full view", WS_TABSTOP | BS_OWNERDRAW, kToggleFullId);
    // Owned by the main window: above it only, never over other programs.
    toolTips = ::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
    AddToolTip(toggle, L"Switch to compact view");
    AddToolTip(toggleFull, L"Switch to full view");
    TOOLINFOW logoTool{};
    logoTool.cbSize = sizeof logoTool;
    logoTool.uFlags = TTF_SUBCLASS;
    logoTool.hwnd = window;
    logoTool.uId = kLogoId;
    logoTool.lpszText = const_cast<wchar_t*>(L"Click to visit Clarimo Home Page.");
    ::SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&logoTool));
    for (int page = 0; page < kPageCount; ++page) {
        rounds[page].SetCaption(kRoundCaptions[page]);
        rounds[page].Click = [this, page] { form.RoundButtonClick(page); };
        roundWindows[page] = std::make_unique<controls::RoundBtnWindow>(rounds[page]);
        roundWindows[page]->Create(window, RECT{0, 0, 10, 10}, kRoundId + page);
    }
    options = std::make_unique<Frm_Options>(prompts);
    optionsWindow = std::make_unique<Frm_OptionsWindow>(*options);
    optionsWindow->Create(areas[PageIndex(Page::Options)].hwnd());
    // A restore ends the program through the normal shut-down, once the
    // options page's handler has returned.
    options->unloadMainWindow = [this] { ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); };
    about = std::make_unique<Frm_About>(prompts);
    about->showUpdate = [this] { update::ShowUpdateWizard(hwnd()); };
    aboutWindow = std::make_unique<Frm_AboutWindow>(*about);
    aboutWindow->Create(areas[PageIndex(Page::About)].hwnd());
    const int privacy = PageIndex(Page::Privacy);
    pages = std::make_unique<ToolPages>(form, prompts, *options, ToolPages::PrivacyButtons{[this, privacy](bool on) {
                                            tabs[privacy].SetEnabled(on);
                                            rounds[privacy].SetEnabled(on);
                                        }});
    pages->Create({areas[0].hwnd(), areas[1].hwnd(), areas[2].hwnd(), areas[3].hwnd()}, buttonStrip);
    FollowTheme(controls::ThemeStage::MainWindow);
    finishSubscription = controls::SubscribeTheme(controls::ThemeStage::Finish, [this] {
        if (hwnd()) ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        const int optionsPage = PageIndex(Page::Options);
        if (form.CurrentPage == optionsPage) form.DrowTipText(FrmMain::PageTip(optionsPage));
    });
}

void FrmMainWindow::Frame::Bind() {
    FrmMainView& view = form.View;
    view.showPageArea = [this](int page) {
        // A balloon's tip belongs to the page that goes.
        controls::CloseToolTip();
        for (int other = 0; other < kPageCount; ++other)
            if (other != page && areas[other].hwnd()) ::ShowWindow(areas[other].hwnd(), SW_HIDE);
        if (areas[page].hwnd()) ::ShowWindow(areas[page].hwnd(), SW_SHOW);
    };
    view.selectButtons = [this](int page) {
        for (int other = 0; other < kPageCount; ++other) {
            tabs[other].SetSelectButton(other == page);
            rounds[other].SelectButton(other == page);
        }
    };
    view.viewChanged = [this](bool compact) {
        const ClientSize client = MainClientSize96(compact);
        const SIZE size =
            platform::WindowSizeForClient(client.width, client.height, kStyle, kExStyle, static_cast<unsigned>(Dpi()));
        ::SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
        // Slides up from the window's bottom edge to its place.
        const Box& place = layout.resultStrip;
        RECT client{};
        ::GetClientRect(hwnd(), &client);
        ::ShowWindow(resultStrip, SW_SHOWNA);
        constexpr int kSteps = 6;
        for (int step = kSteps; step >= 0; --step) {
            const int top = place.top + static_cast<int>(client.bottom - place.top) * step / kSteps;
            ::SetWindowPos(resultStrip, HWND_TOP, place.left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
            ::UpdateWindow(hwnd());
            if (step > 0) ::Sleep(8);
        }
    };
    view.resultText = [this](const std::string& text) { platform::SetWindowTextUtf8(resultStrip, text); };
    view.enableResultTimer = [this](bool on) {
        if (on)
            ::SetTimer(hwnd(), kResultTimer, FrmMain::kResultMs, nullptr);
        else
            ::KillTimer(hwnd(), kResultTimer);
    };
    view.tipChanged = [this] {
        const RECT tip = ToRect(layout.tip);
        ::InvalidateRect(hwnd(), &tip, FALSE);
    };
    view.enableTipTimers = [this](bool on) {
        ::KillTimer(hwnd(), kTipDrowTimer);
        if (on)
            ::SetTimer(hwnd(), kTipMoveTimer, 10, nullptr);
        else
            ::KillTimer(hwnd(), kTipMoveTimer);
    };
}

bool FrmMainWindow::Frame::Open() {
    controls::WindowSetup setup;
    setup.className = kClassName;
    setup.rect = RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    setup.style = kStyle;
    setup.exStyle = kExStyle;
    setup.text = form.Caption();
    if (!MakeWindow(setup)) return false;
    Build();
    Bind();

    const ClientSize client = MainClientSize96(false);
    const SIZE size =
        platform::WindowSizeForClient(client.width, client.height, kStyle, kExStyle, static_cast<unsigned>(Dpi()));
    // Where it was closed, while that place is on a monitor; else centred.
    const std::optional<core::WindowPosition> stored = core::StoredMainWindowPosition();
    if (!stored || !platform::PlaceOnAMonitor(hwnd(), stored->x, stored->y, size.cx, size.cy))
        platform::CenterOnWorkArea(hwnd(), size.cx, size.cy);
    form.windowPosition = [this]() -> std::optional<core::WindowPosition> {
        if (!hwnd()) return std::nullopt;
        const POINT corner = platform::RestoredPosition(hwnd());
        return core::WindowPosition{corner.x, corner.y};
    };
    ApplyDpi();

    // Alt+C closes, as the button's caption cannot carry a mnemonic;
    // Ctrl+Tab and Ctrl+Shift+Tab switch pages. Every key press in the
    // window reaches the form (F5, the key history). The window is not a
    // dialog: Enter and Esc stay with the control that has the focus.
    ACCEL keys[] = {{FALT | FVIRTKEY, 'C', kCloseId},
                    {FCONTROL | FVIRTKEY, VK_TAB, kNextPageId},
                    {FCONTROL | FSHIFT | FVIRTKEY, VK_TAB, kPreviousPageId}};
    accelerators.reset(::CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys))));
    platform::EnableDialogKeys(
        hwnd(), accelerators.get(), [this](unsigned keyCode) { form.KeyDown(keyCode); },
        platform::EnterAndEsc::FocusedControl);
    if (!form.pause) form.pause = [](double seconds) { core::Pause(seconds); };

    form.OnCaptionChanged([this](const std::string& text) { platform::SetWindowTextUtf8(hwnd(), text); });
    form.Form_Load();
    platform::SetWindowTextUtf8(hwnd(), form.Caption());

    ::ShowWindow(hwnd(), SW_SHOWNORMAL);
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::SetForegroundWindow(hwnd());
    ::SetFocus(closeButton);
    return true;
}

FrmMainWindow::FrmMainWindow(FrmMain& form) : frame_(std::make_unique<Frame>(form)) {}

FrmMainWindow::~FrmMainWindow() {
    frame_->form.OnCaptionChanged({});
    frame_->destroyed = nullptr;
}

const wchar_t* FrmMainWindow::ClassName() { return kClassName; }

bool FrmMainWindow::Show() { return frame_->Open(); }

platform::WindowHandle FrmMainWindow::Handle() const { return frame_->hwnd(); }

platform::WindowHandle FrmMainWindow::PageArea(Page page) const { return frame_->areas[PageIndex(page)].hwnd(); }

platform::WindowHandle FrmMainWindow::ButtonStrip() const { return frame_->buttonStrip; }

platform::WindowHandle FrmMainWindow::TabButton(Page page) const {
    const auto& tab = frame_->tabWindows[PageIndex(page)];
    return tab ? tab->hwnd() : nullptr;
}

platform::WindowHandle FrmMainWindow::CloseButton() const { return frame_->closeButton; }

platform::WindowHandle FrmMainWindow::ResultStrip() const { return frame_->resultStrip; }

platform::WindowHandle FrmMainWindow::PrivacyNote() const { return frame_->pTip; }

controls::ErrorMsg& FrmMainWindow::PrivacyTip() { return frame_->privacyTip; }

void FrmMainWindow::SetRestart(std::function<void()> restart) { frame_->restart = std::move(restart); }

void FrmMainWindow::OnDestroyed(std::function<void()> listener) { frame_->destroyed = std::move(listener); }

}  // namespace shell
