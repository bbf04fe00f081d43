#include "controls/dialog_window.h"

#include <algorithm>

#include "controls/theme.h"
#include "platform/dpi.h"
#include "platform/modal_runner.h"
#include "platform/ui.h"
#include "platform/utf.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoDialog";
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

LRESULT ThemedControlColour(HDC dc, HBRUSH brush) {
    ::SetTextColor(dc, ResolveColor(ThemeTextColor));
    ::SetBkColor(dc, ResolveColor(ThemeBackColor));
    return reinterpret_cast<LRESULT>(brush);
}

bool DialogWindow::Create(HWND owner, const std::string& caption, int width, int height, bool resizable) {
    owner_ = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    WindowSetup setup;
    setup.className = kClassName;
    setup.parent = owner_;
    setup.rect = {0, 0, 100, 100};
    setup.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | (resizable ? WS_THICKFRAME : 0);
    setup.exStyle = kExStyle;
    setup.text = caption;
    if (!MakeWindow(setup)) return false;
    background_.reset(::CreateSolidBrush(ResolveColor(ThemeBackColor)));
    FollowTheme();
    const SIZE size = platform::WindowSizeForClient(width, height, setup.style, kExStyle, static_cast<unsigned>(Dpi()));
    RECT area{};
    if (owner_ && ::IsWindowVisible(owner_) && !::IsIconic(owner_) && ::GetWindowRect(owner_, &area))
        ::SetWindowPos(hwnd(), nullptr, area.left + (area.right - area.left - size.cx) / 2,
                       area.top + (area.bottom - area.top - size.cy) / 2, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    else
        platform::CenterOnWorkArea(hwnd(), size.cx, size.cy);
    return true;
}

bool DialogWindow::Create(HWND) { return false; }

void DialogWindow::ShowModal(HWND owner) {
    if (Create(owner)) RunModal();
}

int DialogWindow::RunModal() { return hwnd() ? platform::RunModal(hwnd(), owner_) : platform::kModalNoResult; }

void DialogWindow::Close(int result) {
    if (hwnd() && !platform::EndModal(hwnd(), result)) ::DestroyWindow(hwnd());
}

HWND DialogWindow::AddControl(HWND parent, const wchar_t* className, const std::string& text, DWORD style, int id,
                              DWORD exStyle) {
    HWND control =
        ::CreateWindowExW(exStyle, className, platform::ToWide(text).c_str(), WS_CHILD | style, 0, 0, 0, 0, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return control;
}

void DialogWindow::Place(HWND control, int x, int y, int width, int height) {
    const RECT box{x, y, x + width, y + height};
    const auto known = std::find_if(placements_.begin(), placements_.end(),
                                    [control](const Placement& p) { return p.control == control; });
    if (known == placements_.end())
        placements_.push_back({control, box});
    else
        known->box = box;
    ::MoveWindow(control, Scale(x), Scale(y), Scale(width), Scale(height), TRUE);
}

void DialogWindow::OnDpiChanged() {
    for (const Placement& p : placements_)
        ::MoveWindow(p.control, Scale(p.box.left), Scale(p.box.top), Scale(p.box.right - p.box.left),
                     Scale(p.box.bottom - p.box.top), TRUE);
    Invalidate();
}

void DialogWindow::Paint(HDC dc, const RECT& client) {
    background_.reset(::CreateSolidBrush(ResolveColor(ThemeBackColor)));
    ::FillRect(dc, &client, background_.get());
}

LRESULT DialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ThemedControlColour(reinterpret_cast<HDC>(wParam), background_.get());
        case WM_CLOSE:
            Close(IDCANCEL);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace controls
