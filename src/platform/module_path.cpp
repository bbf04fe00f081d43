#include "platform/module_path.h"

#include <windows.h>

#include <vector>

#include "platform/long_path.h"

namespace platform {

std::string ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return FromSystemPath(std::wstring_view(buffer.data(), n));
        buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
    }
}

std::string ExecutableFolder() {
    const std::string path = ExecutablePath();
    const auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace platform
