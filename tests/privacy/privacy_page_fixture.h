// Test data for the privacy page: the programs' recent-list keys at their
// real places under HKEY_CURRENT_USER (the throw-away prefix's registry),
// URL cache entries, and environment overrides, each removed again when the
// test ends, even after a failed assertion.
#pragma once

#include <string>
#include <vector>

namespace privacy_testing {

// Removes every program item's key (with its subkeys) when made and when
// gone, so that a test starts and ends with all programs absent.
class ProgramTraces {
public:
    ProgramTraces();
    ProgramTraces(const ProgramTraces&) = delete;
    ProgramTraces& operator=(const ProgramTraces&) = delete;
    ~ProgramTraces();

    // The key below HKEY_CURRENT_USER, with every missing parent.
    void AddKey(const std::string& path);
    // A string value (the key is made when missing); "" writes empty data.
    void SetValue(const std::string& path, const std::string& name, const std::string& data);
    // Each program item's key (the 6.0 one for item 19; for item 18 the key
    // with a "LastFolder" value holding data).
    void AddProgram(int index);

    static bool KeyExists(const std::string& path);
    void RemoveAll();
};

// Sets a process environment variable and puts the old value back.
class EnvironmentOverride {
public:
    EnvironmentOverride(const std::string& name, const std::string& value);
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;
    ~EnvironmentOverride();

private:
    std::string name_;
    std::string old_;
    bool had_ = false;
};

// Entries committed to the real URL cache, deleted again at the end.
class CacheEntries {
public:
    CacheEntries() = default;
    CacheEntries(const CacheEntries&) = delete;
    CacheEntries& operator=(const CacheEntries&) = delete;
    ~CacheEntries();
    // A normal entry with a small data file; false when the cache refused it.
    bool Add(const std::string& url);

private:
    std::vector<std::string> urls_;
};

}  // namespace privacy_testing
