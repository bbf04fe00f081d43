// Named mutexes: the single-instance lock between copies of the program.
#pragma once

#include <string>

#include "platform/handles.h"

namespace platform {

// One handle to a named mutex, closed when the object goes.
class NamedMutex {
public:
    NamedMutex() noexcept = default;

    // CreateMutexW(no security attributes, initialOwner, name). When the name
    // already existed, the handle refers to that mutex, initialOwner has no
    // effect and AlreadyExisted() is true. AlreadyExisted() is also true when
    // the mutex exists but may not be opened (a copy running elevated made
    // it); the object is then empty, as after any other failure.
    static NamedMutex Create(const std::string& name, bool initialOwner);

    bool Valid() const noexcept { return handle_.valid(); }
    bool AlreadyExisted() const noexcept { return alreadyExisted_; }
    // ReleaseMutex: gives up one level of the calling thread's ownership;
    // false when the thread does not own it.
    bool Release() const noexcept;
    void Close() noexcept;

private:
    UniqueHandle handle_;
    bool alreadyExisted_ = false;
};

}  // namespace platform
