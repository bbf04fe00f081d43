// Reading one folder's entries, fast: FindFirstFileExW with the basic
// information level and large fetches where Windows has them (7 and later),
// the classic call elsewhere. UTF-8 folder paths in, wide names out.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

constexpr uint32_t kAttributeReadOnly = 0x1;
constexpr uint32_t kAttributeHidden = 0x2;
constexpr uint32_t kAttributeSystem = 0x4;
constexpr uint32_t kAttributeDirectory = 0x10;
constexpr uint32_t kAttributeArchive = 0x20;
constexpr uint32_t kAttributeReparsePoint = 0x400;

struct DirectoryEntry {
    std::wstring_view name;  // valid until the next Next() or Close()
    uint32_t attributes = 0;
    uint64_t size = 0;
    uint64_t lastWriteTime = 0;  // FILETIME, 100 ns units since 1601 (UTC)
};

// The enumeration of one folder. At most one search handle is open, and it
// is closed exactly once: by Close(), by the end of the folder, or by the
// destructor, whichever comes first.
class DirectoryReader {
public:
    DirectoryReader();
    ~DirectoryReader();
    DirectoryReader(const DirectoryReader&) = delete;
    DirectoryReader& operator=(const DirectoryReader&) = delete;

    // Starts reading folder (with or without its trailing "\"); false when
    // the folder cannot be listed. Closes any enumeration still open.
    bool Open(const std::string& folder);
    // The next entry ("." and ".." included, as Windows gives them); false
    // at the end or once closed.
    bool Next(DirectoryEntry& entry);
    void Close();
    bool IsOpen() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
