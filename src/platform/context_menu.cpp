#include "platform/context_menu.h"
#include "platform/dpi.h"

#include <commctrl.h>

namespace platform {
namespace {

bool IsMenuKey(UINT message, WPARAM key) {
    if (key == VK_APPS) return message == WM_KEYDOWN || message == WM_KEYUP;
    return key == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000) &&
           (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_KEYDOWN || message == WM_KEYUP);
}

LRESULT CALLBACK MenuKeyProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (!IsMenuKey(message, wParam)) return ::DefSubclassProc(control, message, wParam, lParam);
    // The release is swallowed too, so that the system opens no second menu.
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)
        ::SendMessageW(::GetParent(control), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(-1, -1));
    return 0;
}

}  // namespace

void EnableKeyboardContextMenu(HWND control) { ::SetWindowSubclass(control, MenuKeyProc, 0x4D4B, 0); }

POINT KeyboardMenuPoint(HWND control) {
    const int inset = ScaleForDpi(8, WindowDpi(control));
    POINT at{inset, inset};
    wchar_t className[32] = {};
    ::GetClassNameW(control, className, 32);
    if (::lstrcmpiW(className, WC_LISTVIEWW) == 0) {
        int row = ListView_GetNextItem(control, -1, LVNI_SELECTED);
        if (row < 0) row = ListView_GetNextItem(control, -1, LVNI_FOCUSED);
        RECT item{};
        RECT client{};
        ::GetClientRect(control, &client);
        if (row >= 0 && ListView_GetItemRect(control, row, &item, LVIR_LABEL) && item.bottom > 0 &&
            item.top < client.bottom)
            at = {item.left + inset, item.bottom};
    }
    ::ClientToScreen(control, &at);
    return at;
}

}  // namespace platform
