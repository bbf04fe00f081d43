#include "support/modal_steps.h"

#include <map>

#include "platform/utf.h"
#include "platform/window_text.h"
#include "support/test_window.h"

namespace testing_support {
namespace {

std::map<UINT_PTR, class ModalSteps*>& Active() {
    static std::map<UINT_PTR, ModalSteps*> active;
    return active;
}

}  // namespace

ModalSteps::ModalSteps(std::vector<Step> steps, std::function<HWND()> closeOnTimeout, DWORD timeoutMs)
    : steps_(std::move(steps)),
      closeOnTimeout_(std::move(closeOnTimeout)),
      deadline_(::GetTickCount() + timeoutMs),
      timer_(::SetTimer(nullptr, 0, 30, &ModalSteps::Tick)) {
    Active()[timer_] = this;
}

ModalSteps::~ModalSteps() {
    ::KillTimer(nullptr, timer_);
    Active().erase(timer_);
}

void CALLBACK ModalSteps::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = Active().find(id);
    if (found != Active().end()) found->second->Run();
}

void ModalSteps::Run() {
    // A step may open a nested modal loop that ticks again meanwhile.
    if (Finished() || stalled_ || running_) return;
    if (static_cast<LONG>(::GetTickCount() - deadline_) > 0) {
        stalled_ = true;
        if (const HWND window = closeOnTimeout_ ? closeOnTimeout_() : nullptr) ::PostMessageW(window, WM_CLOSE, 0, 0);
        return;
    }
    running_ = true;
    if (steps_[next_]()) ++next_;
    running_ = false;
}

namespace {

struct CaptionSearch {
    std::string caption;
    HWND found;
};

// Enumeration callbacks are CALLBACK (stdcall in the 32-bit build), which a
// lambda cannot be.
BOOL CALLBACK MatchCaption(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<CaptionSearch*>(parameter);
    if (!::IsWindowVisible(window) || platform::WindowText(window) != search->caption) return TRUE;
    search->found = window;
    return FALSE;
}

// The shown popup menu is a window of the class "#32768".
BOOL CALLBACK MatchShownMenu(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (!::IsWindowVisible(window) || ::lstrcmpW(name, L"#32768") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

HWND FindThreadWindow(const std::string& caption) {
    CaptionSearch search{caption, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> PopupMenuTexts(const std::function<void()>& open) {
    std::vector<std::string> texts;
    const auto readAndClose = [&] {
        HWND shown = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), MatchShownMenu, reinterpret_cast<LPARAM>(&shown));
        const auto menu = shown ? reinterpret_cast<HMENU>(::SendMessageW(shown, MN_GETHMENU, 0, 0)) : nullptr;
        if (!menu) return false;
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[128] = {};
            const int length = ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            texts.push_back(length > 0 ? platform::ToUtf8(text) : "-");
        }
        ::EndMenu();
        return true;
    };
    const ModalSteps steps(
        {readAndClose},
        [] {
            ::EndMenu();
            return HWND{};
        },
        5000);
    open();
    PumpUntil([&] { return steps.Finished(); }, 5000);
    return texts;
}

std::vector<std::string> KeyboardMenuTexts(HWND control, bool shiftF10) {
    return PopupMenuTexts([&] {
        ::SetFocus(control);
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shiftF10 ? 0x80 : 0;
        ::SetKeyboardState(keys);
        const WORD key = shiftF10 ? VK_F10 : VK_APPS;
        ::SendMessageW(control, shiftF10 ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 0);
        ::SendMessageW(control, shiftF10 ? WM_SYSKEYUP : WM_KEYUP, key, 0);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
    });
}

}  // namespace testing_support
