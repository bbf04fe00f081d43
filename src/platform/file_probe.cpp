#include "platform/file_probe.h"

#include <windows.h>

#include "platform/file_copy.h"
#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform {

bool DriveReady(const std::string& root) {
    // No "insert a disk" box for an empty drive.
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ULARGE_INTEGER freeToUser, total, freeTotal;
    const bool ready = ::GetDiskFreeSpaceExW(ToWide(root).c_str(), &freeToUser, &total, &freeTotal) != FALSE;
    ::SetErrorMode(previous);
    return ready;
}

std::vector<std::string> LogicalDriveRoots() {
    wchar_t buffer[512];
    const DWORD n = ::GetLogicalDriveStringsW(512, buffer);
    std::vector<std::string> roots;
    if (n == 0 || n > 512) return roots;
    for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1) roots.push_back(ToUtf8(p));
    return roots;
}

std::string VolumeLabel(const std::string& root) {
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    wchar_t label[MAX_PATH + 1] = {};
    const BOOL ok =
        ::GetVolumeInformationW(ToWide(root).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0);
    ::SetErrorMode(previous);
    return ok ? ToUtf8(label) : std::string();
}

PathState ProbePath(const std::string& path) {
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const DWORD attributes = ::GetFileAttributesW(ToSystemPath(path).c_str());
    const DWORD error = ::GetLastError();
    ::SetErrorMode(previous);
    if (attributes != INVALID_FILE_ATTRIBUTES) return PathState::Exists;
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathState::Absent : PathState::Unknown;
}

std::string DeletionRefusal(const std::string& path) {
    const UniqueHandle file(::CreateFileW(ToSystemPath(path).c_str(), DELETE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return file ? std::string() : SystemErrorText(::GetLastError());
}

}  // namespace platform
