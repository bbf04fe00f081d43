#include "support/temp_folder.h"

#include <atomic>
#include <stdexcept>

#include "platform/atomic_file.h"
#include "platform/file_system.h"
#include "platform/handles.h"

namespace testing_support {
namespace {

// Removes a tree without following links: a link is removed, never entered.
void RemoveTree(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW data;
        platform::UniqueFindHandle find(::FindFirstFileW((path + L"\\*").c_str(), &data));
        for (bool more = find.valid(); more; more = ::FindNextFileW(find.get(), &data))
            if (const std::wstring name = data.cFileName; name != L"." && name != L"..")
                RemoveTree(path + L"\\" + name);
    }
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        ::RemoveDirectoryW(path.c_str());
    else
        ::DeleteFileW(path.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = platform::TempFolderWithSlash() + "clarimo-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
    MakeFolder(path_);
}

TempFolder::~TempFolder() { RemoveTree(platform::ToSystemPath(path_)); }

void WriteFile(const std::string& path, const std::string& bytes) {
    if (!platform::startup_sources::WriteWholeFile(path, bytes)) throw std::runtime_error("cannot write " + path);
}

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    platform::ReadWholeFile(path, bytes);
    return bytes;
}

}  // namespace testing_support
