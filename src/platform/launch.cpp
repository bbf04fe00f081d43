#include "platform/launch.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/utf.h"

namespace platform {

bool OpenWithShell(const std::string& target, const std::string& workingFolder) {
    if (target.empty()) return false;
    const std::wstring file = ToWide(target);
    const std::wstring folder = ToWide(workingFolder);
    const auto result = reinterpret_cast<INT_PTR>(::ShellExecuteW(
        nullptr, L"open", file.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace platform
