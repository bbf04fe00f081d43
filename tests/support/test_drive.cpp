#include "support/test_drive.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

#include "platform/handles.h"
#include "platform/utf.h"

namespace testing_support {
namespace {

// Wine's mount manager request (include/ddk/mountmgr.h of Wine).
struct UnixDriveRequest {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6d, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool DefineDrive(char letter, const std::string& unixPath) {
    platform::UniqueHandle manager(::CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                 nullptr));
    if (!manager) return false;
    std::vector<char> buffer(sizeof(UnixDriveRequest) + unixPath.size() + 1, 0);
    auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
    request->size = static_cast<ULONG>(buffer.size());
    request->type = unixPath.empty() ? DRIVE_NO_ROOT_DIR : DRIVE_FIXED;
    request->letter = static_cast<WCHAR>(letter - 'A' + 'a');
    if (!unixPath.empty()) {
        request->mountPointOffset = sizeof(UnixDriveRequest);
        std::memcpy(buffer.data() + sizeof(UnixDriveRequest), unixPath.c_str(), unixPath.size() + 1);
    }
    DWORD returned = 0;
    return ::DeviceIoControl(manager.get(), kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                             0, &returned, nullptr) != FALSE;
}

}  // namespace

std::string UnixPathOf(const std::string& windowsPath) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!unixName) return {};
    char* name = unixName(platform::ToWide(windowsPath).c_str());
    if (!name) return {};
    std::string path = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    return path;
}

TestDrive::TestDrive(const std::string& folder) : TestDrive(UnixPath{UnixPathOf(folder)}) {}

TestDrive::TestDrive(const UnixPath& unixFolder) {
    const std::string& unixPath = unixFolder.path;
    if (unixPath.empty()) return;
    const DWORD used = ::GetLogicalDrives();
    for (char c = 'M'; c <= 'Y'; ++c) {
        if (used & (1u << (c - 'A'))) continue;
        if (DefineDrive(c, unixPath)) letter_ = c;
        return;
    }
}

TestDrive::~TestDrive() {
    if (letter_) DefineDrive(letter_, {});
}

}  // namespace testing_support
