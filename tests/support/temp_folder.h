// A folder of the test's own under the prefix's temporary folder, removed
// with everything in it when the test ends, even after a failed assertion.
#pragma once

#include <cstdint>
#include <string>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // Full path without a trailing backslash.
    const std::string& path() const { return path_; }
    // path() + "\" + relative
    std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    std::string path_;
};

// Small file helpers for arranging test data (UTF-8 paths, long paths allowed).
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool Exists(const std::string& path);
void MakeFolder(const std::string& path);  // with every missing parent
uint32_t Attributes(const std::string& path);
bool SetAttributes(const std::string& path, uint32_t attributes);

}  // namespace testing_support
