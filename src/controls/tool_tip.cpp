#include "controls/tool_tip.h"

#include <algorithm>
#include <memory>

#include "controls/custom_window.h"
#include "controls/theme.h"
#include "platform/dpi.h"
#include "platform/gdi.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoToolTip";
constexpr UINT_PTR kActiveCheckTimer = 1;
constexpr int kMargin96 = 6;

class ToolTip : public CustomWindow {
public:
    bool Open(const ToolTipRequest& request) {
        request_ = request;
        dpi_ = request.dpi > 0 ? static_cast<unsigned>(request.dpi) : platform::SystemDpi();
        if (!request.font) {
            ownFont_ = platform::CreateMessageFont(dpi_);
            request_.font = ownFont_.get();
        }
        activeAtOpen_ = ::GetForegroundWindow();

        // Size to the text.
        platform::WindowDc screen(nullptr);
        RECT textRect = {0, 0, platform::ScaleForDpi(480, dpi_), 0};
        {
            platform::SelectionGuard useFont(screen.get(), request_.font);
            platform::DrawTextUtf8(screen.get(), request_.text, textRect,
                                   DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        }
        const int margin = platform::ScaleForDpi(kMargin96, dpi_);
        const int width = textRect.right + 2 * margin;
        const int height = textRect.bottom + 2 * margin;

        // Below and right of the cursor, kept inside the screen.
        POINT at = {request.screenPoint.x + platform::ScaleForDpi(4, dpi_),
                    request.screenPoint.y + platform::ScaleForDpi(20, dpi_)};
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof(monitor);
        if (::GetMonitorInfoW(::MonitorFromPoint(request.screenPoint, MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& area = monitor.rcWork;
            if (at.x + width > area.right) at.x = area.right - width;
            if (at.y + height > area.bottom) at.y = request.screenPoint.y - height - platform::ScaleForDpi(4, dpi_);
            at.x = std::max(at.x, area.left);
            at.y = std::max(at.y, area.top);
        }
        const RECT rect = {at.x, at.y, at.x + width, at.y + height};
        const bool layered = request.opacity < 255;
        // Owned by its window, so it stays above that window only, never
        // over other programs.
        WindowSetup setup;
        setup.className = kClassName;
        setup.parent = request.owner;
        setup.rect = rect;
        setup.style = WS_POPUP;
        setup.exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | (layered ? WS_EX_LAYERED : 0);
        setup.text = request_.text;
        if (!MakeWindow(setup)) return false;
        if (layered)
            ::SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(std::max(request.opacity, 0)), LWA_ALPHA);
        const int corner = platform::ScaleForDpi(7, dpi_);
        platform::UniqueRegion region(::CreateRoundRectRgn(0, 0, width + 1, height + 1, corner, corner));
        if (region && ::SetWindowRgn(hwnd(), region.get(), FALSE)) region.release();
        ::SetTimer(hwnd(), kActiveCheckTimer, 100, nullptr);
        ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
        return true;
    }

    const std::string& Text() const { return request_.text; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void Paint(HDC dc, const RECT& client) override {
        const Color bottom = request_.backColor == SystemColor(kSysInfoBackground) ? kWhite : request_.backColor;
        platform::GradientVertical(dc, client, ResolveColor(Blend(ThemeColor, kWhite, 90)), ResolveColor(bottom));
        const int corner = platform::ScaleForDpi(7, dpi_);
        platform::RoundRectangle(dc, client, corner, CLR_INVALID, ResolveColor(ThemeColor));
        const int margin = platform::ScaleForDpi(kMargin96, dpi_);
        RECT text = {client.left + margin, client.top + margin, client.right - margin, client.bottom - margin};
        platform::SelectionGuard useFont(dc, request_.font);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ResolveColor(request_.textColor));
        platform::DrawTextUtf8(dc, request_.text, text, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    }

private:
    ToolTipRequest request_;
    platform::UniqueFont ownFont_;
    HWND activeAtOpen_ = nullptr;
    unsigned dpi_ = 96;
};

std::unique_ptr<ToolTip>& Current() {
    static std::unique_ptr<ToolTip> current;
    return current;
}

// Closing from inside the window's own message handler: the object must
// outlive the handler, so the close is posted.
constexpr UINT kCloseMessage = WM_APP + 1;

LRESULT ToolTip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            ::PostMessageW(hwnd(), kCloseMessage, 0, 0);
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_TIMER:
            if (wParam == kActiveCheckTimer && ::GetForegroundWindow() != activeAtOpen_) {
                ::PostMessageW(hwnd(), kCloseMessage, 0, 0);
            }
            return 0;
        case kCloseMessage:
            if (Current().get() == this) Current().reset();
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), kActiveCheckTimer);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace

void ShowToolTip(const ToolTipRequest& request) {
    CloseToolTip();
    auto tip = std::make_unique<ToolTip>();
    if (tip->Open(request)) Current() = std::move(tip);
}

void CloseToolTip() { Current().reset(); }

HWND ToolTipWindow() { return Current() ? Current()->hwnd() : nullptr; }

std::string ToolTipText() { return Current() ? Current()->Text() : std::string(); }

}  // namespace controls
