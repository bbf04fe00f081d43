#include "controls/round_btn_window.h"

#include "controls/theme.h"
#include "platform/gdi.h"

namespace controls {

RoundBtnWindow::RoundBtnWindow(RoundBtn& logic)
    : BoundWindow(logic, logic, L"ClarimoRoundBtn", AccessibleRole::PushButton),
      selected_(logic.selected.Connect([this] { ClearSiblings(); })) {}

bool RoundBtnWindow::Create(HWND parent, const RECT& rect, int id) {
    if (!CreateChild(parent, rect, id)) return false;
    // The colours come from the theme in use.
    FollowTheme();
    return true;
}

void RoundBtnWindow::ClearSiblings() {
    HWND parent = hwnd() ? ::GetParent(hwnd()) : nullptr;
    if (!parent) return;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* other = dynamic_cast<RoundBtnWindow*>(CustomWindow::FromHandle(child));
        if (other && other != this && other->logic().IsButtonSelected()) other->logic().SelectButton(false);
    }
}

void RoundBtnWindow::Paint(HDC dc, const RECT& client) {
    PaintParentBackground(dc, client);
    RECT face = client;
    ::InflateRect(&face, -Scale(1), -Scale(1));
    const int corner = face.bottom - face.top;  // fully rounded ends
    Color fill = kWhite;
    Color frame = Blend(ThemeColor, kWhite, 120);
    if (!logic_.Enabled()) {
        frame = Rgb(200, 200, 200);
    } else if (logic_.Pressed()) {
        fill = Blend(ThemeColor, kWhite, 70);
        frame = ThemeColor;
    } else if (logic_.IsButtonSelected()) {
        fill = Blend(ThemeColor, kWhite, 40);
        frame = ThemeColor;
    } else if (logic_.Hovered()) {
        fill = Blend(ThemeColor, kWhite, 25);
    }
    platform::RoundRectangle(dc, face, corner, ResolveColor(fill), ResolveColor(frame));
    RECT text = face;
    ::InflateRect(&text, -Scale(4), 0);
    DrawCaptionAndFocus(dc, text, face, logic_.IsButtonSelected(), DT_CENTER, 3);
}

}  // namespace controls
