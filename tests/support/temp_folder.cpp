#include "support/temp_folder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "platform/handles.h"
#include "platform/long_path.h"
#include "platform/utf.h"

namespace testing_support {
namespace {

// Removes a tree without following links: a link is removed, never entered.
void RemoveTree(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW data;
        platform::UniqueFindHandle find(::FindFirstFileW((path + L"\\*").c_str(), &data));
        if (find) {
            do {
                const std::wstring name = data.cFileName;
                if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
            } while (::FindNextFileW(find.get(), &data));
        }
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
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0) throw std::runtime_error("no temporary folder");
    path_ = platform::ToUtf8(std::wstring_view(temp, n)) + "clarimo-test-" + std::to_string(::GetCurrentProcessId()) +
            "-" + std::to_string(counter++);
    MakeFolder(path_);
}

TempFolder::~TempFolder() { RemoveTree(platform::ToSystemPath(path_)); }

void WriteFile(const std::string& path, const std::string& bytes) {
    platform::UniqueHandle file(::CreateFileW(platform::ToSystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadFileBytes(const std::string& path) {
    platform::UniqueHandle file(::CreateFileW(platform::ToSystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesW(platform::ToSystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolder(const std::string& path) {
    for (size_t pos = path.find('\\', 3); pos != std::string::npos; pos = path.find('\\', pos + 1))
        ::CreateDirectoryW(platform::ToSystemPath(path.substr(0, pos)).c_str(), nullptr);
    ::CreateDirectoryW(platform::ToSystemPath(path).c_str(), nullptr);
}

uint32_t Attributes(const std::string& path) { return ::GetFileAttributesW(platform::ToSystemPath(path).c_str()); }

bool SetAttributes(const std::string& path, uint32_t attributes) {
    return ::SetFileAttributesW(platform::ToSystemPath(path).c_str(), attributes);
}

}  // namespace testing_support
