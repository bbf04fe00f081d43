#include "platform/window_ops.h"

#include <windows.h>

namespace platform {

void SelectWholeText(WindowHandle box) {
    ::SendMessageW(box, EM_SETSEL, 0, -1);
    ::SetFocus(box);
}

void SetParentWindow(WindowHandle child, WindowHandle parent) { ::SetParent(child, parent); }

int TitleBarHeightOf(WindowHandle window) {
    if (!::IsWindow(window)) return 0;  // Wine answers even for no window
    TITLEBARINFO info{};
    info.cbSize = sizeof info;
    if (!::GetTitleBarInfo(window, &info)) return 0;
    return info.rcTitleBar.bottom - info.rcTitleBar.top;
}

}  // namespace platform
