#include "support/test_drive.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"
#include "support/test_window.h"

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
    request->mountPointOffset = unixPath.empty() ? 0 : sizeof(UnixDriveRequest);
    std::memcpy(buffer.data() + sizeof(UnixDriveRequest), unixPath.c_str(), unixPath.size() + 1);
    DWORD returned = 0;
    return ::DeviceIoControl(manager.get(), kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                             0, &returned, nullptr) != FALSE;
}

bool IsLink(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool LinkFromLinux(const std::wstring& link, const std::wstring& target) {
    const std::string unixLink = UnixPathOf(platform::ToUtf8(link)), unixTarget = UnixPathOf(platform::ToUtf8(target));
    if (unixLink.empty() || unixTarget.empty()) return false;
    std::wstring command = L"ln -s \"" + platform::ToWide(unixTarget) + L"\" \"" + platform::ToWide(unixLink) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(L"\\\\?\\unix\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return false;
    const platform::UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
    // Wine does not track a Linux process: wait for its result instead.
    return PumpUntil([&] { return IsLink(link); }, 5000);
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
    char free = 'M';
    while (free < 'Z' && (::GetLogicalDrives() & (1u << (free - 'A')))) ++free;
    if (free < 'Z' && !unixFolder.path.empty() && DefineDrive(free, unixFolder.path)) letter_ = free;
}

TestDrive::~TestDrive() {
    if (letter_) DefineDrive(letter_, {});
}

bool MakeFolderLink(const std::string& link, const std::string& target) {
    const std::wstring wideLink = platform::ToSystemPath(link), wideTarget = platform::ToSystemPath(target);
    constexpr DWORD kAllowUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    // Windows before 10 1703 refuses the unprivileged flag.
    for (DWORD flags : {SYMBOLIC_LINK_FLAG_DIRECTORY | kAllowUnprivileged, DWORD{SYMBOLIC_LINK_FLAG_DIRECTORY}})
        if (::CreateSymbolicLinkW(wideLink.c_str(), wideTarget.c_str(), flags) && IsLink(wideLink)) return true;
    return LinkFromLinux(wideLink, wideTarget);
}

}  // namespace testing_support
