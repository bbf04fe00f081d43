#include "support/modal_steps.h"

#include "platform/utf.h"
#include "support/test_window.h"
#include "support/window_probes.h"

namespace testing_support {

ModalSteps::ModalSteps(std::vector<Step> steps, std::function<HWND()> closeOnTimeout, DWORD timeoutMs)
    : steps_(std::move(steps)),
      closeOnTimeout_(std::move(closeOnTimeout)),
      deadline_(::GetTickCount() + timeoutMs),
      timer_(::SetTimer(nullptr, 0, 30, &ModalSteps::Tick)) {
    active_[timer_] = this;
}

ModalSteps::~ModalSteps() {
    ::KillTimer(nullptr, timer_);
    active_.erase(timer_);
}

void CALLBACK ModalSteps::Tick(HWND, UINT, UINT_PTR id, DWORD) {
    if (const auto found = active_.find(id); found != active_.end()) found->second->Run();
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

static HWND FindThreadWindowWhere(const std::function<bool(HWND)>& match) {
    return FirstWindow(TopLevelWindows(::GetCurrentThreadId()),
                       [&](HWND window) { return ::IsWindowVisible(window) && match(window); });
}

HWND FindThreadWindow(const std::string& caption) {
    return FindThreadWindowWhere([&](HWND window) { return WindowText(window) == caption; });
}

std::vector<std::string> PopupMenuTexts(const std::function<void()>& open) {
    std::vector<std::string> texts;
    const auto readAndClose = [&] {
        // The shown popup menu is a window of the class "#32768".
        const HWND shown = FindThreadWindowWhere([](HWND window) { return ClassName(window) == L"#32768"; });
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

DialogPresser::DialogPresser(int buttonId, std::function<void(HWND)> inspect, DWORD timeoutMs) {
    const auto found = [this] {
        dialog_ = FindThreadWindowWhere([](HWND window) { return ClassName(window) == L"#32770"; });
        return dialog_ != nullptr;
    };
    const auto press = [this, buttonId, inspect] {
        title_ = WindowText(dialog_);
        if (inspect) inspect(dialog_);
        ::PostMessageW(dialog_, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, buttonId)));
        return true;
    };
    // Some ticks between finding and pressing let the dialog finish initialising.
    steps_.emplace(
        std::vector<ModalSteps::Step>{found, [n = 0]() mutable { return ++n > 6; }, press}, [] { return HWND{}; },
        timeoutMs);
}

bool DialogPresser::Finish() {
    const bool pressed = steps_ && steps_->Finished();
    steps_.reset();
    return pressed;
}

}  // namespace testing_support
