#include "platform/file_copy.h"

#include <windows.h>

#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform {

CopyOutcome CopyFileReplacing(const std::string& source, const std::string& destination) {
    const std::wstring from = ToSystemPath(source);
    const std::wstring to = ToSystemPath(destination);
    const std::wstring fresh = ToSystemPath(destination + ".clarimo-" + std::to_string(::GetCurrentProcessId()));
    CopyOutcome outcome;
    if (!::CopyFileW(from.c_str(), fresh.c_str(), FALSE)) {
        outcome.error = ::GetLastError();
        ::DeleteFileW(fresh.c_str());
        return outcome;
    }
    const DWORD attributes = ::GetFileAttributesW(fresh.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(fresh.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    if (!::MoveFileExW(fresh.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        outcome.error = ::GetLastError();
        ::DeleteFileW(fresh.c_str());
        return outcome;
    }
    outcome.copied = true;
    return outcome;
}

bool IsExistingFile(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(ToSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(ToSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsCdRomDrive(const std::string& root) { return ::GetDriveTypeW(ToWide(root).c_str()) == DRIVE_CDROM; }

}  // namespace platform
