#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <optional>
#include <stdexcept>

#include "platform/modal_runner.h"
#include "platform/throttled_pump.h"
#include "support/test_window.h"

namespace {

// A popup that ends its run on WM_APP, noting whether its owner was enabled
// during the run and when it was destroyed.
HWND probeOwner = nullptr;
bool ownerEnabledDuringRun = true;
std::optional<bool> ownerEnabledAtDestroy;

WNDPROC staticProc = nullptr;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ownerEnabledDuringRun = ::IsWindowEnabled(probeOwner) != FALSE;
        platform::EndModal(window, static_cast<int>(wParam));
        return 0;
    }
    if (message == WM_DESTROY) ownerEnabledAtDestroy = ::IsWindowEnabled(probeOwner) != FALSE;
    return ::CallWindowProcW(staticProc, window, message, wParam, lParam);
}

HWND CreateProbe(HWND owner) {
    probeOwner = owner;
    ownerEnabledAtDestroy.reset();
    HWND probe = ::CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP | WS_CAPTION, 10, 10, 200, 100, owner, nullptr,
                                   nullptr, nullptr);
    staticProc =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(probe, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ProbeProc)));
    return probe;
}

std::atomic<bool> timerDispatched = false;
void CALLBACK NoteDispatch(HWND, UINT, UINT_PTR, DWORD) { timerDispatched = true; }
void WaitForTheTimersDispatch() {
    for (int i = 0; i < 3000 && !timerDispatched; ++i) ::Sleep(10);
}

}  // namespace

TEST(ModalRunner, DisablesTheTopLevelOwnerAndEnablesItBeforeTheWindowGoes) {
    testing_support::TestWindow top(300, 200);
    // A page inside the window asks: the whole top-level window is blocked.
    HWND page = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top.hwnd(), nullptr,
                                  nullptr, nullptr);
    HWND window = CreateProbe(top.hwnd());
    ::PostMessageW(window, WM_APP, 42, 0);
    EXPECT_EQ(platform::RunModal(window, page), 42);
    EXPECT_FALSE(ownerEnabledDuringRun);
    EXPECT_EQ(ownerEnabledAtDestroy, true);
    EXPECT_FALSE(platform::EndModal(window, 1)) << "no loop runs it any more";

    // done() ends a run too; an owner that a run further out disabled stays so.
    ::EnableWindow(top.hwnd(), FALSE);
    window = CreateProbe(top.hwnd());
    ::SetTimer(window, 1, 10, nullptr);
    int ticks = 0;
    EXPECT_EQ(platform::RunModal(window, top.hwnd(), [&] { return ++ticks > 3; }), platform::kModalNoResult);
    EXPECT_TRUE(ownerEnabledAtDestroy.has_value());
    EXPECT_FALSE(::IsWindowEnabled(top.hwnd()));
}

TEST(RunWhilePumping, DispatchesMessagesUntilTheWorkEndsAndHandsBackItsException) {
    // The work can end only after the calling thread has dispatched the timer.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 1, NoteDispatch);
    platform::RunWhilePumping(WaitForTheTimersDispatch);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(timerDispatched);
    EXPECT_THROW(platform::RunWhilePumping([] { throw std::runtime_error("failed"); }), std::runtime_error);
}
