#include "platform/atomic_file.h"

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "platform/handles.h"
#include "platform/long_path.h"

namespace platform {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    UniqueHandle file(::CreateFileW(ToSystemPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    char buffer[65536];
    DWORD read = 0;
    for (;;) {
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return false;
        if (read == 0) return true;
        bytes.append(buffer, read);
    }
}

bool ReplaceFileContent(const std::string& path, std::string_view bytes) {
    static std::atomic<unsigned> counter{0};
    // Beside the target, so the rename stays on one volume and is atomic. The
    // name is this process's own: a file left by a killed run whose process id
    // came back (Wine reuses them) is overwritten, never a reason to fail.
    const std::wstring target = ToSystemPath(path);
    const std::wstring temporary =
        ToSystemPath(path + "." + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++) + ".new");
    {
        UniqueHandle file(
            ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        bool written = true;
        size_t offset = 0;
        while (written && offset < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - offset, 1u << 20));
            DWORD done = 0;
            written = ::WriteFile(file.get(), bytes.data() + offset, chunk, &done, nullptr) && done == chunk;
            offset += done;
        }
        if (!written || !::FlushFileBuffers(file.get())) {
            file.reset();
            ::DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (!::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

bool AppendFileContent(const std::string& path, std::string_view bytes) {
    UniqueHandle file(::CreateFileW(ToSystemPath(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD done = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
           done == bytes.size() && ::FlushFileBuffers(file.get());
}

}  // namespace platform
