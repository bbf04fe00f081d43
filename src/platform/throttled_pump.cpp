#include "platform/throttled_pump.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/handles.h"
#include "platform/message_pump.h"

namespace platform {

int64_t ClockFrequency() {
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart > 0 ? f.QuadPart : int64_t{1000};
    }();
    return frequency;
}

int64_t ClockTicks() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

ThrottledPump::ThrottledPump(double intervalMs)
    : intervalTicks_(static_cast<int64_t>(intervalMs * static_cast<double>(ClockFrequency()) / 1000.0)) {
    Restart();
}

void ThrottledPump::Restart() {
    lastPumpEnd_ = ClockTicks();
    maxGapTicks_ = 0;
    pumps_ = 0;
}

bool ThrottledPump::TickNow() {
    if (ClockTicks() - lastPumpEnd_ < intervalTicks_) return !quitSeen_;
    return Pump();
}

bool ThrottledPump::Pump() {
    const int64_t start = ClockTicks();
    if (start - lastPumpEnd_ > maxGapTicks_) maxGapTicks_ = start - lastPumpEnd_;
    ++pumps_;
    if (BeforePump) BeforePump();
    if (!PumpPendingMessages()) quitSeen_ = true;
    lastPumpEnd_ = ClockTicks();
    return !quitSeen_;
}

double ThrottledPump::MaxGapMs() const {
    return static_cast<double>(maxGapTicks_) * 1000.0 / static_cast<double>(ClockFrequency());
}

void RunWhilePumping(const std::function<void()>& work) {
    const UniqueHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::exception_ptr failure;
    std::thread worker;
    try {
        if (done)
            worker = std::thread([&] {
                try {
                    work();
                } catch (...) {
                    failure = std::current_exception();
                }
                ::SetEvent(done.get());
            });
    } catch (const std::system_error&) {
    }
    if (!worker.joinable()) {
        work();  // no thread to be had: the work runs here, as it always did
        return;
    }
    const HANDLE waitFor = done.get();
    for (bool pumping = true; pumping;) {
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, &waitFor, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken != WAIT_OBJECT_0 + 1) break;  // the work ended (or the wait failed)
        pumping = PumpPendingMessages();
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

size_t RunStepsWhilePumping(size_t count, const std::function<void(size_t)>& step,
                            const std::function<void(size_t)>& done, ThrottledPump& pump) {
    const UniqueHandle ready(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    std::mutex mutex;
    size_t ended = 0;  // steps that have ended, under mutex
    bool finished = false;
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::thread worker;
    try {
        if (ready)
            worker = std::thread([&] {
                {
                    // The shell's services (the recycle bin) want an
                    // apartment. It closes before the end is told, so that
                    // its teardown, like the steps, runs while the interface
                    // thread pumps.
                    const ComApartment apartment;
                    try {
                        // The event is set outside the lock: setting it is a
                        // call to the Wine server, which the interface thread
                        // must never wait behind.
                        for (size_t i = 0; i < count && !stop; ++i) {
                            step(i);
                            {
                                const std::lock_guard lock(mutex);
                                ended = i + 1;
                            }
                            ::SetEvent(ready.get());
                        }
                    } catch (...) {
                        failure = std::current_exception();
                    }
                }
                {
                    const std::lock_guard lock(mutex);
                    finished = true;
                }
                ::SetEvent(ready.get());
            });
    } catch (const std::system_error&) {
    }
    if (!worker.joinable()) {  // no thread to be had: the steps run here
        for (size_t i = 0; i < count; ++i) {
            step(i);
            done(i);
            pump.Tick();
        }
        return count;
    }
    size_t handed = 0;
    for (;;) {
        size_t available = 0;
        bool last = false;
        {
            const std::lock_guard lock(mutex);
            available = ended;
            last = finished;
        }
        for (; handed < available; ++handed) done(handed);
        if (last) break;
        const HANDLE waitFor = ready.get();
        if (pump.QuitSeen()) {
            stop = true;
            ::WaitForSingleObject(waitFor, INFINITE);
            continue;
        }
        // Wakes for a message, a step's end, or the pump's interval (to draw).
        const DWORD woken = ::MsgWaitForMultipleObjectsEx(1, &waitFor, 15, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0 + 1)
            pump.Pump();
        else
            pump.TickNow();
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
    return handed;
}

void RunWaiting(const WaitingRunner& runner, const std::function<void()>& step) {
    if (runner)
        runner(step);
    else
        step();
}

}  // namespace platform
