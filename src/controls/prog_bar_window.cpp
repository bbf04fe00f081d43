#include "controls/prog_bar_window.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "platform/gdi.h"
#include "platform/utf.h"

namespace controls {
namespace {

constexpr wchar_t kClassName[] = L"ClarimoProgBar";

using UniqueThemeData = platform::NullableOwner<HTHEME, &::CloseThemeData>;

}  // namespace

ProgBarWindow::ProgBarWindow(ProgBar& logic)
    : BoundWindow(logic), changed_(logic.changed.Connect([this] { Invalidate(); })) {}

bool ProgBarWindow::Create(HWND parent, const RECT& rect, int id) {
    WindowSetup setup;
    setup.className = kClassName;
    setup.parent = parent;
    setup.id = id;
    setup.rect = rect;
    setup.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    setup.role = AccessibleRole::ProgressBar;
    return MakeWindow(setup);
}

bool ProgBarWindow::PaintStyled(HDC dc, const RECT& client) {
    const cProgressBar& bar = logic_.Drawing();
    if (!bar.XpStyle || !::IsThemeActive() || !::IsAppThemed()) return false;
    UniqueThemeData theme(::OpenThemeData(hwnd(), L"Progress"));
    if (!theme) return false;
    ::DrawThemeBackground(theme.get(), dc, PP_BAR, 0, &client, nullptr);
    RECT inner = client;
    ::GetThemeBackgroundContentRect(theme.get(), dc, PP_BAR, 0, &client, &inner);
    const int width = inner.right - inner.left;
    int chunk = 0;
    int space = 0;
    if (FAILED(::GetThemeInt(theme.get(), PP_CHUNK, 0, TMT_PROGRESSCHUNKSIZE, &chunk))) chunk = 0;
    if (FAILED(::GetThemeInt(theme.get(), PP_CHUNK, 0, TMT_PROGRESSSPACESIZE, &space))) space = 0;
    if (chunk > 0) {
        for (const auto& block : bar.Blocks(width, chunk, space)) {
            RECT part = {inner.left + block.left, inner.top, inner.left + block.right, inner.bottom};
            ::DrawThemeBackground(theme.get(), dc, PP_CHUNK, 0, &part, nullptr);
        }
    } else {
        RECT part = inner;
        part.right = inner.left + bar.FilledWidth(width);
        if (part.right > part.left) ::DrawThemeBackground(theme.get(), dc, PP_CHUNK, 0, &part, nullptr);
    }
    return true;
}

void ProgBarWindow::Paint(HDC target, const RECT& client) {
    const cProgressBar& bar = logic_.Drawing();
    // The parent's background first, for the corners a visual style leaves.
    ::FillRect(target, &client, ParentBackground(target));

    RECT inner = client;
    if (!PaintStyled(target, client)) {
        platform::FillSolid(target, client, ResolveColor(bar.BackColor));
        if (bar.BorderStyle == 1) {
            if (bar.Appearance == 1) {
                ::DrawEdge(target, &inner, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
            } else {
                ::FrameRect(target, &inner, ::GetSysColorBrush(COLOR_WINDOWFRAME));
                ::InflateRect(&inner, -1, -1);
            }
        }
        ::InflateRect(&inner, -Scale(1), -Scale(1));
        const int width = inner.right - inner.left;
        const COLORREF progress = ResolveColor(bar.ProgressColor);
        if (bar.Segments) {
            const int height = inner.bottom - inner.top;
            const int block = height * 2 / 3 > 2 ? height * 2 / 3 : 2;
            for (const auto& span : bar.Blocks(width, block, Scale(2))) {
                RECT part = {inner.left + span.left, inner.top, inner.left + span.right, inner.bottom};
                platform::FillSolid(target, part, progress);
            }
        } else {
            RECT part = inner;
            part.right = inner.left + bar.FilledWidth(width);
            if (part.right > part.left) platform::FillSolid(target, part, progress);
        }
    }

    const std::string text = bar.DisplayText();
    if (!text.empty()) {
        const int dpi = Dpi();
        if (!font_ || fontDpi_ != dpi) {
            font_ = platform::CreatePointFont(bar.FontName, bar.FontPoints, dpi);
            fontDpi_ = dpi;
        }
        platform::SelectionGuard useFont(target, font_.get());
        ::SetBkMode(target, TRANSPARENT);
        ::SetTextColor(target, ResolveColor(bar.ForeColor));
        RECT area = client;
        platform::DrawTextUtf8(target, text, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

LRESULT ProgBarWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_THEMECHANGED:
            Invalidate();
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

}  // namespace controls
