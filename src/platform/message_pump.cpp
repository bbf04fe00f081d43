#include "platform/message_pump.h"

#include <utility>
#include <vector>

namespace platform {
namespace {

struct DialogKeys {
    HWND window;
    HACCEL accelerators;
    std::function<void(unsigned)> keyPreview;
    EnterAndEsc enterAndEsc;
};
std::vector<DialogKeys>& DialogKeyWindows() {
    static std::vector<DialogKeys> windows;
    return windows;
}

bool IsEnterOrEsc(const MSG& msg) {
    const bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_CHAR;
    return key && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
}

}  // namespace

void EnableDialogKeys(HWND topLevel, HACCEL accelerators, std::function<void(unsigned keyCode)> keyPreview,
                      EnterAndEsc enterAndEsc) {
    DisableDialogKeys(topLevel);
    DialogKeyWindows().push_back({topLevel, accelerators, std::move(keyPreview), enterAndEsc});
}

void DisableDialogKeys(HWND topLevel) {
    auto& windows = DialogKeyWindows();
    std::erase_if(windows, [topLevel](const DialogKeys& keys) { return keys.window == topLevel; });
}

bool TranslateDialogKeys(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    const HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    for (const DialogKeys& keys : DialogKeyWindows()) {
        if (keys.window != root) continue;
        if (keys.keyPreview && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
            // The callback may end the window (and this list entry).
            const auto preview = keys.keyPreview;
            preview(static_cast<unsigned>(msg.wParam));
            if (!::IsWindow(root)) return true;
        }
        if (keys.accelerators && ::TranslateAcceleratorW(root, keys.accelerators, &msg)) return true;
        // IsDialogMessage would turn Enter and Esc into IDOK and IDCANCEL.
        if (keys.enterAndEsc == EnterAndEsc::FocusedControl && IsEnterOrEsc(msg)) return false;
        return ::IsDialogMessageW(root, &msg) != FALSE;
    }
    return false;
}

int RunMessageLoop() {
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (TranslateDialogKeys(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

uint64_t TickCount() { return ::GetTickCount64(); }

bool PumpPendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

void WaitForMessages(uint32_t milliseconds) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace platform
