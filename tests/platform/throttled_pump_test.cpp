// Work on a worker while the interface thread keeps dispatching its messages.
#include "platform/throttled_pump.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "platform/handles.h"

namespace {

HANDLE dispatchedEvent = nullptr;
void CALLBACK SignalDispatched(HWND, UINT, UINT_PTR, DWORD) { ::SetEvent(dispatchedEvent); }

TEST(RunWhilePumping, DispatchesMessagesUntilTheWorkEndsAndHandsBackItsException) {
    const platform::UniqueHandle dispatched(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    dispatchedEvent = dispatched.get();
    // The work can end only after the calling thread has dispatched the timer.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 1, SignalDispatched);
    DWORD waited = WAIT_FAILED;
    platform::RunWhilePumping([&] { waited = ::WaitForSingleObject(dispatched.get(), 30000); });
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_THROW(platform::RunWhilePumping([] { throw std::runtime_error("failed"); }), std::runtime_error);
}

}  // namespace
