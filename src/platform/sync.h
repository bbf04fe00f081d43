// A lock and a condition for worker threads, on the system's slim
// reader/writer lock and condition variable: under Wine these wait on a
// futex, while the threads library's mutex and condition wait through the
// Wine server, which every file call of the workers needs as well. Neither
// owns a system resource, so there is nothing to close.
#pragma once

#include <windows.h>

namespace platform {

class Lock {
public:
    Lock() = default;
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    // For std::unique_lock and std::lock_guard.
    void lock() { ::AcquireSRWLockExclusive(&lock_); }
    void unlock() { ::ReleaseSRWLockExclusive(&lock_); }

private:
    friend class Condition;
    SRWLOCK lock_ = SRWLOCK_INIT;
};

class Condition {
public:
    Condition() = default;
    Condition(const Condition&) = delete;
    Condition& operator=(const Condition&) = delete;
    // Waits, with lock held, until woken or timeoutMs has passed.
    void Wait(Lock& lock, DWORD timeoutMs = INFINITE) {
        ::SleepConditionVariableSRW(&condition_, &lock.lock_, timeoutMs, 0);
    }
    void WakeAll() { ::WakeAllConditionVariable(&condition_); }

private:
    CONDITION_VARIABLE condition_ = CONDITION_VARIABLE_INIT;
};

}  // namespace platform
