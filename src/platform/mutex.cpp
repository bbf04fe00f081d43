#include "platform/mutex.h"

#include "platform/utf.h"

namespace platform {

NamedMutex NamedMutex::Create(const std::string& name, bool initialOwner) {
    NamedMutex mutex;
    ::SetLastError(ERROR_SUCCESS);
    mutex.handle_.reset(::CreateMutexW(nullptr, initialOwner ? TRUE : FALSE, ToWide(name).c_str()));
    const DWORD error = ::GetLastError();
    mutex.alreadyExisted_ = mutex.handle_.valid() ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    return mutex;
}

bool NamedMutex::Release() const noexcept { return handle_.valid() && ::ReleaseMutex(handle_.get()) != FALSE; }

void NamedMutex::Close() noexcept {
    handle_.reset();
    alreadyExisted_ = false;
}

}  // namespace platform
