// A URL cache that holds only what the test put into it, emptied again when
// the test ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace privacy_testing {

// Every URL in the cache, whatever its type.
std::vector<std::string> AllCacheUrls();
void EmptyUrlCache();
bool InCache(const std::string& url);

class UrlCacheTest : public testing::Test {
protected:
    void SetUp() override { EmptyUrlCache(); }
    void TearDown() override { EmptyUrlCache(); }
    // Adds an entry and checks that the cache took it.
    static void Add(const std::string& url, uint32_t type);
};

}  // namespace privacy_testing
