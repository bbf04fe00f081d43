// Yielding to the message loop from long work on the user-interface thread,
// throttled: the clock is checked at every call, and waiting messages are
// dispatched only when the interval has passed, so the work runs close to
// full speed and the windows stay responsive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace platform {

class ThrottledPump {
public:
    explicit ThrottledPump(double intervalMs = 15.0);

    // Pumps when the interval has passed since the last pump; false once a
    // WM_QUIT has been seen. The clock is read at every fourth call: reading
    // it costs more than a cached directory entry, and four entries take far
    // less than a millisecond.
    bool Tick() {
        if ((++calls_ & 3) != 0) return !quitSeen_;
        return TickNow();
    }
    bool TickNow();
    // Pumps now.
    bool Pump();
    // Restarts the clock and the statistics (start of a piece of work).
    void Restart();

    // Runs right before each pump: the place to draw what changed meanwhile.
    std::function<void()> BeforePump;

    bool QuitSeen() const { return quitSeen_; }
    // Longest time without a pump since Restart, in milliseconds.
    double MaxGapMs() const;
    uint64_t PumpCount() const { return pumps_; }

private:
    int64_t intervalTicks_;
    int64_t lastPumpEnd_ = 0;
    int64_t maxGapTicks_ = 0;
    uint64_t pumps_ = 0;
    uint32_t calls_ = 0;
    bool quitSeen_ = false;
};

// Runs work on a worker thread while this (the interface) thread keeps
// dispatching its messages, and returns when the work has ended; an exception
// of the work is thrown here. The work must not touch a window or a settings
// file. After a WM_QUIT (kept for the main loop) it only waits.
void RunWhilePumping(const std::function<void()>& work);

// Runs step(0) .. step(count - 1) in order on a worker while this thread
// keeps pumping through pump, and runs done(i) here for each step that has
// ended, in order, as soon as it has. After a WM_QUIT the worker stops before
// its next step, the steps that ended are still handed over, and this thread
// only waits. Returns how many steps ran; an exception of a step is thrown
// here. A step must not touch a window or a settings file.
size_t RunStepsWhilePumping(size_t count, const std::function<void(size_t)>& step,
                            const std::function<void(size_t)>& done, ThrottledPump& pump);

// Runs a step that waits on the system and returns when it has ended:
// RunWhilePumping in the program, something else in a test; empty: the step
// runs at once.
using WaitingRunner = std::function<void(const std::function<void()>& step)>;
void RunWaiting(const WaitingRunner& runner, const std::function<void()>& step);

// Monotonic clock in ticks, and its frequency per second.
int64_t ClockTicks();
int64_t ClockFrequency();

}  // namespace platform
