#include "controls/page_panel.h"

#include <uxtheme.h>

#include "controls/theme.h"
#include "platform/gdi.h"
#include "platform/utf.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoPagePanel";

}  // namespace

bool PagePanel::Create(HWND parent, int id) {
    WindowSetup setup;
    setup.className = kClassName;
    setup.parent = parent;
    setup.id = id;
    if (parent) ::GetClientRect(parent, &setup.rect);
    setup.style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    setup.exStyle = WS_EX_CONTROLPARENT;
    if (!MakeWindow(setup)) return false;
    Recolour();
    return true;
}

void PagePanel::OnDpiChanged() {
    if (onDpiChanged) onDpiChanged();
    RECT client;
    ::GetClientRect(hwnd(), &client);
    if (onLayout) onLayout(client.right, client.bottom);
    Invalidate();
}

HWND PagePanel::AddControl(const wchar_t* className, const std::string& text, DWORD style, int id, DWORD exStyle) {
    const std::wstring caption = platform::ToWide(text);
    HWND control =
        ::CreateWindowExW(exStyle, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (control) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return control;
}

HWND PagePanel::AddThemedButton(const std::string& text, DWORD style, int id) {
    HWND button = AddControl(L"BUTTON", text, style, id);
    if (button) ::SetWindowTheme(button, L"", L"");
    return button;
}

void PagePanel::SetGroupFrame(int key, const RECT& rect) {
    if (::IsRectEmpty(&rect))
        groupFrames_.erase(key);
    else
        groupFrames_[key] = rect;
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void PagePanel::Recolour() {
    const COLORREF color = ResolveColor(ThemeBackColor);
    if (color != backgroundColor_ || !background_) {
        background_.reset(::CreateSolidBrush(color));
        backgroundColor_ = color;
    }
    if (hwnd()) ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void PagePanel::Paint(HDC dc, const RECT& client) {
    ::FillRect(dc, &client, background_.get());
    const COLORREF border = ResolveColor(ThemeBorderColor());
    platform::RoundRectangle(dc, client, Scale(8), CLR_INVALID, border);
    for (const auto& [key, frame] : groupFrames_) platform::RoundRectangle(dc, frame, Scale(6), CLR_INVALID, border);
}

LRESULT PagePanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            ::GetClientRect(hwnd(), &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            ::BeginPaint(hwnd(), &paint);
            ::EndPaint(hwnd(), &paint);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, ResolveColor(ThemeTextColor));
            ::SetBkColor(dc, backgroundColor_);
            return reinterpret_cast<LRESULT>(background_.get());
        }
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(Font());
        case WM_COMMAND:
            if (onCommand) onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER:
            if (onTimer) onTimer(wParam);
            return 0;
        case WM_SIZE:
            if (onLayout) onLayout(LOWORD(lParam), HIWORD(lParam));
            ::InvalidateRect(hwnd(), nullptr, TRUE);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace controls
