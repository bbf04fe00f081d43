#include "support/folder_link.h"

#include <windows.h>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"
#include "support/test_drive.h"

namespace testing_support {
namespace {

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
    for (int i = 0; i < 250 && !IsLink(link); ++i) ::Sleep(20);
    return IsLink(link);
}

}  // namespace

bool MakeFolderLink(const std::string& link, const std::string& target) {
    const std::wstring wideLink = platform::ToSystemPath(link), wideTarget = platform::ToSystemPath(target);
    constexpr DWORD kAllowUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    // Windows before 10 1703 refuses the unprivileged flag.
    for (DWORD flags : {SYMBOLIC_LINK_FLAG_DIRECTORY | kAllowUnprivileged, DWORD{SYMBOLIC_LINK_FLAG_DIRECTORY}})
        if (::CreateSymbolicLinkW(wideLink.c_str(), wideTarget.c_str(), flags) && IsLink(wideLink)) return true;
    return LinkFromLinux(wideLink, wideTarget);
}

}  // namespace testing_support
