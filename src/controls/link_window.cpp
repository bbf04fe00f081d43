#include "controls/link_window.h"

#include <commctrl.h>

#include "platform/gdi.h"
#include "platform/utf.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoLink";

}  // namespace

LinkWindow::LinkWindow(Link& logic) : BoundWindow(logic), changed_(logic.changed.Connect([this] { Sync(); })) {}

bool LinkWindow::Create(HWND parent, const RECT& rect, int id) {
    if (!MakeWindow(FocusableControlSetup(kClassName, parent, id, rect, logic_.Caption(), AccessibleRole::Link)))
        return false;
    Sync();
    return true;
}

void LinkWindow::SetFont(HFONT font) {
    font_ = font;
    if (hwnd()) ::InvalidateRect(hwnd(), nullptr, FALSE);
}

HFONT LinkWindow::CurrentFont() { return font_ ? font_ : PageFont(); }

SIZE LinkWindow::PreferredSize() {
    platform::WindowDc dc(hwnd());
    SIZE size = platform::MeasureText(dc.get(), CurrentFont(), logic_.Caption());
    size.cx += Scale(4);
    size.cy += Scale(4);
    return size;
}

void LinkWindow::Sync() {
    if (!hwnd()) return;
    const std::wstring caption = platform::ToWide(logic_.Caption());
    wchar_t current[512] = L"";
    ::GetWindowTextW(hwnd(), current, 512);
    if (caption != current) ::SetWindowTextW(hwnd(), caption.c_str());
    const bool enabled = ::IsWindowEnabled(hwnd()) != FALSE;
    if (enabled != logic_.Enabled()) ::EnableWindow(hwnd(), logic_.Enabled() ? TRUE : FALSE);
    UpdateToolTip();
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void LinkWindow::UpdateToolTip() {
    std::string text = logic_.TipText();
    if (!logic_.TipsText().empty()) text += (text.empty() ? "" : "\n") + logic_.TipsText();
    const std::wstring wide = platform::ToWide(text);
    if (wide == toolTipText_) return;
    toolTipText_ = wide;
    if (!toolTip_ && !wide.empty()) {
        toolTip_.reset(::CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr));
        if (!toolTip_) return;
        ::SendMessageW(toolTip_.get(), TTM_SETMAXTIPWIDTH, 0, Scale(300));
        TTTOOLINFOW tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
        tool.lpszText = toolTipText_.data();
        ::SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    if (!toolTip_) return;
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
    tool.lpszText = toolTipText_.data();
    ::SendMessageW(toolTip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(toolTip_.get(), TTM_ACTIVATE, wide.empty() ? FALSE : TRUE, 0);
}

void LinkWindow::Paint(HDC dc, const RECT& client) {
    platform::FillSolid(dc, client, ResolveColor(logic_.BackColor()));
    HFONT font = CurrentFont();
    if (logic_.Underlined()) {
        if (!underlined_ || underlinedFrom_ != font) {
            LOGFONTW description = {};
            ::GetObjectW(font, sizeof(description), &description);
            underlined_ = platform::DeriveFont(font, description.lfWeight, true);
            underlinedFrom_ = font;
        }
        font = underlined_.get();
    }
    platform::SelectionGuard useFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, logic_.Enabled() ? ResolveColor(logic_.TextColor()) : ::GetSysColor(COLOR_GRAYTEXT));
    RECT text = client;
    text.left += Scale(1);
    platform::DrawTextUtf8(dc, logic_.Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    DrawFocusCue(dc, client);
}

LRESULT LinkWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT answer = 0; HandlePressKeys(logic_, message, wParam, lParam, answer)) return answer;
    switch (message) {
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && logic_.Enabled()) {
                ::SetCursor(platform::HandCursor());
                return TRUE;
            }
            return Default(message, wParam, lParam);
        case WM_MOUSEMOVE:
            TrackLeave();
            logic_.OnMouseMove(MouseArgs(MouseButton::Left, lParam), IsInside(lParam));
            return 0;
        case WM_MOUSELEAVE:
            logic_.OnMouseLeave();
            return Default(message, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            logic_.OnButtonDown(MouseArgs(ButtonOfMessage(message), lParam));
            if (logic_.PressRemembered()) ::SetCapture(hwnd());
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            const MouseButton button = ButtonOfMessage(message);
            // The release decides before the capture goes (losing it cancels).
            logic_.OnButtonUp(MouseArgs(button, lParam), IsInside(lParam));
            if (button == MouseButton::Left && ::GetCapture() == hwnd()) ::ReleaseCapture();
            return 0;
        }
        case WM_SETTEXT: {
            // Keep a caption set from outside (automation) in the logic too.
            const LRESULT result = Default(message, wParam, lParam);
            const auto* newText = reinterpret_cast<const wchar_t*>(lParam);
            const std::string text = newText ? platform::ToUtf8(std::wstring_view(newText)) : std::string();
            if (text != logic_.Caption()) logic_.SetCaption(text);
            return result;
        }
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace controls
