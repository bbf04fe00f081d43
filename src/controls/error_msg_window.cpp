#include "controls/error_msg_window.h"

#include "controls/tool_tip.h"
#include "platform/dpi.h"
#include "platform/gdi.h"
#include "platform/utf.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoErrorMsg";

}  // namespace

ErrorMsgWindow::ErrorMsgWindow(ErrorMsg& logic)
    : BoundWindow(logic),
      changed_(logic.changed.Connect([this] { Sync(); })),
      openToolTip_(logic.openToolTip.Connect([this](const std::string& text) { OpenToolTip(text); })),
      closeToolTip_(logic.closeToolTip.Connect([this] { CloseOwnToolTip(); })) {}

ErrorMsgWindow::~ErrorMsgWindow() { CloseOwnToolTip(); }

void ErrorMsgWindow::OpenToolTip(const std::string& text) {
    ToolTipRequest request;
    request.text = text;
    request.font = ToolTipFont();
    request.textColor = logic_.ToolTipFontColor();
    request.backColor = logic_.ToolTipBackColor();
    ::GetCursorPos(&request.screenPoint);
    request.dpi = Dpi();
    request.owner = ::GetAncestor(hwnd(), GA_ROOT);
    ShowToolTip(request);
    ownsToolTip_ = ToolTipWindow() != nullptr;
}

void ErrorMsgWindow::CloseOwnToolTip() {
    if (ownsToolTip_) CloseToolTip();
    ownsToolTip_ = false;
}

int ErrorMsgWindow::SidePixels() const {
    return platform::TwipsToPixels(ErrorMsg::kSideTwips, static_cast<unsigned>(Dpi()));
}

bool ErrorMsgWindow::Create(HWND parent, int x, int y, int id) {
    const int side = platform::TwipsToPixels(ErrorMsg::kSideTwips, platform::WindowDpi(parent));
    WindowSetup setup;
    setup.className = kClassName;
    setup.parent = parent;
    setup.id = id;
    setup.rect = {x, y, x + side, y + side};
    setup.style = WS_CHILD | WS_CLIPSIBLINGS;
    setup.text = logic_.Message();
    setup.role = AccessibleRole::Alert;
    if (!MakeWindow(setup)) return false;
    Sync();
    return true;
}

void ErrorMsgWindow::RunTimer(UINT_PTR id, UINT intervalMs, bool wanted, bool& running) {
    if (wanted == running) return;
    running = wanted;
    if (running)
        ::SetTimer(hwnd(), id, intervalMs, nullptr);
    else
        ::KillTimer(hwnd(), id);
}

void ErrorMsgWindow::Sync() {
    if (!hwnd()) return;
    // The message is the window text, for screen readers.
    std::wstring text = platform::ToWide(logic_.Shown() ? logic_.Message() : std::string());
    if (text != windowText_) {
        windowText_ = std::move(text);
        ::SetWindowTextW(hwnd(), windowText_.c_str());
    }
    RunTimer(kFadeTimer, ErrorMsg::kFadeIntervalMs, logic_.FadeTimerRunning(), fadeRunning_);
    RunTimer(kShowTimer, ErrorMsg::kShowIntervalMs, logic_.ShowTimerRunning(), showRunning_);
    const bool visible = ::IsWindowVisible(hwnd()) != FALSE;
    if (logic_.Shown() != visible) ::ShowWindow(hwnd(), logic_.Shown() ? SW_SHOWNA : SW_HIDE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void ErrorMsgWindow::Paint(HDC dc, const RECT& client) {
    const COLORREF back = ResolveColor(logic_.BackColor());
    platform::FillSolid(dc, client, back);
    if (!logic_.Shown() || logic_.Icon() == MessageIcon::None || logic_.IconAlpha() <= 0) return;

    // The icon over the background, then blended onto the surface with the
    // fade's constant alpha.
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    platform::UniqueMemoryDc iconDc(::CreateCompatibleDC(dc));
    platform::UniqueBitmap iconBitmap(::CreateCompatibleBitmap(dc, width, height));
    if (!iconDc || !iconBitmap) return;
    platform::SelectionGuard useBitmap(iconDc.get(), iconBitmap.get());
    platform::FillSolid(iconDc.get(), client, back);
    const auto resource = logic_.Icon() == MessageIcon::Error ? MAKEINTRESOURCEW(32513) : MAKEINTRESOURCEW(32516);
    // Shared system icons (OIC_HAND, OIC_INFORMATION): not destroyed.
    auto icon = static_cast<HICON>(::LoadImageW(nullptr, resource, IMAGE_ICON, width, height, LR_SHARED));
    if (icon) ::DrawIconEx(iconDc.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    platform::AlphaBlendConstant(dc, client, iconDc.get(), 0, 0, static_cast<BYTE>(logic_.IconAlpha()));
}

LRESULT ErrorMsgWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_WINDOWPOSCHANGING: {
            // Always the same square, whatever size a layout asks for.
            auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
            if (!(position->flags & SWP_NOSIZE)) {
                position->cx = SidePixels();
                position->cy = SidePixels();
            }
            return 0;
        }
        case WM_TIMER:
            if (wParam == kFadeTimer) logic_.OnFadeTimer();
            if (wParam == kShowTimer) logic_.OnShowTimer(CursorInside());
            return 0;
        case WM_MOUSEMOVE:
            TrackLeave();
            logic_.OnMouseMove(IsInside(lParam));
            return 0;
        case WM_MOUSELEAVE:
            logic_.OnMouseMove(false);
            return Default(message, wParam, lParam);
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            logic_.OnButtonUp(ButtonOfMessage(message), IsInside(lParam));
            return 0;
        case WM_SHOWWINDOW:
            if (wParam == FALSE) CloseOwnToolTip();
            return Default(message, wParam, lParam);
        case WM_DESTROY:
            ::KillTimer(hwnd(), kFadeTimer);
            ::KillTimer(hwnd(), kShowTimer);
            fadeRunning_ = showRunning_ = false;
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace controls
