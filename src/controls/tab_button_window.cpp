#include "controls/tab_button_window.h"

#include "platform/gdi.h"

namespace controls {

TabButtonWindow::TabButtonWindow(TabButton& logic)
    : BoundWindow(logic, logic, L"ClarimoTabButton", AccessibleRole::PageTab) {}

void TabButtonWindow::SetPicture(platform::UniqueIcon picture) {
    picture_ = std::move(picture);
    Invalidate();
}

void TabButtonWindow::SetPicDisabled(platform::UniqueIcon picture) {
    picDisabled_ = std::move(picture);
    Invalidate();
}

void TabButtonWindow::Paint(HDC dc, const RECT& client) {
    platform::FillSolid(dc, client, ResolveColor(logic_.BackColor()));
    const Color theme = logic_.ThemeColor();
    const int corner = Scale(6);
    RECT face = client;
    ::InflateRect(&face, -Scale(2), -Scale(1));
    if (logic_.Enabled()) {
        if (logic_.Pressed()) {
            platform::RoundRectangle(dc, face, corner, ResolveColor(Blend(theme, kWhite, 110)), ResolveColor(theme));
        } else if (logic_.SelectButton()) {
            platform::RoundRectangle(dc, face, corner, ResolveColor(Blend(theme, kWhite, 70)), ResolveColor(theme));
            RECT accent = {face.left + Scale(3), face.top + Scale(4), face.left + Scale(6), face.bottom - Scale(4)};
            platform::FillSolid(dc, accent, ResolveColor(theme));
        } else if (logic_.Hovered()) {
            platform::RoundRectangle(dc, face, corner, ResolveColor(Blend(theme, kWhite, 25)),
                                     ResolveColor(Blend(theme, kWhite, 120)));
        }
    }

    RECT text = face;
    text.left += Scale(12);
    text.right -= Scale(4);
    HICON picture = logic_.Enabled() ? picture_.get() : (picDisabled_ ? picDisabled_.get() : picture_.get());
    if (picture) {
        const int side = Scale(16);
        const int top = (client.top + client.bottom - side) / 2;
        ::DrawIconEx(dc, text.left, top, picture, side, side, 0, nullptr, DI_NORMAL);
        text.left += side + Scale(6);
    }
    DrawCaptionAndFocus(dc, text, face, logic_.SelectButton(), DT_LEFT, 2);
}

}  // namespace controls
