// A folder of the test's own, removed with everything in it when the test ends.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/long_path.h"
#include "platform/startup_sources.h"

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::string& path() const { return path_; }  // no trailing backslash
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
inline void MakeFolder(const std::string& path) { platform::startup_sources::CreateFolderTree(path); }
inline uint32_t Attributes(const std::string& path) {
    return ::GetFileAttributesW(platform::ToSystemPath(path).c_str());
}
inline bool Exists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }
inline bool SetAttributes(const std::string& path, uint32_t attributes) {
    return ::SetFileAttributesW(platform::ToSystemPath(path).c_str(), attributes);
}

}  // namespace testing_support
