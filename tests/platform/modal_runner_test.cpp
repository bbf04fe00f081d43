// The modal runner under Xvfb: what the owner sees before, during and after
// a modal run, and when the window goes.
#include "platform/modal_runner.h"

#include <gtest/gtest.h>

#include "support/test_window.h"

namespace {

constexpr UINT kEndMessage = WM_APP + 1;

// A popup that ends its run on kEndMessage and notes the owner's state when
// it is destroyed.
struct Probe {
    HWND owner = nullptr;
    bool ownerEnabledDuringRun = true;
    bool ownerEnabledAtDestroy = false;
    bool destroyed = false;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            ::SetWindowLongPtrW(window, GWLP_USERDATA,
                                reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<Probe*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self && message == kEndMessage) {
            self->ownerEnabledDuringRun = ::IsWindowEnabled(self->owner) != FALSE;
            platform::EndModal(window, static_cast<int>(wParam));
            return 0;
        }
        if (self && message == WM_DESTROY) {
            self->ownerEnabledAtDestroy = ::IsWindowEnabled(self->owner) != FALSE;
            self->destroyed = true;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }

    HWND Create(HWND ownerWindow) {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.lpszClassName = L"ModalRunnerProbe";
        ::RegisterClassW(&windowClass);  // fails harmlessly the second time
        return ::CreateWindowExW(0, L"ModalRunnerProbe", L"probe", WS_POPUP | WS_CAPTION, 10, 10, 200, 100, ownerWindow,
                                 nullptr, ::GetModuleHandleW(nullptr), this);
    }
};

}  // namespace

TEST(ModalRunner, DisablesTheTopLevelOwnerAndEnablesItBeforeTheWindowGoes) {
    testing_support::TestWindow top(300, 200);
    // A page inside the window asks: the whole top-level window is blocked.
    HWND page = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top.hwnd(), nullptr,
                                  nullptr, nullptr);
    Probe probe{top.hwnd()};
    HWND window = probe.Create(top.hwnd());
    ::PostMessageW(window, kEndMessage, 42, 0);
    EXPECT_EQ(platform::RunModal(window, page), 42);
    EXPECT_FALSE(probe.ownerEnabledDuringRun);
    EXPECT_TRUE(probe.destroyed);
    EXPECT_TRUE(probe.ownerEnabledAtDestroy);
    EXPECT_FALSE(platform::EndModal(window, 1)) << "no loop runs it any more";

    // done() ends a run too; an owner that a run further out disabled stays so.
    ::EnableWindow(top.hwnd(), FALSE);
    probe = Probe{top.hwnd()};
    window = probe.Create(top.hwnd());
    ::SetTimer(window, 1, 10, nullptr);
    int ticks = 0;
    EXPECT_EQ(platform::RunModal(window, top.hwnd(), [&] { return ++ticks > 3; }), platform::kModalNoResult);
    EXPECT_TRUE(probe.destroyed);
    EXPECT_FALSE(::IsWindowEnabled(top.hwnd()));
}
