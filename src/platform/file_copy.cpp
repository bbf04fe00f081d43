#include "platform/file_copy.h"

#include <windows.h>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace platform {
namespace {

// A name beside destination that is this process's own.
std::wstring Beside(const std::string& destination, const char* role) {
    return ToSystemPath(destination + ".clarimo-" + role + "-" + std::to_string(::GetCurrentProcessId()));
}

// Copies from to the new file to, on disk before it is used: never
// read-only, so that it can be written later. The system error, or 0.
DWORD CopyFlushed(const std::wstring& from, const std::wstring& to) {
    if (!::CopyFileW(from.c_str(), to.c_str(), FALSE)) return ::GetLastError();
    ::SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    UniqueHandle file(
        ::CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD error = file && ::FlushFileBuffers(file.get()) ? 0 : ::GetLastError();
    file.reset();
    if (error != 0) ::DeleteFileW(to.c_str());
    return error;
}

}  // namespace

CopyOutcome CopyFilesReplacing(const std::vector<FileCopy>& copies) {
    CopyOutcome outcome;
    const size_t n = copies.size();
    std::vector<std::wstring> fresh(n), old(n), target(n);
    std::vector<bool> kept(n, false), placed(n, false);
    const auto fail = [&](size_t index, DWORD error) {
        // Put every file back as it was, newest first.
        for (size_t i = n; i-- > 0;) {
            if (placed[i]) ::DeleteFileW(target[i].c_str());
            if (kept[i]) ::MoveFileExW(old[i].c_str(), target[i].c_str(), MOVEFILE_WRITE_THROUGH);
            ::DeleteFileW(fresh[i].c_str());
        }
        outcome.failed = index;
        outcome.error = error;
        return outcome;
    };
    for (size_t i = 0; i < n; ++i) {
        target[i] = ToSystemPath(copies[i].destination);
        fresh[i] = Beside(copies[i].destination, "new");
        old[i] = Beside(copies[i].destination, "old");
        if (const DWORD error = CopyFlushed(ToSystemPath(copies[i].source), fresh[i])) return fail(i, error);
    }
    // Only now that every copy is on disk is any file replaced; each old
    // file is kept aside until all new ones are in place.
    for (size_t i = 0; i < n; ++i) {
        const DWORD attributes = ::GetFileAttributesW(target[i].c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return fail(i, ERROR_DIRECTORY);  // a folder is never moved aside for a file
        if (::MoveFileExW(target[i].c_str(), old[i].c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            kept[i] = true;
        else if (::GetLastError() != ERROR_FILE_NOT_FOUND)
            return fail(i, ::GetLastError());
        if (!::MoveFileExW(fresh[i].c_str(), target[i].c_str(), MOVEFILE_WRITE_THROUGH))
            return fail(i, ::GetLastError());
        placed[i] = true;
    }
    for (size_t i = 0; i < n; ++i)
        if (kept[i]) ::DeleteFileW(old[i].c_str());
    outcome.copied = true;
    return outcome;
}

CopyOutcome CopyFileReplacing(const std::string& source, const std::string& destination) {
    return CopyFilesReplacing({{source, destination}});
}

std::string SystemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD n =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? std::wstring_view(buffer, n) : std::wstring_view());
    ::LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(error) : ToUtf8(text);
}

}  // namespace platform
