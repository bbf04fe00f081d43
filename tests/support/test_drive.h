// A drive letter of the test's own, mapped to a folder through Wine's mount
// manager (the way winecfg defines drives), removed when the test ends.
// DefineDosDeviceW does not reach file access under Wine; this does.
#pragma once

#include <string>

namespace testing_support {

class TestDrive {
public:
    // Maps the first free letter from 'M' on; letter() is 0 when Wine refused.
    explicit TestDrive(const std::string& folder);
    struct UnixPath {
        std::string path;
    };
    explicit TestDrive(const UnixPath& unixFolder);
    TestDrive(const TestDrive&) = delete;
    TestDrive& operator=(const TestDrive&) = delete;
    ~TestDrive();

    char letter() const { return letter_; }
    std::string root() const { return letter_ ? std::string(1, letter_) + ":\\" : ""; }  // "M:\"

private:
    char letter_ = 0;
};

// The Linux path of a folder of the prefix ("" when Wine cannot say).
std::string UnixPathOf(const std::string& windowsPath);

}  // namespace testing_support
