#include "controls/tab_button.h"

namespace controls {

void TabButton::SetBackColor(Color value) {
    backColor_ = value;
    changed();
}

void TabButton::SetThemeColor(Color value) {
    themeColor_ = value;
    changed();
}

void TabButton::SetSelectButton(bool value) {
    selected_ = value;
    changed();
}

}  // namespace controls
