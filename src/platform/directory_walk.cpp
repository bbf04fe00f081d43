#include "platform/directory_walk.h"

#include <windows.h>

#include <atomic>

#include "platform/handles.h"
#include "platform/long_path.h"

namespace platform {
namespace {

// Windows before 7 refuses the basic level and large fetches with
// ERROR_INVALID_PARAMETER; after the first refusal the classic call is used.
std::atomic<bool> basicLevelRefused{false};

HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data) {
    if (!basicLevelRefused.load(std::memory_order_relaxed)) {
        HANDLE h = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                      FIND_FIRST_EX_LARGE_FETCH);
        if (h != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_INVALID_PARAMETER) return h;
        basicLevelRefused = true;
    }
    return ::FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data, FindExSearchNameMatch, nullptr, 0);
}

}  // namespace

struct DirectoryReader::State {
    UniqueFindHandle handle;
    WIN32_FIND_DATAW data{};
    bool pending = false;  // data holds an entry not yet handed out
};

DirectoryReader::DirectoryReader() : state_(std::make_unique<State>()) {}
DirectoryReader::~DirectoryReader() = default;

bool DirectoryReader::Open(const std::string& folder) {
    Close();
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += '*';
    state_->handle.reset(FindFirst(ToSystemPath(pattern), state_->data));
    state_->pending = state_->handle.valid();
    return state_->pending;
}

bool DirectoryReader::Next(DirectoryEntry& entry) {
    if (!state_->handle) return false;
    if (!state_->pending && !::FindNextFileW(state_->handle.get(), &state_->data)) {
        Close();
        return false;
    }
    state_->pending = false;
    const WIN32_FIND_DATAW& d = state_->data;
    entry.name = std::wstring_view(d.cFileName, ::wcsnlen(d.cFileName, MAX_PATH));
    entry.attributes = d.dwFileAttributes;
    entry.size = (uint64_t{d.nFileSizeHigh} << 32) | d.nFileSizeLow;
    entry.lastWriteTime = (uint64_t{d.ftLastWriteTime.dwHighDateTime} << 32) | d.ftLastWriteTime.dwLowDateTime;
    return true;
}

void DirectoryReader::Close() {
    state_->handle.reset();
    state_->pending = false;
}

bool DirectoryReader::IsOpen() const { return state_->handle.valid(); }

}  // namespace platform
