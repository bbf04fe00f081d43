// A drive letter for a folder via Wine's mount manager (DefineDosDeviceW falls short).
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

// True when the link shows up (by /bin/ln where Wine's CreateSymbolicLinkW fakes it).
bool MakeFolderLink(const std::string& link, const std::string& target);

}  // namespace testing_support
